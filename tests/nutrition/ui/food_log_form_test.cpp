#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <filesystem>

#include "food_fixture.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_logging.h"
#include "nutrition/ui/food_log_form.h"
#include "screen_tests.h"
#include "support/tab_chain.h"

namespace korvela::test {
namespace {

// Types into whatever has the keyboard and counts every key.
struct TKeyboard {
  int keys = 0;
  void Type(const QString& text) {
    // Key by key, as a person types: a key may move the keyboard elsewhere.
    for (const QChar c : text) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    keys += static_cast<int>(text.size());
  }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    ++keys;
  }
};

void LoadCatalogue(TFoodFixture& f) {
  std::filesystem::copy_file(KORVELA_SHIPPED_FOODS, f.folder / "foods.dat");
  (void)LoadFoodCatalogue(f.program.Foods(), f.program.Units(), f.folder.Path(), *f.random);
}

// The logging dialog's own keys (the quantity, then Enter, which its own
// test proves) stand in for the dialog here, so that no modal window runs.
void AnswerLoggingDialog(TFFoodLogForm& form, TKeyboard& keyboard, const TConfigurator& config,
                         const QString& quantity) {
  form.Dialogs().logFood = [&keyboard, &config, quantity](TWFoodItem item, TDaysMeals& plan,
                                                          int meal) {
    TFoodLogging logging(std::move(item), plan, meal, config);
    logging.TypeQuantity(quantity.toStdString());
    keyboard.keys += static_cast<int>(quantity.size()) + 1;
    return TLogOutcome{true, logging.Confirm(), false};
  };
}

void LogSelected(TKeyboard& keyboard) { keyboard.Press(Qt::Key_Return); }

class TFoodLogFormTest : public QObject {
  Q_OBJECT
 private slots:
  void AWholeDayIsLoggedFromTheKeyboardAlone() {
    TFoodFixture f;
    LoadCatalogue(f);
    TFFoodLogForm form(f.program, f.prompter, f.program.Clock().Today());
    ShowActive(form);
    QCOMPARE(form.Tabs()->tabText(2), QStringLiteral("Food Log 15 Jun 2007"));
    QVERIFY(form.SearchBox()->hasFocus());

    TKeyboard keyboard;
    keyboard.Type(QStringLiteral("banana raw"));
    keyboard.Press(Qt::Key_Return);
    QCOMPARE(form.Tabs()->currentIndex(), 1);
    QVERIFY(form.List()->hasFocus());
    QVERIFY(form.List()->topLevelItemCount() > 0);
    // The food found first is chosen, and the commands on it are ready.
    QVERIFY(form.findChild<QPushButton*>(QStringLiteral("logButton"))->isEnabled());
    AnswerLoggingDialog(form, keyboard, f.program.Config(), QStringLiteral("2"));
    LogSelected(keyboard);
    // One food: the query, Enter to find, Enter to log, the quantity, Enter.
    QCOMPARE(keyboard.keys, 10 + 1 + 1 + 1 + 1);
    QCOMPARE(form.Tabs()->currentIndex(), 2);
    const TDaysMeals& log = form.State().Plan(0);
    QCOMPARE(log.meals[0].foods.size(), std::size_t(1));
    QCOMPARE(Q(log.meals[0].foods[0].WMStr), QStringLiteral("2"));
    QVERIFY(form.State().Modified(0));
    // The next food starts in the search box again, its old text selected.
    QVERIFY(form.SearchBox()->hasFocus());
    keyboard.Type(QStringLiteral("cheddar"));
    keyboard.Press(Qt::Key_Return);
    LogSelected(keyboard);
    QCOMPARE(log.meals[0].foods.size(), std::size_t(2));

    // The usage of each logged food was counted.
    QVERIFY(f.program.Session()->FrequentFoods().Entries.size() >= 2);

    // OK saves the log without a question.
    form.accept();
    QCOMPARE(f.prompter.shown.size(), std::size_t(0));
    TFoodLogStore store(f.program.CurrentUser()->Folder, f.program.Random());
    const std::optional<TDaysMeals> saved = store.LoadDayLog(f.program.Clock().Today());
    QVERIFY(saved.has_value());
    QCOMPARE(saved->meals[0].foods.size(), std::size_t(2));
    store.Close();
  }

