#include "energy/diet_goals.h"

#include <cmath>
#include <optional>

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

std::optional<double> ReadQuantity(const TConfigurator& config, const std::string& text) {
  try {
    const double value = ParseNumber(config, text);
    if (std::isfinite(value)) return value;
  } catch (const EConvertError&) {
  }
  return std::nullopt;
}

TDietCompField QuantityField(int nutrient) {
  return static_cast<TDietCompField>(static_cast<int>(TDietCompField::ProteinQuantity) + nutrient);
}

}  // namespace

std::array<std::string, kMeasurementCount> MeasurementNames(const TConfigurator& config) {
  return {"grams", "calories", config.MetricSystem() ? "grams per kg" : "grams per lbs",
          "% of the calories"};
}

TDietCompForm OpenDietCompForm(const TConfigurator& config, const TDietCompStat* latest) {
  TDietCompForm form;
  form.rows[0].measurement = static_cast<int>(TMeasurement::GramsPerKg);
  form.rows[1].measurement = static_cast<int>(TMeasurement::PercentOfCalories);
  form.rows[2].measurement = static_cast<int>(TMeasurement::PercentOfCalories);
  if (!latest) return form;
  for (const TDietConstraint& c : latest->Constraints) {
    TDietGoalRow& row = form.rows[static_cast<std::size_t>(c.Nutrient)];
    row.set = true;
    row.qualifier = static_cast<int>(c.Qualifier);
    row.measurement = static_cast<int>(c.Measurement);
    const bool perPound = c.Measurement == TMeasurement::GramsPerKg && !config.MetricSystem();
    row.quantity = FormatNumber(config, perPound ? c.Quantity / kPoundsPerKg : c.Quantity, 1);
    form.allowance = FormatNumber(config, c.ErrorAllowance, 2);
  }
  return form;
}

TDietCompCheck CheckDietCompForm(const TConfigurator& config, const TDietCompForm& form) {
  TDietCompCheck check;
  auto refuse = [&check](const char* message, TDietCompField focus) {
    check.constraints.clear();
    check.message = message;
    check.focus = focus;
    return check;
  };

  double percentSum = 0;
  for (int n = 0; n < kNutrientCount; ++n) {
    const TDietGoalRow& row = form.rows[static_cast<std::size_t>(n)];
    if (!row.set) continue;
    // Lists that somehow hold no selection count as their first item.
    const int qualifier = row.qualifier >= 0 && row.qualifier < kQualifierCount ? row.qualifier : 0;
    const int measurement =
        row.measurement >= 0 && row.measurement < kMeasurementCount ? row.measurement : 0;
    const std::optional<double> typed = ReadQuantity(config, row.quantity);
    if (!typed || *typed < 0) return refuse(kMsgInvalidQuantity[n], QuantityField(n));
    double quantity = *typed;
    const auto kind = static_cast<TMeasurement>(measurement);
    if (kind == TMeasurement::GramsPerKg && !config.MetricSystem()) quantity *= kPoundsPerKg;
    if (kind == TMeasurement::PercentOfCalories) {
      if (quantity > 100) return refuse(kMsgPercentageTooLarge[n], QuantityField(n));
      percentSum += quantity;
      // The focus goes to the protein quantity; without a protein goal that
      // field is disabled and cannot take it, so the row that tipped the sum
      // over takes it instead.
      if (percentSum > 100)
        return refuse(kMsgPercentageSum,
                      form.rows[0].set ? TDietCompField::ProteinQuantity : QuantityField(n));
    }
    check.constraints.push_back(
        {static_cast<TNutrient>(n), static_cast<TQualifier>(qualifier), quantity, kind, 0});
  }

  const std::optional<double> allowance = ReadQuantity(config, form.allowance);
  if (!allowance || *allowance < 0 || *allowance > 10)
    return refuse(kMsgInvalidAllowance, TDietCompField::Allowance);
  for (TDietConstraint& c : check.constraints) c.ErrorAllowance = *allowance;
  return check;
}

void AdoptDietComp(TDayRecordStore& records, TDateTime today,
                   std::vector<TDietConstraint> constraints) {
  TDBC& entry = records.GetOrCreateDayRecord(kDietCompStatKind, today);
  records.Loaded<TDietCompStat>(entry).Constraints = std::move(constraints);
  records.SaveDayRecord(entry);
  records.FlushDayRecordFile(entry);
}

}  // namespace korvela
