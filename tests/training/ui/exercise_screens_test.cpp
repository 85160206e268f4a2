#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "screen_tests.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "training/ui/class_selector_form.h"
#include "training/ui/exercise_editor_form.h"
#include "training/ui/exercises_form.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Anna is logged in; the dictionary holds five exercises.
struct TExerciseFixture : TProgramFixture {
  TExerciseFixture() {
    (void)program.LoadSharedCollections();
    AddAccount("Anna");
    Add("Barbell Bench Press", "Chest, Shoulders, Triceps", "Barbell", TMeasureKind::Weight);
    Add("Pullups", "Lats, Biceps", "Body Only", TMeasureKind::Reps);
    Add("Plank", "Abdominals", "Body Only", TMeasureKind::Time);
    Add("Dumbbell Flyes", "Chest", "Dumbbell", TMeasureKind::Weight);
    Add("Cable Crossover", "Chest, Shoulders", "Cable", TMeasureKind::Weight);
    TDClass muscles = *program.Exercises().FindClass(kMusclesClassID);
    muscles.SubClasses = {"Back", "Chest", "Triceps"};
    program.Exercises().SaveClass(muscles);
    program.Exercises().SortLive();
  }
  std::int32_t Add(const std::string& name, const std::string& muscles,
                   const std::string& equipment, TMeasureKind kind) {
    TDrill d;
    d.Name = name;
    d.Muscles = muscles;
    d.Equipment = equipment;
    d.TDM = kind;
    return program.Exercises().AddExercise(d).ID;
  }
  std::int32_t IdOf(const std::string& name) {
    for (const auto& d : program.Exercises().Live())
      if (d->Name == name) return d->ID;
    return -1;
  }
};

void Click(const QWidget& form, const char* button) { Child<QPushButton>(form, button)->click(); }
void Type(const QWidget& form, const char* edit, const char* text) {
  auto* e = Child<QLineEdit>(form, edit);
  e->setFocus();
  e->setText(QString::fromUtf8(text));
}
QStringList Column(const TExerciseListPanel& list, int column) {
  QStringList names;
  for (int r = 1; r < list.Grid()->rowCount(); ++r) names << list.Grid()->CellText(r, column);
  return names;
}

class TExerciseScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void DictionaryFiltersByEveryWordOfAField() {
    TExerciseFixture f;
    TFExercises form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Dictionary of Exercises"));
    QCOMPARE(form.List()->Grid()->CellText(0, 1), QStringLiteral("Target Muscles"));
    QCOMPARE(form.List()->ShownCount(), 5);
    QCOMPARE(Column(*form.List(), 0).front(), QStringLiteral("Barbell Bench Press"));
    Type(form, "musclesFilterLineEdit", "chest");
    QCOMPARE(Column(*form.List(), 0),
             (QStringList{QStringLiteral("Barbell Bench Press"), QStringLiteral("Cable Crossover"),
                          QStringLiteral("Dumbbell Flyes")}));
    Type(form, "musclesFilterLineEdit", "shoulders,CHEST");
    QCOMPARE(form.List()->ShownCount(), 2);
    Type(form, "nameFilterLineEdit", "cable");
    QCOMPARE(Column(*form.List(), 0), QStringList{QStringLiteral("Cable Crossover")});
    QVERIFY(!Child<QPushButton>(form, "editButton")->isEnabled());
    form.List()->Grid()->selectRow(1);
    QVERIFY(Child<QPushButton>(form, "editButton")->isEnabled());
    QVERIFY(f.program.Exercises().IsFileOpen());
  }

  void NewEditAndDeleteKeepTheListInStep() {
    TExerciseFixture f;
    std::vector<TEditMode> modes;
    {
      TFExercises form(f.program, f.prompter);
      form.RunEditor = [&](TEditMode mode, const TDrill* chosen) -> std::optional<TDrill> {
        modes.push_back(mode);
        TDrill d = EditorStart(mode, chosen);
        if (mode == TEditMode::New) {
          d.Name = "Air Squat";
          d.TDM = TMeasureKind::Reps;
        } else if (mode == TEditMode::Edit) {
          d.Name = "Zercher Squat";
        }
        f.program.Exercises().SaveExercise(d);
        return d;
      };
      Click(form, "newButton");
      QCOMPARE(Column(*form.List(), 0).back(), QStringLiteral("Air Squat"));  // appended
      form.List()->SelectDrill(f.IdOf("Plank"));
      Click(form, "editButton");
      QCOMPARE(Column(*form.List(), 0)[3], QStringLiteral("Zercher Squat"));  // same place
      form.List()->SelectDrill(f.IdOf("Pullups"));
      Click(form, "editCopyButton");
      QCOMPARE(Column(*form.List(), 0).back(), QStringLiteral("A Copy of Pullups"));
      form.List()->SelectDrill(f.IdOf("Pullups"));
      f.prompter.Plan(TAnswer::No);
      Click(form, "deleteButton");
      QCOMPARE(form.List()->ShownCount(), 7);
      f.prompter.Plan(TAnswer::Yes);
      Click(form, "deleteButton");
      QCOMPARE(Shown(f.prompter), (QStringList{QStringLiteral("ask: Do you really want to delete "
                                                              "Pullups?"),
                                               QStringLiteral("ask: Do you really want to delete "
                                                              "Pullups?")}));
      QCOMPARE(form.List()->ShownCount(), 6);
      QVERIFY(!Column(*form.List(), 0).contains(QStringLiteral("Pullups")));
    }
    QVERIFY(!f.program.Exercises().IsFileOpen());
    QCOMPARE(modes, (std::vector<TEditMode>{TEditMode::New, TEditMode::Edit, TEditMode::Copy}));
    TExerciseDictionary again(f.folder.Path(), *f.random);
    again.Load();
    QCOMPARE(again.Live().size(), std::size_t{6});
    QCOMPARE(again.DeletedList().size(), std::size_t{1});
    QCOMPARE(again.Live().back()->Name, std::string("Zercher Squat"));
  }

  void EditorWarnsOnceForEachMistakeAndSavesTheFields() {
    TExerciseFixture f;
    TFExerciseEditor editor(f.program, f.prompter, TEditMode::New, nullptr);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* name = Child<QLineEdit>(editor, "nameLineEdit");
    QCOMPARE(name->text(), QStringLiteral("A new exercise"));
    name->setFocus();
    name->clear();
    Child<QLineEdit>(editor, "shortNameLineEdit")->setFocus();  // leaving the empty name
    Click(editor, "okButton");
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Please, enter a name for the exercise")});
    QCOMPARE(QApplication::focusWidget(), name);

    QTest::keyClicks(name, QStringLiteral("  dumbbell   flyes "));
    Click(editor, "okButton");
    QCOMPARE(f.prompter.Last(), std::string("warn: Please, classify the exercise according to "
                                            "how it is measured"));
    Child<QRadioButton>(editor, "weightRadioButton")->setChecked(true);
    Click(editor, "okButton");
    QCOMPARE(f.prompter.Last(),
             std::string("warn: This exercise has been already added to the dictionary!"));
    QCOMPARE(f.prompter.shown.size(), std::size_t{3});

    name->setText(QStringLiteral("  Incline Flyes "));
    Type(editor, "musclesLineEdit", " Chest ");
    Type(editor, "movementLineEdit", " Push ");
    Child<QCheckBox>(editor, "unilateralCheckBox")->setChecked(true);
    Child<QPlainTextEdit>(editor, "instructionsTextEdit")
        ->setPlainText(QStringLiteral("Open wide."));
    editor.ChooseImageFile = [] { return QStringLiteral("/tmp/flyes.png"); };
    Click(editor, "browseButton");
    Click(editor, "okButton");
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    const TDrill& saved = editor.Drill();
    QCOMPARE(saved.Name, std::string("Incline Flyes"));
    QCOMPARE(saved.Muscles, std::string("Chest"));
    QCOMPARE(saved.TOM, std::string(" Push "));
    QCOMPARE(saved.UImg, std::string("/tmp/flyes.png"));
    QVERIFY(saved.Unilateral());
    QVERIFY(saved.ID >= 21);
    XMLDB db(f.folder / "GDDB.DAT", kExerciseDBKind, *f.random);
    QVERIFY(db.Has(saved.ID, 0));
  }

  void CancelAndEscapeNeverCheck() {
    TExerciseFixture f;
    TFExerciseEditor editor(f.program, f.prompter, TEditMode::New, nullptr);
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    auto* name = Child<QLineEdit>(editor, "nameLineEdit");
    name->setFocus();
    name->clear();
    QTest::mouseClick(Child<QPushButton>(editor, "cancelButton"), Qt::LeftButton);
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    TFExerciseEditor second(f.program, f.prompter, TEditMode::New, nullptr);
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    Child<QLineEdit>(second, "nameLineEdit")->clear();
    QTest::keyClick(&second, Qt::Key_Escape);
    QVERIFY(f.prompter.shown.empty());
  }

  void PreviewEscapesEveryTextAndLinksThePictureAsAFile() {
    TExerciseFixture f;
    TFExerciseEditor editor(f.program, f.prompter, TEditMode::New, nullptr);
    std::string page;
    editor.ShowPreview = [&page](TMyReport& report) { page = report.Text(); };
    Child<QLineEdit>(editor, "nameLineEdit")->setText(QStringLiteral("<b>Curl</b>"));
    Child<QLineEdit>(editor, "musclesLineEdit")->setText(QStringLiteral("<img src=\"/dev/zero\">"));
    Click(editor, "previewButton");
    QVERIFY(page.find("&lt;b&gt;Curl&lt;/b&gt;") != std::string::npos);
    QVERIFY(page.find("Muscles: &lt;img src=&quot;/dev/zero&quot;&gt;<br>") != std::string::npos);
    QVERIFY(page.find("<b>Curl") == std::string::npos);
    QVERIFY(page.find(">N/A<") != std::string::npos);
    Child<QLineEdit>(editor, "imageLineEdit")->setText(QStringLiteral("/tmp/a b\"><x.png"));
    Click(editor, "previewButton");
    QVERIFY(page.find("<img src=\"file:///tmp/a%20b%22%3E%3Cx.png\">") != std::string::npos);
  }

  void SelectorBuildsTheResultAndStoresTheList() {
    TExerciseFixture f;
    TFClassSelector selector(f.program, f.prompter, kMusclesClassID);
    auto* list = Child<QListWidget>(selector, "subClassesListWidget");
    QVERIFY(Child<QLineEdit>(selector, "classificationLineEdit")->isReadOnly());
    for (int i = 0; i < 3; ++i) list->item(i)->setSelected(true);
    auto* result = Child<QLineEdit>(selector, "resultLineEdit");
    QCOMPARE(result->text(), QStringLiteral("Back, Chest, Triceps"));
    list->item(1)->setSelected(false);
    QCOMPARE(result->text(), QStringLiteral("Back, Triceps"));
    QVERIFY(!Child<QPushButton>(selector, "editButton")->isEnabled());
    list->item(0)->setSelected(false);
    Click(selector, "upButton");  // Triceps moves above Chest
    QCOMPARE(list->item(1)->text(), QStringLiteral("Triceps"));
    QVERIFY(list->item(1)->isSelected());
    list->item(1)->setText(QStringLiteral("  "));  // an empty caption keeps the old one
    QCOMPARE(list->item(1)->text(), QStringLiteral("Triceps"));
    list->item(1)->setText(QStringLiteral("Triceps Brachii"));
    QCOMPARE(result->text(), QStringLiteral("Triceps Brachii"));
    Click(selector, "okButton");
    QCOMPARE(selector.Result(), std::string("Triceps Brachii"));
    QCOMPARE(f.program.Exercises().FindClass(kMusclesClassID)->SubClasses,
             (std::vector<std::string>{"Back", "Triceps Brachii", "Chest"}));
  }

  void UserClassificationsCanBeRenamedButNotEmptied() {
    TExerciseFixture f;
    TFClassSelector selector(f.program, f.prompter, 15);
    auto* name = Child<QLineEdit>(selector, "classificationLineEdit");
    QVERIFY(!name->isReadOnly());
    name->clear();
    Click(selector, "okButton");
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Please, provide a classification name")});
    name->setText(QStringLiteral("Grip"));
    Click(selector, "newButton");
    Click(selector, "okButton");
    QCOMPARE(f.program.Exercises().ClassName(15), std::string("Grip"));
    QCOMPARE(f.program.Exercises().FindClass(15)->SubClasses, std::vector<std::string>{"new..."});
    TFClassSelector cancelled(f.program, f.prompter, 15);
    Child<QLineEdit>(cancelled, "classificationLineEdit")->setText(QStringLiteral("Other"));
    Click(cancelled, "cancelButton");
    QCOMPARE(cancelled.Result(), std::string());
    QCOMPARE(f.program.Exercises().ClassName(15), std::string("Grip"));
  }

  void EveryControlHasATypedNameAndALabel() {
    TExerciseFixture f;
    TFExerciseEditor editor(f.program, f.prompter, TEditMode::New, nullptr);
    TFClassSelector selector(f.program, f.prompter, 14);
    TFExercises dictionary(f.program, f.prompter);
    for (const QWidget* screen :
         {static_cast<const QWidget*>(&editor), static_cast<const QWidget*>(&selector),
          static_cast<const QWidget*>(&dictionary)}) {
      QStringList faults = UnnamedControls(*screen);
      // The multi-line instructions box and the exercise grid are named
      // after their own types.
      faults.removeIf([](const QString& fault) {
        return fault.contains(QStringLiteral("QPlainTextEdit 'instructionsTextEdit'")) ||
               fault.contains(QStringLiteral("TMyGrid 'exercisesGrid'"));
      });
      QCOMPARE(faults, QStringList());
    }
  }

  void PickerReturnsTheOneSelectedExercise() {
    TExerciseFixture f;
    TFSelectExercise picker(f.program, f.prompter);
    QCOMPARE(picker.windowTitle(), QStringLiteral("Select Exercise"));
    auto* ok = Child<QPushButton>(picker, "okButton");
    QVERIFY(!ok->isEnabled());
    Type(picker, "nameFilterLineEdit", "plank");
    picker.List()->Grid()->selectRow(1);
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(picker.ChosenID(), f.IdOf("Plank"));
    QVERIFY2(!f.program.Exercises().IsFileOpen(), "the picker does not open the file");
  }
};

}  // namespace

int RunExerciseScreensTests(int argc, char** argv) {
  TExerciseScreensTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "exercise_screens_test.moc"
