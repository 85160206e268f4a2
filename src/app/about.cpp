#include "app/about.h"

#include "app/error_report.h"

#ifndef KORVELA_VERSION
#error "the build names the program's version in KORVELA_VERSION"
#endif

namespace korvela {

std::string_view KorvelaVersion() { return KORVELA_VERSION; }

std::vector<std::string> AboutParagraphs(std::string_view qtVersion) {
  return {
      "Korvela " + std::string(KorvelaVersion()),
      "A diary for diet, bodyweight and training: foods and recipes, weigh-ins and "
      "measurements, activities and workouts, and every day's calorie balance.",
      "Copyright 2026 The Korvela developers",
      "Korvela is free software: you can redistribute it and/or modify it under the terms of "
      "the GNU General Public License as published by the Free Software Foundation, either "
      "version 3 of the License, or (at your option) any later version (GPL-3.0-or-later). "
      "It is distributed in the hope that it will be useful, but WITHOUT ANY WARRANTY; "
      "without even the implied warranty of MERCHANTABILITY or FITNESS FOR A PARTICULAR "
      "PURPOSE. The licence is at " +
          std::string(kLicenceAddress) + ".",
      "The food catalogue is taken from the USDA National Nutrient Database for Standard "
      "Reference, Release 28 (US Department of Agriculture, Agricultural Research Service, "
      "Nutrient Data Laboratory), which is in the public domain. The MET values of the "
      "activities are those of the 2011 Compendium of Physical Activities.",
      "Built with Qt " + std::string(qtVersion) +
          " (Qt Widgets and Qt Charts, under the GNU General Public License).",
      std::string("Questions and suggestions: ") + kSupportAddress,
  };
}

}  // namespace korvela
