#pragma once
#include <string>
#include <vector>

#include "reports/my_report.h"

namespace korvela::test {

// A report page read back: its level-2 headings and every table row with its
// class and the texts of its cells ("" for an empty cell).
struct TPageRow {
  std::string Class;
  std::vector<std::string> Cells;
};
struct TPageTable {
  std::vector<std::string> Headings;
  std::vector<TPageRow> Rows;
  int TablesEnded = 0;
};

inline std::string Unescaped(std::string text) {
  const std::pair<const char*, const char*> entities[] = {
      {"&nbsp;", ""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities)
    for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
      text.replace(at, std::string(entity).size(), plain);
  return text;
}

inline TPageTable ReadPage(const TMyReport& report) {
  TPageTable page;
  for (const std::string& raw : report.Lines()) {
    const std::string line = raw.substr(
        raw.find_first_not_of(' ') == std::string::npos ? raw.size() : raw.find_first_not_of(' '));
    if (line.rfind("<h2>", 0) == 0) {
      page.Headings.push_back(Unescaped(line.substr(4, line.size() - 9)));
    } else if (line.rfind("<tr", 0) == 0) {
      TPageRow row;
      if (const auto at = line.find("class=\""); at != std::string::npos)
        row.Class = line.substr(at + 7, line.find('"', at + 7) - at - 7);
      page.Rows.push_back(row);
    } else if (line.rfind("<td", 0) == 0) {
      const auto open = line.find('>');
      page.Rows.back().Cells.push_back(
          Unescaped(line.substr(open + 1, line.rfind("</td>") - open - 1)));
    } else if (line == "</table>") {
      ++page.TablesEnded;
    }
  }
  return page;
}

}  // namespace korvela::test
