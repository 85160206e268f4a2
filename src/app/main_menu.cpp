#include "app/main_menu.h"

#include <functional>
#include <map>

#include "app/about.h"
#include "app/help_search.h"

namespace korvela {
namespace {

TMenuItem Faq(const char* caption, int topic) { return {caption, {}, topic}; }

}  // namespace

const std::vector<TMenu>& MainMenus() {
  static const std::vector<TMenu> menus = {
      {"[File]",
       {{"Import/Export..."},
        {"Back Up My Diary..."},
        {"Restore a Diary..."},
        {kLogOffCommand},
        {kExitCommand}}},
      {"[Nutrition]",
       {{"Food Logs..."},
        {"Recipe Book..."},
        {"Meals Dictionary..."},
        {"Food Weights Dictionary..."}}},
      {"[Training]", {{"Training Logs..."}, {"My Records..."}, {"Exercise Dictionary..."}}},
      {"[Sports and Activities]",
       {{"Sports and Activities Logs..."}, {"Sports and Activities Dictionary..."}}},
      {"[Recovery]", {{"Recovery..."}}},
      {"[Goal Setting]",
       {{"Set Diet Composition Goals..."},
        {"Set Bodyweight Goals..."},
        {"Define Training and Nutrition Phases..."}}},
      {"[Personal]",
       {{"Weigh in bodyweight and bf%"},
        {"Measurements..."},
        {"Import Weigh-ins and Measurements..."},
        {"Personal Information..."},
        {"Internalization Options..."}}},
      {"[Graphs]",
       {{"Nutrition, Bodyweight and Recovery Graphs..."},
        {"Daily Calorie Balance Fluctuations Graph..."},
        {"Training Graphs..."}}},
      {"[Reports]", {{"Reports..."}}},
      {"[Calculators]",
       {{"Calorie",
         {{"How many calories a day does a person burn?"},
          {"How many calories does a person burn doing?"}}},
        {"Body Composition",
         {{"What is the Body Mass Index of a person?"},
          {"Calculate the LBM and Fat Mass of a person"},
          {"Compare the composition of two bodyweights"}}},
        {"Body Fat",
         {{"Calculate body fat % using 3-site skinfold measurements"},
          {"Calculate body fat % using 7-site skinfold measurements"},
          {"Predict body fat % (using weight and waist measurements)"}}},
        {"Strength", {{"Assess the maximal strength for various repetition ranges"}}}}},
      {"[FAQ]",
       {Faq("How to lose, maintain or gain weight with Korvela?", 21),
        Faq("How can I change my Activity Level?", 201),
        Faq("Why does my energy expenditure change over time?", 22),
        Faq("What are the Active and Inactive Zones?", 23),
        Faq("What is the Projected Weight?", 24),
        Faq("Which sports and activities should I log?", 25), Faq("What are the MET values?", 27),
        Faq("What is the difference between [Sports and Activities Logs] and [Training Logs] "
            "screens?",
            206),
        Faq("How do I transfer data between different Korvela copies?", 205),
        Faq("How you can help us...?", 207)}},
      {kHelpMenu,
       {{kContentsCommand, {}, kHelpContentsTopic},
        {kSearchHelpCommand, {}, kHelpSearchTopic},
        {kAskQuestionCommand},
        {kAboutCommand}}},
  };
  return menus;
}

TCommandEffects CommandEffects(const std::string& caption) {
  static const std::map<std::string, TCommandEffects, std::less<>> effects = {
      {"Food Logs...", {true, true, false}},
      {"Training Logs...", {true, true, true}},
      {"Sports and Activities Logs...", {true, true, false}},
      {"Recovery...", {true, false, false}},
      {"Set Diet Composition Goals...", {false, true, false}},
      {"Set Bodyweight Goals...", {false, true, false}},
      {"Define Training and Nutrition Phases...", {false, true, true}},
      {"Weigh in bodyweight and bf%", {false, true, true}},
      {"Measurements...", {true, false, false}},
      {"Import Weigh-ins and Measurements...", {false, true, true}},
      {"Personal Information...", {false, true, false}},
      {"Internalization Options...", {false, true, false}},
      {"Daily Calorie Balance Fluctuations Graph...", {true, false, false}},
  };
  const auto it = effects.find(caption);
  return it == effects.end() ? TCommandEffects{} : it->second;
}

const std::vector<std::string>& ToolBarCommands() {
  static const std::vector<std::string> commands = {"Food Logs...",
                                                    "Recipe Book...",
                                                    kToolBarSeparator,
                                                    "Training Logs...",
                                                    "My Records...",
                                                    "Sports and Activities Logs...",
                                                    kToolBarSeparator,
                                                    "Set Bodyweight Goals...",
                                                    "Weigh in bodyweight and bf%",
                                                    "Measurements...",
                                                    "Define Training and Nutrition Phases...",
                                                    "Nutrition, Bodyweight and Recovery Graphs...",
                                                    "Reports...",
                                                    "Personal Information...",
                                                    "Import/Export...",
                                                    kAskQuestionCommand};
  return commands;
}

}  // namespace korvela
