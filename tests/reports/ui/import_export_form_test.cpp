#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include "nutrition/user_foods.h"
#include "reports/ui/import_export_form.h"
#include "support/tab_chain.h"
#include "users/ui/program_fixture.h"
#include "widgets/elided_label.h"

namespace korvela::test {
namespace {

// A started program with its shared collections, a few foods and menus of
// its own, Ann logged in, and a package path outside the program folder.
struct TExchangeFixture : TProgramFixture {
  TExchangeFixture() {
    (void)program.LoadSharedCollections();
    for (const char* name : {"Rye Bread", "Oat Bread", "<b>Bold</b> Muesli"}) {
      auto food = std::make_unique<TUserFood>(name);
      food->P = 9;
      food->CategoryID = 0;
      SaveUserFood(*food, program.Folder(), program.Random());
      program.Foods().UserFoodList().Foods.push_back(std::move(food));
    }
    for (const char* name : {"Rest Day", "Race Day"}) {
      auto menu = std::make_unique<TDaysMeals>();
      menu->MenuName = name;
      program.Menus().SaveMenu(std::move(menu));
    }
    AddAccount("Ann");
  }
  QString PackagePath() const { return QString::fromStdString((outside / "share.krv").string()); }
  TTempFolder outside;
};

QTreeWidget* List(const QWidget& form, const char* name) { return Child<QTreeWidget>(form, name); }
QPushButton* Button(const QWidget& form, const char* name) {
  return Child<QPushButton>(form, name);
}
QStringList Rows(const QTreeWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.topLevelItemCount(); ++i)
    rows << list.topLevelItem(i)->text(0) + QStringLiteral(" | ") + list.topLevelItem(i)->text(1);
  return rows;
}
void SelectRows(QTreeWidget& list, std::initializer_list<int> rows) {
  list.clearSelection();
  for (const int row : rows) list.topLevelItem(row)->setSelected(true);
}
QAction* MenuAction(const QWidget& form, const QString& text) {
  for (QAction* action : Child<QMenuBar>(form, "importExportMenuBar")->actions())
    if (action->text() == text) return action;
  throw std::logic_error("no menu command " + text.toStdString());
}

}  // namespace

class TImportExportFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ExportsOpensAndImportsThroughTheControls() {
    TExchangeFixture f;
    {
      TFImportExport form(f.program, f.prompter);
      form.ChooseFile = [&] { return f.PackagePath(); };
      form.AskPassword = [](bool) -> std::optional<QString> {
        throw std::logic_error("no password was expected");
      };
      form.show();
      QTreeWidget& local = *List(form, "localItemsList");
      // Names from files are shown as typed, never as markup.
      QCOMPARE(Rows(local), QStringList({QStringLiteral("Rye Bread | Food Item"),
                                         QStringLiteral("Oat Bread | Food Item"),
                                         QStringLiteral("<b>Bold</b> Muesli | Food Item")}));
      QVERIFY(!MenuAction(form, QStringLiteral("Set File Password..."))->isEnabled());
      QVERIFY(!Button(form, "exportButton")->isEnabled());
      QVERIFY(!Button(form, "importAllButton")->isEnabled());

      // Export without a package warns.
      SelectRows(local, {0});
      QVERIFY(Button(form, "exportButton")->isEnabled());
      QTest::mouseClick(Button(form, "exportButton"), Qt::LeftButton);
      QCOMPARE(f.prompter.Last(), std::string("warn: ") + kMsgNoPackageOpen);

      MenuAction(form, QStringLiteral("New/Open Import Export File"))->trigger();
      QVERIFY(MenuAction(form, QStringLiteral("Set File Password..."))->isEnabled());
      QCOMPARE(Child<TElidedLabel>(form, "packageNameLabel")->FullText(), f.PackagePath());
      Child<QLineEdit>(form, "localFilterLineEdit")->setText(QStringLiteral("bread"));
      QCOMPARE(local.topLevelItemCount(), 2);
      Button(form, "selectAllButton")->click();
      Button(form, "exportButton")->click();
      QCOMPARE(f.prompter.Last(), std::string("inform: 2 item(s) exported successfully"));
      QVERIFY(local.selectedItems().isEmpty());
      // The filter holds on the next tab.
      Child<QTabBar>(form, "localKindTabs")->setCurrentIndex(2);  // Menus
      QCOMPARE(local.topLevelItemCount(), 0);
      Child<QLineEdit>(form, "localFilterLineEdit")->clear();
      QCOMPARE(local.topLevelItemCount(), 2);
      SelectRows(local, {1});
      Button(form, "exportButton")->click();
      QCOMPARE(Rows(*List(form, "packageItemsList")),
               QStringList({QStringLiteral("Rye Bread | Food Item"),
                            QStringLiteral("Oat Bread | Food Item"),
                            QStringLiteral("Race Day | Daily Menu")}));
      Child<QTabBar>(form, "packageKindTabs")->setCurrentIndex(3);  // Menus
      QCOMPARE(Rows(*List(form, "packageItemsList")),
               QStringList({QStringLiteral("Race Day | Daily Menu")}));
      QTest::mouseClick(Button(form, "okButton"), Qt::LeftButton);
      QVERIFY(!form.isVisible());
    }

