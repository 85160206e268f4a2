#pragma once
// The arithmetic behind the calendars and the grid, kept free of the
// windowing toolkit so it can be checked without a display.
#include <array>
#include <optional>
#include <string>

namespace korvela {

// Weekdays are numbered 0 = Monday ... 6 = Sunday, like the first day of the
// week in the settings.
int WeekdayOf(int year, unsigned month, unsigned day);
int DaysInMonth(int year, unsigned month);
// The weekday shown in a column of a month grid that starts on firstDOW.
int WeekdayOfColumn(int column, int firstDOW);

struct TYearMonth {
  int year = 0;
  unsigned month = 0;  // 1-12
  bool operator==(const TYearMonth&) const = default;
};

// The month `delta` months away, across year boundaries.
TYearMonth StepMonth(TYearMonth from, int delta);

// Six weeks of seven columns; each cell holds its day of the month or 0 for
// a cell outside the month.
struct TMonthLayout {
  std::array<int, 42> days{};
  int DayAt(int week, int column) const { return days[static_cast<size_t>(week * 7 + column)]; }
  // Week row and column of a day of the month.
  int WeekOf(int day) const;
  int ColumnOf(int day) const;
};
TMonthLayout LayoutMonth(int year, unsigned month, int firstDOW);

// "March, 2007": the drop-down calendar's header.
std::string MonthHeaderText(TYearMonth month);

struct TPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TPoint&) const = default;
};

// A day mark: a black pole and a pennant triangle, in cell pixels.
struct TPennant {
  TPoint poleTop, poleBottom;
  std::array<TPoint, 3> corners;
};
// The pennant of slot 0 to 3 in a cell with top-left corner (left, top) and
// the given height; other slots have none.
std::optional<TPennant> PennantGeometry(int slot, int left, int top, int height);

// Where the next icon of a cell goes: icons of 18 pixels line up from the
// left along the bottom of the cell (bottom is the first row below it).
TPoint IconPosition(int left, int bottom, int iconsDrawn);
inline constexpr int kIconStep = 18;

struct TRgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const TRgb&) const = default;
};
inline constexpr TRgb kWhite{255, 255, 255};
inline constexpr TRgb kStripeGrey{252, 252, 252};
inline constexpr TRgb kSelectedGrey{240, 240, 240};
inline constexpr TRgb kHeaderGrey{240, 240, 240};
inline constexpr TRgb kSelectedDayBlue{166, 202, 240};

struct TGridCellPlace {
  int row = 0;
  int column = 0;
  int fixedRows = 0;
  int fixedColumns = 0;
  bool selected = false;
  bool alwaysShowEditor = false;
};
// The default fill of a grid cell: the first row and fixed cells in the fixed
// colour, data rows striped white (odd rows) and light grey (even rows); a
// selected cell turns grey only while no editor is always shown.
TRgb GridCellFill(const TGridCellPlace& place, TRgb fixedColour);

// The nine text positions of a grid cell.
enum class TCellAlignment {
  TopLeft = 0,
  TopCenter,
  TopRight,
  MiddleLeft,
  MiddleCenter,
  MiddleRight,
  BottomLeft,
  BottomCenter,
  BottomRight
};
// Word-wrapped text is drawn only in the three top positions.
inline bool WrapsText(TCellAlignment alignment, bool multiLine) {
  return multiLine && static_cast<int>(alignment) <= static_cast<int>(TCellAlignment::TopRight);
}

}  // namespace korvela
