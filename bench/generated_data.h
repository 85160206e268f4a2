#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "storage/date_time.h"
#include "storage/random.h"
#include "storage/xml_node.h"

// Realistic documents for the storage benchmarks, drawn from a TRandom so
// that a fixed seed gives the same bytes on every run and every machine.
namespace korvela::bench {

// A food catalogue: Foods / Cat (Name) / Food (Name, P, F, C, A) / W (Amt,
// Desc, G), 25 categories, 2-6 measures per food. Foods are added until the
// text form holds at least `minTextBytes` bytes.
std::unique_ptr<XMLNode> MakeFoodCatalogue(std::size_t minTextBytes, TRandom& random);

struct TDayRecordKey {
  std::int32_t ID = 0;  // the day-record kind
  TDateTime Date = 0;
};

// `count` distinct (kind, day) pairs in the order a diary adds them: day
// after day from 1 January 2009, each day with the kinds kept that day.
std::vector<TDayRecordKey> MakeDayRecordKeys(std::size_t count, TRandom& random);

// A day record's element: SCal with 6-10 numbers and 0-3 SECE entries.
std::unique_ptr<XMLNode> MakeDayRecord(TRandom& random);

}  // namespace korvela::bench