  void EscapeInTheSearchBoxAsksForTheUnsavedLog() {
    TFoodFixture f;
    LoadCatalogue(f);
    TFFoodLogForm form(f.program, f.prompter, f.program.Clock().Today());
    ShowActive(form);
    TKeyboard keyboard;
    keyboard.Type(QStringLiteral("banana raw"));
    keyboard.Press(Qt::Key_Return);
    AnswerLoggingDialog(form, keyboard, f.program.Config(), QStringLiteral("1"));
    LogSelected(keyboard);
    f.prompter.Plan(TAnswer::No);
    QTest::keyClick(form.SearchBox(), Qt::Key_Escape);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral(
                 "ask: Food Log 15 Jun 2007 is not saved. Do you want to save it now?")});
    QCOMPARE(form.result(), int(QDialog::Rejected));
  }

  void ALetterTypedInTheListStartsANewSearch() {
    TFoodFixture f;
    LoadCatalogue(f);
    TFFoodLogForm form(f.program, f.prompter, f.program.Clock().Today());
    ShowActive(form);
    TKeyboard keyboard;
    keyboard.Type(QStringLiteral("banana raw"));
    keyboard.Press(Qt::Key_Return);
    QVERIFY(form.List()->hasFocus());
    keyboard.Type(QStringLiteral("ch"));
    QVERIFY(form.SearchBox()->hasFocus());
    QCOMPARE(form.SearchBox()->text(), QStringLiteral("ch"));
    // A shortcut with Ctrl is a command, not the start of a search.
    form.List()->setFocus();
    keyboard.Press(Qt::Key_C, Qt::ControlModifier);
    QVERIFY(form.List()->hasFocus());
    QCOMPARE(form.SearchBox()->text(), QStringLiteral("ch"));
  }

  void EveryStopIsNamedAndTheToolBarSaysWhatItOpens() {
    TFoodFixture f;
    TFFoodLogForm form(f.program, f.prompter, f.program.Clock().Today());
    ShowActive(form);
    QCOMPARE(UnnamedControls(form), QStringList());
    const QStringList faults =
        TabChainFaults(form, {QStringLiteral("findButton"), QStringLiteral("okButton"),
                              QStringLiteral("cancelButton"), QStringLiteral("helpButton")});
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    QStringList captions;
    for (QToolButton* b : form.findChild<QToolBar*>()->findChildren<QToolButton*>())
      if (b->isVisibleTo(&form) && b->defaultAction()) captions << b->text();
    QVERIFY2(captions.contains(QStringLiteral("Open Log")),
             qPrintable(captions.join(QStringLiteral(","))));
    QVERIFY(captions.contains(QStringLiteral("Open Menu")));
    QCOMPARE(captions.removeDuplicates(), qsizetype(0));
  }
};

}  // namespace

int RunFoodLogFormTests(int argc, char** argv) {
  TFoodLogFormTest test;
  return QTest::qExec(&test, argc, argv);
}

// A busy day of five meals, a menu beside it and search results, as a
// person would see it at 1366x768.
void WriteFoodLogSnapshots(const QString& folder) {
  QDir().mkpath(folder);
  TFoodFixture f;
  LoadCatalogue(f);
  TFFoodLogForm form(f.program, f.prompter, f.program.Clock().Today());
  TFoodLogState& state = form.State();
  const char* queries[] = {
      "oats",    "milk reduced fat",       "banana raw",        "apple raw",       "bread wheat",
      "cheddar", "chicken breast roasted", "rice white cooked", "broccoli cooked", "yogurt plain",
      "almonds", "salmon cooked"};
  form.Dialogs().logFood = [&f](TWFoodItem item, TDaysMeals& plan, int meal) {
    TFoodLogging logging(std::move(item), plan, meal, f.program.Config());
    return TLogOutcome{true, logging.Confirm(), false};
  };
  int meal = 0;
  int n = 0;
  for (const char* q : queries) {
    state.Find(q, 0, false);
    state.SetDefaultMeal(meal);
    state.LogFood(1, 0);
    if (++n % 2 == 0) meal = (meal + 1) % 5;
  }
  form.Dialogs().planOptions = [](TDaysMeals& plan) {
    plan.MenuName = "Training day menu";
    return true;
  };
  state.NewMenu();
  for (const char* q : {"oats", "milk reduced fat", "banana raw"}) {
    state.Find(q, 0, false);
    state.LogFood(1, 0);
  }
  state.SetTarget(0);
  form.SearchBox()->setText(QStringLiteral("chicken"));
  state.Find("chicken", 0, false);
  form.resize(1366 - 16, 768 - 60);
  form.show();
  form.Refresh(2);
  QApplication::processEvents();
  form.grab().save(QDir(folder).filePath(QStringLiteral("food-log.png")));
  form.Tabs()->setCurrentIndex(1);
  QApplication::processEvents();
  form.grab().save(QDir(folder).filePath(QStringLiteral("food-log-results.png")));
  form.Tabs()->setCurrentIndex(3);
  QApplication::processEvents();
  form.grab().save(QDir(folder).filePath(QStringLiteral("food-log-menu.png")));
  qInfo("food-log: %dx%d (minimum %dx%d)", form.width(), form.height(),
        form.minimumSizeHint().width(), form.minimumSizeHint().height());
  form.Dialogs().planOptions = [](TDaysMeals&) { return true; };
  f.prompter.Plan(TAnswer::No);
  f.prompter.Plan(TAnswer::No);
  form.reject();
}

}  // namespace korvela::test

#include "food_log_form_test.moc"
