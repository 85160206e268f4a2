#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "reports/diary_backup.h"
#include "reports/ui/diary_backup_form.h"
#include "storage/write_refused.h"
#include "support/tab_chain.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

using TMode = TFDiaryBackup::TMode;

// A started program with Ann logged in, and a folder outside the program
// folder for the backups.
struct TBackupFixture : TProgramFixture {
  TBackupFixture() {
    (void)program.LoadSharedCollections();
    AddAccount("Ann");
  }
  QString PathOf(const char* name) const { return Q((outside / name).string()); }
  TTempFolder outside;
};

}  // namespace

class TDiaryBackupFormTest : public QObject {
  Q_OBJECT
 private slots:
  void BacksUpAndRestoresThroughTheScreen() {
    TBackupFixture f;
    const QString file = f.PathOf("ann.kvb");
    {
      TFDiaryBackup form(TMode::BackUp, f.program, f.prompter);
      form.show();
      QVERIFY(form.FileEdit()->text().endsWith(QStringLiteral("Ann diary 2007-06-15.kvb")));
      // A blank field is the one mistake reported; the screen stays.
      form.FileEdit()->setText(QStringLiteral("  "));
      form.StartButton()->click();
      QCOMPARE(Shown(f.prompter),
               QStringList{QStringLiteral("warn: ") + Q(kMsgChooseBackupTarget)});
      QVERIFY(form.isVisible());
      form.FileEdit()->setText(file);
      QTest::keyClick(form.FileEdit(), Qt::Key_Return);  // Enter backs up
      QVERIFY(f.prompter.Last().starts_with("inform: The diary of Ann was backed up to "));
      QCOMPARE(form.result(), int(QDialog::Accepted));
    }
    {
      // An existing file is replaced only when the user says so.
      f.prompter.shown.clear();
      f.prompter.Plan(TAnswer::No);
      TFDiaryBackup form(TMode::BackUp, f.program, f.prompter);
      form.show();
      form.FileEdit()->setText(file);
      form.StartButton()->click();
      QCOMPARE(Shown(f.prompter),
               QStringList{QStringLiteral("ask: ") + Q(ReplaceBackupQuestion(file.toStdString()))});
      QVERIFY(form.isVisible());
    }
    {
      f.prompter.shown.clear();
      TFDiaryBackup form(TMode::Restore, f.program, f.prompter);
      form.show();
      QVERIFY(form.FileEdit()->text().isEmpty());
      form.FileEdit()->setText(file);
      form.StartButton()->click();
      QCOMPARE(Shown(f.prompter),
               QStringList{QStringLiteral("inform: ") + Q(RestoredText("Ann (restored)"))});
      QCOMPARE(form.result(), int(QDialog::Accepted));
      QCOMPARE(f.program.Accounts().size(), std::size_t{2});
    }
  }

  // A name typed without an extension is written with ".kvb", and the
  // field shows the name written; a name with an extension keeps it.
  void ANameWithoutAnExtensionGetsTheBackupExtension() {
    const std::pair<const char*, const char*> names[] = {{"/a/plain", "/a/plain.kvb"},
                                                         {"/a/ann.kvb", "/a/ann.kvb"},
                                                         {"/a/ann.bak", "/a/ann.bak"},
                                                         {"/a/v1.2/diary", "/a/v1.2/diary.kvb"},
                                                         {"/a/", "/a/"}};
    for (const auto& [typed, written] : names)
      QCOMPARE(Q(WithBackupExtension(typed).string()), QString::fromUtf8(written));

    TBackupFixture f;
    for (const char* name : {"plain", "ann.bak"}) {
      f.prompter.shown.clear();
      TFDiaryBackup form(TMode::BackUp, f.program, f.prompter);
      form.show();
      form.FileEdit()->setText(f.PathOf(name));
      form.StartButton()->click();
      const std::filesystem::path file = WithBackupExtension(f.outside / name);
      QVERIFY(std::filesystem::is_regular_file(file));
      QCOMPARE(form.FileEdit()->text(), Q(file.string()));
      QVERIFY(f.prompter.Last().find(file.string()) != std::string::npos);
      QCOMPARE(form.result(), int(QDialog::Accepted));
    }
    QVERIFY(!std::filesystem::exists(f.outside / "plain"));
    // The file dialog's consent to replace "plain" is none to replace
    // "plain.kvb": that is asked.
    f.prompter.shown.clear();
    f.prompter.Plan(TAnswer::No);
    TFDiaryBackup form(TMode::BackUp, f.program, f.prompter);
    form.ChooseFile = [&f] { return f.PathOf("plain"); };
    form.show();
    Child<QPushButton>(form, "browseButton")->click();
    form.StartButton()->click();
    const std::filesystem::path existing = f.outside / "plain.kvb";
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("ask: ") + Q(ReplaceBackupQuestion(existing))});
    QVERIFY(form.isVisible());
  }

  void MistakesAndRefusalsKeepTheScreenOpen() {
    TBackupFixture f;
    {
      TFDiaryBackup form(TMode::BackUp, f.program, f.prompter);
      form.show();
      // A folder that does not exist: the disk refuses, the old state stays.
      const std::filesystem::path refused = f.outside / "no folder" / "ann.kvb";
      form.FileEdit()->setText(Q(refused.string()));
      form.StartButton()->click();
      QVERIFY(f.prompter.Last().starts_with("warn: "));
      QVERIFY(f.prompter.Last().find(refused.string()) != std::string::npos);
      QVERIFY(form.isVisible());
    }
    TFDiaryBackup form(TMode::Restore, f.program, f.prompter);
    form.show();
    const std::filesystem::path missing = f.outside / "missing.kvb";
    const std::filesystem::path damaged = f.outside / "damaged.kvb";
    std::ofstream(damaged) << "date,weight\n";
    const std::pair<std::filesystem::path, std::string> cases[] = {
        {"", std::string("warn: ") + kMsgChooseBackupSource},
        {missing, "warn: " + NoBackupFileText(missing)},
        {damaged, "warn: " + RefusedBackupText(EBackupDamaged(damaged.string()))},
    };
    for (const auto& [path, shown] : cases) {
      f.prompter.shown.clear();
      form.FileEdit()->setText(Q(path.string()));
      form.StartButton()->click();
      QCOMPARE(Shown(f.prompter), QStringList{Q(shown)});
      QVERIFY(form.isVisible());
    }
    QCOMPARE(f.program.Accounts().size(), std::size_t{1});
    // Escape leaves without a word.
    f.prompter.shown.clear();
    QTest::keyClick(form.FileEdit(), Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QVERIFY(f.prompter.shown.empty());
  }

  void EveryControlIsReachedByTabAndNamed() {
    TBackupFixture f;
    for (const TMode mode : {TMode::BackUp, TMode::Restore}) {
      TFDiaryBackup form(mode, f.program, f.prompter);
      form.show();
      QCOMPARE(UnnamedControls(form), QStringList());
      QCOMPARE(TabChainFaults(form, {QStringLiteral("startButton")}), QStringList());
    }
  }
};

}  // namespace korvela::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  korvela::test::TDiaryBackupFormTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "diary_backup_form_test.moc"
