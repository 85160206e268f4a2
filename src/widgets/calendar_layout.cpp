#include "widgets/calendar_layout.h"

#include <chrono>

#include "users/unit_text.h"

namespace korvela {

int WeekdayOf(int year, unsigned month, unsigned day) {
  const std::chrono::weekday wd{std::chrono::sys_days{
      std::chrono::year{year} / std::chrono::month{month} / std::chrono::day{day}}};
  return static_cast<int>(wd.iso_encoding()) - 1;
}

int DaysInMonth(int year, unsigned month) {
  const auto last = std::chrono::year{year} / std::chrono::month{month} / std::chrono::last;
  return static_cast<int>(static_cast<unsigned>(last.day()));
}

int WeekdayOfColumn(int column, int firstDOW) { return ((firstDOW + column) % 7 + 7) % 7; }

TYearMonth StepMonth(TYearMonth from, int delta) {
  const int index = from.year * 12 + static_cast<int>(from.month) - 1 + delta;
  const int year = index >= 0 ? index / 12 : (index - 11) / 12;
  return {year, static_cast<unsigned>(index - year * 12 + 1)};
}

int TMonthLayout::WeekOf(int day) const {
  for (size_t i = 0; i < days.size(); ++i)
    if (days[i] == day) return static_cast<int>(i) / 7;
  return -1;
}

int TMonthLayout::ColumnOf(int day) const {
  for (size_t i = 0; i < days.size(); ++i)
    if (days[i] == day) return static_cast<int>(i) % 7;
  return -1;
}

TMonthLayout LayoutMonth(int year, unsigned month, int firstDOW) {
  TMonthLayout layout;
  const int lead = ((WeekdayOf(year, month, 1) - firstDOW) % 7 + 7) % 7;
  const int count = DaysInMonth(year, month);
  for (int day = 1; day <= count; ++day) layout.days[static_cast<size_t>(lead + day - 1)] = day;
  return layout;
}

std::string MonthHeaderText(TYearMonth month) {
  return std::string(kMonthNames[month.month - 1]) + ", " + std::to_string(month.year);
}

std::optional<TPennant> PennantGeometry(int slot, int left, int top, int height) {
  if (slot < 0 || slot > 3) return std::nullopt;
  const int e = height / 3;
  const int x = left + slot * e + 2;
  TPennant p;
  p.poleTop = {x, top + 2};
  p.poleBottom = {x, top + e + 2};
  p.corners = {TPoint{x, top + 2}, TPoint{x, top + (e + 1) / 2 + 2},
               TPoint{x + 2 * e / 3, top + e / 4 + 2}};
  return p;
}

TPoint IconPosition(int left, int bottom, int iconsDrawn) {
  return {left + 2 + kIconStep * iconsDrawn, bottom - kIconStep};
}

TRgb GridCellFill(const TGridCellPlace& place, TRgb fixedColour) {
  if (place.row == 0 || place.row < place.fixedRows || place.column < place.fixedColumns)
    return fixedColour;
  if (place.selected && !place.alwaysShowEditor) return kSelectedGrey;
  return place.row % 2 == 1 ? kWhite : kStripeGrey;
}

}  // namespace korvela
