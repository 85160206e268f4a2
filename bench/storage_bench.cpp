// Speed of the storage core on generated, realistic data: the food catalogue
// file (load, parse, save) and a day-record database of 20,000 records (open,
// save after one change, read everything). Where pugixml is available, it
// parses the same bytes in the same run, and the ratio is printed at the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_folder.h"
#include "generated_data.h"
#include "storage/file_system.h"
#include "storage/garbled_stream.h"
#include "storage/random.h"
#include "storage/unsynced_file_system.h"
#include "storage/xml_db.h"
#include "storage/xml_node.h"

#ifdef KORVELA_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

namespace korvela::bench {
namespace {

constexpr std::uint64_t kSeed = 20090101;
constexpr std::size_t kCatalogueBytes = 3'000'000;
constexpr std::size_t kDayRecordCount = 20'000;

using bench::TBenchFolder;

TBenchFolder& Folder() {
  static TBenchFolder folder;
  return folder;
}

// Argument 1: the real file system with fsync; 0: without.
TFileSystem& FileSystemOf(const benchmark::State& state) {
  static TUnsyncedFileSystem unsynced;
  return state.range(0) != 0 ? PosixFileSystem() : unsynced;
}

// The catalogue as a tree, as its plain text form and as a scrambled file.
struct TCatalogue {
  std::unique_ptr<XMLNode> Root;
  std::string Text;
  std::filesystem::path File;
  std::int64_t FileSize = 0;
};

const TCatalogue& Catalogue() {
  static const TCatalogue catalogue = [] {
    TCatalogue c;
    const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed);
    c.Root = MakeFoodCatalogue(kCatalogueBytes, *random);
    c.Text = c.Root->ToText();
    c.File = Folder() / "foods.dat";
    SaveXMLFile(*c.Root, c.File, kDataKey, *random);
    c.FileSize = static_cast<std::int64_t>(std::filesystem::file_size(c.File));
    // What is timed below must read back the very tree that was written.
    const std::unique_ptr<XMLNode> parsed = XMLNode::Parse(c.Text.data(), c.Text.size());
    const std::unique_ptr<XMLNode> loaded = LoadXMLFile(c.File, kDataKey);
    if (!parsed->SameAs(*c.Root) || !loaded || !loaded->SameAs(*c.Root))
      throw std::runtime_error("the generated catalogue does not read back as written");
    return c;
  }();
  return catalogue;
}

std::size_t CountFoods(const XMLNode& root) {
  std::size_t n = 0;
  for (const auto& cat : root.Children) n += cat->Children.size();
  return n;
}

// The day-record database, built once through Put and Close.
struct TDayDatabase {
  std::vector<TDayRecordKey> Keys;
  std::filesystem::path File;
  std::int64_t FileSize = 0;
};

std::vector<std::unique_ptr<XMLNode>> MakeDayRecords(std::size_t count, TRandom& random) {
  std::vector<std::unique_ptr<XMLNode>> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) records.push_back(MakeDayRecord(random));
  return records;
}

void BuildDayDatabase(const std::filesystem::path& file, const std::vector<TDayRecordKey>& keys,
                      std::vector<std::unique_ptr<XMLNode>> records, TRandom& random) {
  XMLDB db(file, kDayRecordsKind, random);
  for (std::size_t i = 0; i < keys.size(); ++i)
    db.Put(std::move(records[i]), keys[i].ID, kDataKey, keys[i].Date);
  db.Close();
}

const TDayDatabase& DayDatabase() {
  static const TDayDatabase database = [] {
    TDayDatabase d;
    const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 1);
    d.Keys = MakeDayRecordKeys(kDayRecordCount, *random);
    d.File = Folder() / "PS12009.dat";
    BuildDayDatabase(d.File, d.Keys, MakeDayRecords(d.Keys.size(), *random), *random);
    d.FileSize = static_cast<std::int64_t>(std::filesystem::file_size(d.File));
    return d;
  }();
  return database;
}

// ---------------------------------------------------------------------------
// The catalogue file

