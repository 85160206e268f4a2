#pragma once
#include "nutrition/day_plan.h"
#include "reports/my_report.h"
#include "users/configurator.h"

namespace korvela {

// The printed page of a day's log or a menu: each meal with foods, its
// foods with their quantities, and the plan's totals.
TMyReport FoodLogReport(const TDaysMeals& plan, const TConfigurator& config);

}  // namespace korvela
