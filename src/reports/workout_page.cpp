#include "reports/workout_page.h"

#include <algorithm>

#include "storage/xml_node.h"
#include "training/exercise_forms.h"
#include "training/workout_columns.h"

namespace korvela {

TMyReport WorkoutPage(const TWorkoutGrid& grid, const TExerciseDictionary& dictionary,
                      bool printDrills, bool shortNames) {
  const TWorkout& w = grid.Workout();
  TMyReport page;
  page.AddTitle(w.Name);
  page.AddLine(EscapeXML(w.Notes) + "<br>");
  page.BeginTable();
  page.BeginHeaderRow();
  for (std::size_t c = 0; c < grid.ColumnCount(); ++c) page.AddCell(grid.Title(c), kCellCentre);
  page.EndRow();
  for (std::size_t line = 0; line < w.Lines.size(); ++line) {
    const bool section = grid.IsSection(line);
    if (section)
      page.BeginRow(kRowSubheader);
    else
      page.BeginRow();
    for (std::size_t c = 0; c < grid.ColumnCount(); ++c) {
      const std::uint8_t id = grid.ColumnID(c);
      const bool left =
          (section && id == kExerciseColumn) || id == kNotesColumn || id == kUserColumnID;
      page.AddCell(grid.Text(line, c), left ? kCellLeft : kCellCentre);
    }
    page.EndRow();
  }
  page.EndTable();
  const TPanelTexts panel = grid.Stats().WorkoutPanel();
  page.BeginTable();
  page.BeginHeaderRow();
  for (const char* title :
       {"Total Volume", "Avg. %1RM", "Number of Lifts", "Total TUT", "Duration", "Density"})
    page.AddCell(title, kCellCentre);
  page.EndRow();
  page.BeginRow();
  for (const std::string* text :
       {&panel.Volume, &panel.Intensity, &panel.Lifts, &panel.TUT, &panel.Duration, &panel.Density})
    page.AddCell(*text, kCellCentre);
  page.EndRow();
  page.EndTable();
  if (printDrills) {
    page.AddSubtitle("Exercise Information");
    page.BeginTable();
    page.BeginHeaderRow();
    for (const char* title : {"Exercise", "Information", "Image"}) page.AddCell(title, kCellCentre);
    page.EndRow();
    std::vector<std::int32_t> seen;
    for (const TWLine& l : w.Lines) {
      const auto* set = std::get_if<TDrillSet>(&l);
      if (!set || set->DID == -1 || std::find(seen.begin(), seen.end(), set->DID) != seen.end())
        continue;
      seen.push_back(set->DID);
      const TDrill* drill = dictionary.Find(set->DID);
      if (!drill) continue;
      const TExerciseForm form = FormOf(*drill);
      page.BeginRow();
      page.AddCell(dictionary.DisplayName(drill->ID, shortNames), kCellLeft);
      std::string info = ExerciseInformationHtml(form, dictionary);
      if (info.empty()) info = "&nbsp;";
      page.AddLine("<td class=\"trl\">" + info + "</td>");
      if (drill->UImg.empty())
        page.AddCell("N/A", kCellCentre);
      else
        page.AddLine("<td class=\"trc\"><img src=\"" + EscapeXML(FileUrl(drill->UImg)) +
                     "\"></td>");
      page.EndRow();
    }
    page.EndTable();
  }
  page.EndDocument();
  return page;
}

}  // namespace korvela