// Unscramble, checksum and parse. The tree of an iteration is freed outside
// the timing: a loaded catalogue lives until the program ends.
void BM_LoadXMLFile(benchmark::State& state) {
  const TCatalogue& c = Catalogue();
  for (auto _ : state) {
    std::unique_ptr<XMLNode> root = LoadXMLFile(c.File, kDataKey);
    if (!root) {
      state.SkipWithError("the catalogue file did not load");
      break;
    }
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * c.FileSize);
  state.counters["file_bytes"] = static_cast<double>(c.FileSize);
  state.counters["foods"] = static_cast<double>(CountFoods(*c.Root));
}
BENCHMARK(BM_LoadXMLFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading and unscrambling alone: the part of LoadXMLFile before the parse.
void BM_ReadPlainBlock(benchmark::State& state) {
  const TCatalogue& c = Catalogue();
  for (auto _ : state) {
    const std::unique_ptr<TReadableFile> in = PosixFileSystem().OpenRead(c.File);
    std::string body = ReadPlainBlock(*in, c.File, kDataKey, 0, in->Size());
    benchmark::DoNotOptimize(body.data());
  }
  state.SetBytesProcessed(state.iterations() * c.FileSize);
}
BENCHMARK(BM_ReadPlainBlock)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two passes of ReadPlainBlock over the body, each alone in memory.
void BM_Unscramble(benchmark::State& state) {
  const TCatalogue& c = Catalogue();
  std::string bytes = c.Text;
  auto* data = reinterpret_cast<std::uint8_t*>(bytes.data());
  TCipher cipher;
  for (auto _ : state) {
    cipher.PrepareKey(kDataKey);
    cipher.Unscramble(data, bytes.size());
    benchmark::DoNotOptimize(data);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_Unscramble)->Unit(benchmark::kMillisecond);

void BM_Crc32(benchmark::State& state) {
  const TCatalogue& c = Catalogue();
  for (auto _ : state) {
    std::uint32_t crc = Crc32Update(0xFFFFFFFFu, c.Text.data(), c.Text.size());
    benchmark::DoNotOptimize(crc);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.Text.size()));
}
BENCHMARK(BM_Crc32)->Unit(benchmark::kMillisecond);

void BM_ParseKorvela(benchmark::State& state) {
  const TCatalogue& c = Catalogue();
  for (auto _ : state) {
    std::unique_ptr<XMLNode> root = XMLNode::Parse(c.Text.data(), c.Text.size());
    benchmark::DoNotOptimize(root.get());
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.Text.size()));
}
BENCHMARK(BM_ParseKorvela)->Unit(benchmark::kMillisecond);

#ifdef KORVELA_HAVE_PUGIXML
// The same bytes through pugixml's load_buffer (which copies them first, as
// Korvela's parser does before reading them in place).
void BM_ParsePugixml(benchmark::State& state, unsigned options) {
  const TCatalogue& c = Catalogue();
  for (auto _ : state) {
    auto doc = std::make_unique<pugi::xml_document>();
    const pugi::xml_parse_result result =
        doc->load_buffer(c.Text.data(), c.Text.size(), options, pugi::encoding_utf8);
    if (!result) {
      state.SkipWithError(result.description());
      break;
    }
    benchmark::DoNotOptimize(doc.get());
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(c.Text.size()));
}
BENCHMARK_CAPTURE(BM_ParsePugixml, default, pugi::parse_default)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParsePugixml, minimal, pugi::parse_minimal)->Unit(benchmark::kMillisecond);
#endif

// Text form, scramble, write the temporary file, (fsync,) rename.
void BM_SaveXMLFile(benchmark::State& state) {
  const TCatalogue& c = Catalogue();
  TFileSystem& fs = FileSystemOf(state);
  const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 2);
  const std::filesystem::path file = Folder() / "saved.dat";
  for (auto _ : state) SaveXMLFile(*c.Root, file, kDataKey, *random, fs);
  state.SetBytesProcessed(state.iterations() * c.FileSize);
}
BENCHMARK(BM_SaveXMLFile)
    ->ArgName("fsync")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// ---------------------------------------------------------------------------
// The day-record database

// Opening reads the record headers only.
void BM_OpenXMLDB20000(benchmark::State& state) {
  const TDayDatabase& d = DayDatabase();
  const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 3);
  std::size_t records = 0;
  for (auto _ : state) {
    XMLDB db(d.File, kDayRecordsKind, *random);
    records = db.Handles().size();
    benchmark::DoNotOptimize(records);
  }
  if (records != d.Keys.size()) state.SkipWithError("the database lost records");
  state.counters["records"] = static_cast<double>(records);
  state.counters["file_bytes"] = static_cast<double>(d.FileSize);
}
BENCHMARK(BM_OpenXMLDB20000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Open, replace one record, Save: what a day's edit costs. Each iteration
// starts from a fresh copy of the database, made outside the timing.
void BM_SaveAfterOneChange(benchmark::State& state) {
  const TDayDatabase& d = DayDatabase();
  TFileSystem& fs = FileSystemOf(state);
  const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 4);
  const std::filesystem::path file = Folder() / "PS22009.dat";
  std::size_t round = 0;
  double saveSeconds = 0;
  std::int64_t written = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::copy_file(d.File, file, std::filesystem::copy_options::overwrite_existing);
    const TDayRecordKey& key = d.Keys[(round++ * 7919) % d.Keys.size()];
    std::unique_ptr<XMLNode> changed = MakeDayRecord(*random);
    state.ResumeTiming();

    XMLDB db(file, kDayRecordsKind, *random, fs);
    db.Put(std::move(changed), key.ID, kDataKey, key.Date);
    const auto saveStart = std::chrono::steady_clock::now();
    db.Save();
    saveSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - saveStart).count();

    state.PauseTiming();
    written = static_cast<std::int64_t>(std::filesystem::file_size(file));
    state.ResumeTiming();
  }
  state.counters["bytes_written"] = static_cast<double>(written);
  state.counters["save_ms"] =
      benchmark::Counter(saveSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SaveAfterOneChange)
    ->ArgName("fsync")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Open and Get every record, as a report over all days does.
