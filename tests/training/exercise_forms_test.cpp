#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "training/exercise_forms.h"

namespace korvela {
namespace {

class ExerciseFormsTest : public ::testing::Test {
 protected:
  ExerciseFormsTest() {
    dictionary.Load();
    TDrill d;
    d.Name = "Barbell Curl";
    d.TDM = TMeasureKind::Weight;
    curl = dictionary.AddExercise(d).ID;
  }
  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(5);
  TExerciseDictionary dictionary{folder.Path(), *random};
  std::int32_t curl = 0;
};

TEST_F(ExerciseFormsTest, EditorStartsFromANewExerciseACopyOrTheExerciseItself) {
  const TDrill& chosen = *dictionary.Find(curl);
  const TDrill fresh = EditorStart(TEditMode::New, nullptr);
  EXPECT_EQ(fresh.Name, "A new exercise");
  EXPECT_EQ(fresh.ID, -1);
  EXPECT_EQ(fresh.TDM, TMeasureKind::Unset);
  EXPECT_FALSE(fresh.Unilateral());
  EXPECT_EQ(EditorStart(TEditMode::Edit, &chosen).ID, curl);
  const TDrill copy = EditorStart(TEditMode::Copy, &chosen);
  EXPECT_EQ(copy.ID, -1);
  EXPECT_EQ(copy.Name, "A Copy of Barbell Curl");
}

TEST_F(ExerciseFormsTest, ChecksComeOneAtATimeInTheirOrder) {
  TExerciseForm form = FormOf(EditorStart(TEditMode::New, nullptr));
  form.name = "  ";
  EXPECT_EQ(CheckExerciseName(form.name)->message, std::string(kNameMissingMessage));
  form.name = "barbell  curl";
  const auto kind = CheckExerciseForm(form, -1, dictionary);
  ASSERT_TRUE(kind);
  EXPECT_EQ(kind->field, TExerciseField::Kind);
  EXPECT_STREQ(kind->message, "Please, classify the exercise according to how it is measured");
  form.kindIndex = 0;
  const auto duplicate = CheckExerciseForm(form, -1, dictionary);
  ASSERT_TRUE(duplicate);
  EXPECT_EQ(duplicate->field, TExerciseField::Name);
  EXPECT_STREQ(duplicate->message, "This exercise has been already added to the dictionary!");
  EXPECT_FALSE(CheckExerciseForm(form, curl, dictionary)) << "its own name";
  form.name = "Cable Curl";
  EXPECT_FALSE(CheckExerciseForm(form, -1, dictionary));
}

TEST_F(ExerciseFormsTest, ApplyTrimsNamesAndTheFirstClassificationsOnly) {
  TExerciseForm form;
  form.name = " Curl ";
  form.shortName = " C ";
  form.muscles = " Biceps ";
  form.equipment = " Cable ";
  form.movement = " Pull ";
  form.user = {" a ", "b", "", "d "};
  form.kindIndex = 2;
  form.unilateral = true;
  form.instructions = " Go.\r\n";
  TDrill d;
  ApplyExerciseForm(form, d);
  EXPECT_EQ(d.Name, "Curl");
  EXPECT_EQ(d.ShortName, "C");
  EXPECT_EQ(d.Muscles, "Biceps");
  EXPECT_EQ(d.Equipment, "Cable");
  EXPECT_EQ(d.TOM, " Pull ");
  EXPECT_EQ(d.UDOne, " a ");
  EXPECT_EQ(d.UDFour, "d ");
  EXPECT_EQ(d.TDM, TMeasureKind::Time);
  EXPECT_EQ(d.LAT, 1);
  EXPECT_EQ(d.Instructions, " Go.\r\n");
  EXPECT_EQ(FormOf(d).kindIndex, 2);
}

TEST(ClassificationSelector, ResultItemsAreAddedAndRemovedWhole) {
  std::string result;
  for (const char* item : {"Back", "Chest", "Triceps"}) result = AddToResult(result, item);
  EXPECT_EQ(result, "Back, Chest, Triceps");
  EXPECT_EQ(RemoveFromResult(result, "Chest"), "Back, Triceps");
  EXPECT_EQ(RemoveFromResult(result, "Back"), "Chest, Triceps");
  EXPECT_EQ(RemoveFromResult(result, "Triceps"), "Back, Chest");
  EXPECT_EQ(RemoveFromResult("Forearm, Arm", "Arm"), "Forearm");
  EXPECT_EQ(RemoveFromResult("Arm, Forearm, Arm", "Arm"), "Forearm");
  EXPECT_EQ(RemoveFromResult("Chest", "Chest"), "");
}

TEST(ClassificationSelector, SelectedItemsMoveTogetherAndStopAtTheEnds) {
  std::vector<std::string> items = {"a", "b", "c", "d", "e"};
  std::vector<bool> selected = {true, false, true, true, false};
  MoveSelectedUp(items, selected);
  EXPECT_EQ(items, (std::vector<std::string>{"a", "c", "d", "b", "e"}));
  EXPECT_EQ(selected, (std::vector<bool>{true, true, true, false, false}));
  selected = {false, false, false, true, true};
  MoveSelectedDown(items, selected);
  EXPECT_EQ(items, (std::vector<std::string>{"a", "c", "d", "b", "e"})) << "the last stays";
  selected = {false, true, false, true, false};
  MoveSelectedDown(items, selected);
  EXPECT_EQ(items, (std::vector<std::string>{"a", "d", "c", "e", "b"}));
  EXPECT_EQ(selected, (std::vector<bool>{false, false, true, false, true}));
  std::vector<std::string> none;
  std::vector<bool> noSelection;
  MoveSelectedDown(none, noSelection);
}

TEST_F(ExerciseFormsTest, PreviewInformationIsEscapedAndSkipsEmptyFields) {
  TDClass user = *dictionary.FindClass(15);
  user.Name = "Grip";
  dictionary.SaveClass(user);
  TExerciseForm form;
  form.name = "<b>Curl</b>";
  form.shortName = "C&C";
  form.muscles = "Biceps <i>";
  form.user[1] = "wide";
  form.instructions = "Stand.\r\nCurl <img src=\"/dev/zero\">.";
  EXPECT_EQ(ExerciseInformationHtml(form, dictionary),
            "Muscles: Biceps &lt;i&gt;<br>Grip: wide<br>Instructions: Stand.<br>Curl &lt;img "
            "src=&quot;/dev/zero&quot;&gt;.");
  EXPECT_EQ(PreviewName(form, true), "C&C");
  EXPECT_EQ(PreviewName(form, false), "<b>Curl</b>");
  EXPECT_EQ(ExerciseInformationHtml(TExerciseForm{}, dictionary), "");
  EXPECT_EQ(FileUrl("/home/ann/my pics/curl#1.png"), "file:///home/ann/my%20pics/curl%231.png");
  EXPECT_EQ(FileUrl("/a/\"><script>"), "file:///a/%22%3E%3Cscript%3E");
}

}  // namespace
}  // namespace korvela
