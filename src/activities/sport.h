#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "storage/xml_node.h"

namespace korvela {

// The activity dictionary: a record database in the program folder, one
// "Sport" document (date 0) per activity under identifiers from 10 up.
inline constexpr std::string_view kSportsFile = "SAA.DAT";
inline constexpr std::int32_t kSportsKind = 95739423;

inline constexpr const char* kSportElement = "Sport";
inline constexpr const char* kSportActivityAttr = "Activity";
inline constexpr const char* kSportMETAttr = "MET";
inline constexpr const char* kSportPerAttr = "Per";

// One physical activity of the dictionary.
struct TSport {
  std::int32_t ID = -1;  // -1 while never stored
  std::string Activity;
  double MET = 0;
  std::int32_t Per = 0;  // default duration, minutes

  // Absent attributes keep the values of a new activity.
  void Read(const XMLNode& element);
  std::unique_ptr<XMLNode> Write() const;
};

}  // namespace korvela