void BM_GetAll(benchmark::State& state) {
  const TDayDatabase& d = DayDatabase();
  const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 5);
  for (auto _ : state) {
    XMLDB db(d.File, kDayRecordsKind, *random);
    std::size_t attributes = 0;
    for (const TDayRecordKey& key : d.Keys) {
      const XMLNode* record = db.Get(key.ID, kDataKey, key.Date);
      if (!record) {
        state.SkipWithError("a stored record is missing");
        return;
      }
      attributes += record->Attributes.size();
    }
    benchmark::DoNotOptimize(attributes);
  }
  state.counters["records_per_s"] = benchmark::Counter(
      static_cast<double>(d.Keys.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GetAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// Get every record once more after all are cached: the index lookup alone.
void BM_GetAllCached(benchmark::State& state) {
  const TDayDatabase& d = DayDatabase();
  const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 6);
  XMLDB db(d.File, kDayRecordsKind, *random);
  for (const TDayRecordKey& key : d.Keys) db.Get(key.ID, kDataKey, key.Date);
  for (auto _ : state) {
    for (const TDayRecordKey& key : d.Keys)
      benchmark::DoNotOptimize(db.Get(key.ID, kDataKey, key.Date));
  }
  state.counters["records_per_s"] = benchmark::Counter(
      static_cast<double>(d.Keys.size()), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GetAllCached)->Unit(benchmark::kMillisecond);

// Put 20,000 new records into an empty database and Close it.
void BM_BuildXMLDB20000(benchmark::State& state) {
  const TDayDatabase& d = DayDatabase();
  const std::filesystem::path file = Folder() / "PS32009.dat";
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(file);
    const std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed + 1);
    std::vector<std::unique_ptr<XMLNode>> records = MakeDayRecords(d.Keys.size(), *random);
    state.ResumeTiming();
    BuildDayDatabase(file, d.Keys, std::move(records), *random);
  }
  state.counters["records"] = static_cast<double>(d.Keys.size());
}
BENCHMARK(BM_BuildXMLDB20000)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---------------------------------------------------------------------------

// The console table, followed by Korvela's parse time against pugixml's on
// the same bytes.
class TRatioReporter final : public benchmark::ConsoleReporter {
 public:
  TRatioReporter() : ConsoleReporter(OO_None) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.run_type != Run::RT_Iteration && !median) continue;
      TTime& t = seconds_[run.run_name.function_name];
      if (t.fromMedian && !median) continue;
      // The time its MB/s figure is based on: CPU time unless it measures real time.
      const bool realTime = !run.run_name.time_type.empty();
      t.seconds = (realTime ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime()) /
                  benchmark::GetTimeUnitMultiplier(run.time_unit);
      t.fromMedian = median;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto korvela = seconds_.find("BM_ParseKorvela");
    if (korvela == seconds_.end()) return;
    std::ostream& out = GetOutputStream();
    static constexpr struct {
      const char* name;
      const char* options;
    } kPeers[] = {{"BM_ParsePugixml/default", "parse_default"},
                  {"BM_ParsePugixml/minimal", "parse_minimal"}};
    for (const auto& peer : kPeers) {
      const auto p = seconds_.find(peer.name);
      if (p == seconds_.end()) continue;
      char line[160];
      std::snprintf(line, sizeof line,
                    "Parse time Korvela/pugixml (%s): %.2f  (%.2f ms against %.2f ms)\n",
                    peer.options, korvela->second.seconds / p->second.seconds,
                    korvela->second.seconds * 1000, p->second.seconds * 1000);
      out << line;
    }
  }

 private:
  struct TTime {
    double seconds = 0;
    bool fromMedian = false;
  };
  std::map<std::string, TTime> seconds_;
};

}  // namespace
}  // namespace korvela::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  korvela::bench::TRatioReporter reporter;
  try {
    benchmark::RunSpecifiedBenchmarks(&reporter);
  } catch (const std::exception& e) {
    std::cerr << "korvela-bench-storage: " << e.what() << '\n';
    benchmark::Shutdown();
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
