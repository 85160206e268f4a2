#pragma once
// What the backup fuzz target and its seed writer share: the day-record kinds
// a diary holds, and the text form of a backup.
#include <cstdio>
#include <memory>
#include <string>

#include "energy/energy_records.h"
#include "storage/base64.h"
#include "storage/day_records.h"
#include "storage/garbled_stream.h"
#include "storage/xml_node.h"
#include "training/training_records.h"
#include "users/configurator.h"

namespace korvela::fuzz {

inline const TDayRecordRegistry& DiaryRegistry() {
  static const TConfigurator config;
  static const TDayRecordRegistry registry = [] {
    TDayRecordRegistry r;
    RegisterEnergyRecords(r);
    RegisterTrainingRecords(r, config);
    return r;
  }();
  return registry;
}

// A backup's file record for these bytes, with their size and checksum.
inline std::unique_ptr<XMLNode> FileRecord(const std::string& name, const std::string& bytes) {
  auto element = std::make_unique<XMLNode>("BFILE", XMLString(EncodeBase64(bytes)));
  char crc[9];
  std::snprintf(crc, sizeof crc, "%08x", Crc32Update(0, bytes.data(), bytes.size()));
  element->AddAttr("NAME", name);
  element->AddAttr("SIZE", std::to_string(bytes.size()));
  element->AddAttr("CRC", crc);
  return element;
}

// In the text form of a backup, a "BFILE" element whose "DOC" attribute is
// set holds a data file's document in text form, written scrambled.
inline constexpr const char* kDocumentAttr = "DOC";

}  // namespace korvela::fuzz