    // A new installation opens the package and takes the menu tab's items
    // only; a duplicate asks.
    TFImportExport form(f.program, f.prompter);
    form.ChooseFile = [&] { return f.PackagePath(); };
    form.show();
    MenuAction(form, QStringLiteral("New/Open Import Export File"))->trigger();
    Child<QTabBar>(form, "packageKindTabs")->setCurrentIndex(3);
    f.prompter.Plan(TAnswer::Yes);
    Button(form, "importAllButton")->click();
    QCOMPARE(f.prompter.shown.at(f.prompter.shown.size() - 2),
             "ask: " + DuplicateQuestion("Race Day"));
    QCOMPARE(f.prompter.Last(), std::string("inform: 1 item(s) imported successfully"));
    QCOMPARE(f.program.Menus().Menus().size(), 3u);
    QCOMPARE(f.program.Foods().UserFoodList().Foods.size(), 3u);

    // Deleting asks; No keeps the items.
    Child<QTabBar>(form, "packageKindTabs")->setCurrentIndex(0);
    SelectRows(*List(form, "packageItemsList"), {0, 2});
    QVERIFY(Button(form, "deleteButton")->isEnabled());
    f.prompter.Plan(TAnswer::No);
    Button(form, "deleteButton")->click();
    QCOMPARE(List(form, "packageItemsList")->topLevelItemCount(), 3);
    f.prompter.Plan(TAnswer::Yes);
    Button(form, "deleteButton")->click();
    QCOMPARE(Rows(*List(form, "packageItemsList")),
             QStringList({QStringLiteral("Oat Bread | Food Item")}));
  }

  void APasswordIsSetAndAskedFor() {
    TExchangeFixture f;
    int asked = 0;
    {
      TFImportExport form(f.program, f.prompter);
      form.ChooseFile = [&] { return f.PackagePath(); };
      form.AskPassword = [&](bool setting) -> std::optional<QString> {
        if (!setting) throw std::logic_error("a new package has no password");
        ++asked;
        return QStringLiteral("kiwi");
      };
      MenuAction(form, QStringLiteral("New/Open Import Export File"))->trigger();
      MenuAction(form, QStringLiteral("Set File Password..."))->trigger();
      QCOMPARE(asked, 1);
      form.accept();
    }
    TFImportExport form(f.program, f.prompter);
    form.ChooseFile = [&] { return f.PackagePath(); };
    QStringList typed = {QStringLiteral("apple"), QStringLiteral("kiwi")};
    form.AskPassword = [&](bool setting) -> std::optional<QString> {
      if (setting || typed.isEmpty()) return std::nullopt;
      return typed.takeFirst();
    };
    MenuAction(form, QStringLiteral("New/Open Import Export File"))->trigger();
    QVERIFY(typed.isEmpty());
    QCOMPARE(f.prompter.Last(), std::string("warn: ") + kMsgBadPackagePassword);
    QVERIFY(MenuAction(form, QStringLiteral("Set File Password..."))->isEnabled());
  }

  // With KORVELA_SCREENSHOTS set to a folder (under Xvfb), a picture of the
  // screen with a package open, and the check that it fits the display.
  void Screenshot() {
    const QString folder = qEnvironmentVariable("KORVELA_SCREENSHOTS");
    if (folder.isEmpty()) QSKIP("KORVELA_SCREENSHOTS not set");
    TExchangeFixture f;
    TFImportExport form(f.program, f.prompter);
    form.ChooseFile = [&] { return f.PackagePath(); };
    MenuAction(form, QStringLiteral("New/Open Import Export File"))->trigger();
    Button(form, "selectAllButton")->click();
    Button(form, "exportButton")->click();
    Child<QTabBar>(form, "localKindTabs")->setCurrentIndex(2);
    Button(form, "selectAllButton")->click();
    Button(form, "exportButton")->click();
    SelectRows(*List(form, "packageItemsList"), {1});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(200);
    const QRect area = form.screen()->availableGeometry();
    QVERIFY(form.frameGeometry().width() <= area.width());
    QVERIFY(form.frameGeometry().height() <= area.height());
    QVERIFY(form.grab().save(folder + QStringLiteral("/import-export.png")));
  }

  void EveryControlIsReachedByTabAndNamed() {
    TExchangeFixture f;
    TFImportExport form(f.program, f.prompter);
    form.show();
    QCOMPARE(TabChainFaults(form, {QStringLiteral("okButton")}), QStringList());
  }
};

}  // namespace korvela::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  korvela::test::TImportExportFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "import_export_form_test.moc"
