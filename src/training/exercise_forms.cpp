#include "training/exercise_forms.h"

#include <algorithm>
#include <filesystem>

#include "storage/xml_node.h"

namespace korvela {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return std::string(s);
}

std::vector<std::string> Items(std::string_view result) {
  std::vector<std::string> items;
  if (result.empty()) return items;
  for (;;) {
    const std::size_t at = result.find(", ");
    items.emplace_back(result.substr(0, at));
    if (at == std::string_view::npos) return items;
    result.remove_prefix(at + 2);
  }
}

// Text escaped for a page, line breaks as <br>.
std::string HtmlLines(std::string_view text) {
  std::string out;
  const std::string escaped = EscapeXML(text);
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    if (escaped[i] == '\r') {
      if (i + 1 < escaped.size() && escaped[i + 1] == '\n') ++i;
      out += "<br>";
    } else if (escaped[i] == '\n') {
      out += "<br>";
    } else {
      out += escaped[i];
    }
  }
  return out;
}

}  // namespace

std::string DeleteQuestion(std::string_view name) {
  return "Do you really want to delete " + std::string(name) + "?";
}

TExerciseForm FormOf(const TDrill& d) {
  TExerciseForm f;
  f.name = d.Name;
  f.shortName = d.ShortName;
  f.muscles = d.Muscles;
  f.equipment = d.Equipment;
  f.movement = d.TOM;
  f.user = {d.UDOne, d.UDTwo, d.UDThree, d.UDFour};
  f.kindIndex = d.TDM == TMeasureKind::Unset ? -1 : static_cast<int>(d.TDM) - 1;
  f.unilateral = d.Unilateral();
  f.instructions = d.Instructions;
  f.image = d.UImg;
  return f;
}

TDrill EditorStart(TEditMode mode, const TDrill* chosen) {
  if (mode == TEditMode::New || !chosen) {
    TDrill d;
    d.Name = kNewExerciseName;
    return d;
  }
  TDrill d = *chosen;
  if (mode == TEditMode::Copy) {
    d.ID = -1;
    d.Name = kCopyNamePrefix + chosen->Name;
    d.Deleted = false;
  }
  return d;
}

std::optional<TFormProblem> CheckExerciseName(std::string_view name) {
  if (Trimmed(name).empty()) return TFormProblem{TExerciseField::Name, kNameMissingMessage};
  return std::nullopt;
}

std::optional<TFormProblem> CheckExerciseForm(const TExerciseForm& form, std::int32_t id,
                                              const TExerciseDictionary& dictionary) {
  if (auto problem = CheckExerciseName(form.name)) return problem;
  if (form.kindIndex < 0 || form.kindIndex >= static_cast<int>(kMeasureCaptions.size()))
    return TFormProblem{TExerciseField::Kind, kKindMissingMessage};
  if (dictionary.IsDuplicate(form.name, id))
    return TFormProblem{TExerciseField::Name, kDuplicateExerciseMessage};
  return std::nullopt;
}

void ApplyExerciseForm(const TExerciseForm& f, TDrill& d) {
  d.Name = Trimmed(f.name);
  d.ShortName = Trimmed(f.shortName);
  d.Muscles = Trimmed(f.muscles);
  d.Equipment = Trimmed(f.equipment);
  d.TOM = f.movement;
  d.UDOne = f.user[0];
  d.UDTwo = f.user[1];
  d.UDThree = f.user[2];
  d.UDFour = f.user[3];
  d.UImg = f.image;
  d.Instructions = f.instructions;
  d.TDM = static_cast<TMeasureKind>(f.kindIndex + 1);
  d.LAT = f.unilateral ? 1 : 0;
}

std::string AddToResult(std::string_view result, std::string_view name) {
  if (result.empty()) return std::string(name);
  return std::string(result) + ", " + std::string(name);
}

std::string RemoveFromResult(std::string_view result, std::string_view name) {
  std::string out;
  for (const std::string& item : Items(result)) {
    if (item == name) continue;
    if (!out.empty()) out += ", ";
    out += item;
  }
  return out;
}

void MoveSelectedUp(std::vector<std::string>& items, std::vector<bool>& selected) {
  for (std::size_t i = 1; i < items.size(); ++i)
    if (selected[i] && !selected[i - 1]) {
      std::swap(items[i], items[i - 1]);
      std::vector<bool>::swap(selected[i], selected[i - 1]);
    }
}

void MoveSelectedDown(std::vector<std::string>& items, std::vector<bool>& selected) {
  if (items.size() < 2) return;
  for (std::size_t i = items.size() - 1; i-- > 0;)
    if (selected[i] && !selected[i + 1]) {
      std::swap(items[i], items[i + 1]);
      std::vector<bool>::swap(selected[i], selected[i + 1]);
    }
}

std::string ExerciseInformationHtml(const TExerciseForm& f, const TExerciseDictionary& dictionary) {
  std::string info;
  const auto line = [&info](std::string_view label, const std::string& value) {
    if (!value.empty()) info += HtmlLines(label) + ": " + HtmlLines(value) + "<br>";
  };
  line("Muscles", f.muscles);
  line("Equipment", f.equipment);
  line("Mov. Type", f.movement);
  for (std::size_t i = 0; i < f.user.size(); ++i)
    line(dictionary.ClassName(kUserClassOneID + static_cast<std::int32_t>(i)), f.user[i]);
  if (!f.instructions.empty()) info += "Instructions: " + HtmlLines(f.instructions);
  return info;
}

std::string PreviewName(const TExerciseForm& form, bool shortNames) {
  return shortNames && !form.shortName.empty() ? form.shortName : form.name;
}

std::string FileUrl(std::string_view path) {
  std::error_code ec;
  std::filesystem::path p(path);
  if (p.is_relative()) p = std::filesystem::absolute(p, ec);
  const std::string text = p.generic_string();
  std::string url = "file://";
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
                       u == '-' || u == '.' || u == '_' || u == '~' || u == '/';
    if (plain) {
      url += c;
    } else {
      url += '%';
      url += kHex[u >> 4];
      url += kHex[u & 15];
    }
  }
  return url;
}

}  // namespace korvela
