#pragma once
#include <string>

#include "users/configurator.h"

namespace korvela {

enum class TQuantityKind { Weight, Distance };

// The value behind a weight or length entry: always metric (kilograms or
// centimetres), -1 when empty; shown and typed in the user's unit.
class TQuantityEntry {
 public:
  struct TCheck {
    bool ok = true;
    std::string message;  // the warning to show when not ok
  };

  TQuantityEntry(const TConfigurator& config, TQuantityKind kind);

  double Value() const { return value_; }
  // Stores the metric value and shows it with two decimals (-1 clears).
  void SetValue(double metric);
  const std::string& Text() const { return text_; }
  // What the user typed; read on the next validation.
  void SetText(std::string text);
  // The value shown again in the current unit and decimal character.
  void Refresh();
  std::string UnitLabel() const;

  // Explicit validation (before a screen accepts its input) warns about an
  // empty entry; leaving the entry accepts it silently as -1.
  TCheck Validate(bool explicitCheck);

  double MinValue = 0;
  double MaxValue;
  std::string DistString = "Height";

 private:
  double ToShown(double metric) const;
  double ToMetric(double shown) const;

  const TConfigurator& config_;
  TQuantityKind kind_;
  double value_ = -1;
  std::string text_;
  bool changed_ = false;
};

}  // namespace korvela
