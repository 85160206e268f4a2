#pragma once
#include <filesystem>
#include <string_view>
#include <vector>

#include "nutrition/food_item.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// The units the food editor copies measures from: one scrambled document
// (data key) in the program folder shared by all users, root
// "WeightsInformation" with one "w" child per unit in order.
inline constexpr std::string_view kUnitDictionaryFile = "FW.DAT";
inline constexpr std::string_view kUnitDictionaryElement = "WeightsInformation";
// The grams of a unit that has no fixed weight.
inline constexpr Extended kNoFixedGrams = 2147483647;

using TUnitDictionary = std::vector<TWeightItem>;

// The units offered while no dictionary has been saved: 23 units of one,
// most without a fixed weight.
TUnitDictionary DefaultUnits();

// The saved dictionary, or the defaults when "FW.DAT" is absent (they are not
// written). A damaged file raises EInvalidXMLFile, a number that is not one
// EConvertError, each naming the file.
TUnitDictionary LoadUnitDictionary(const std::filesystem::path& programFolder,
                                   TFileSystem& fs = PosixFileSystem());
// Writes the whole dictionary in order, replacing the file.
void SaveUnitDictionary(const TUnitDictionary& units, const std::filesystem::path& programFolder,
                        TRandom& random, TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
