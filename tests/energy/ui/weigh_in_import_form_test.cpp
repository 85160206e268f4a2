#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <fstream>

#include "energy/ui/weigh_in_import_form.h"
#include "energy/weight_stat.h"
#include "screen_tests.h"
#include "energy/weigh_in_import.h"
#include "support/disk_limit.h"
#include "support/tab_chain.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Anna, created on the fixture's day (15 June 2007) with 65 kg, is logged in.
struct TImportFixture : TProgramFixture {
  TImportFixture() { AddAccount("Anna"); }

  QString WriteCsv(const std::string& text) {
    const std::filesystem::path path = folder / "weights.csv";
    std::ofstream(path, std::ios::binary) << text;
    return QString::fromStdString(path.string());
  }

  double StoredWeight(TDateTime day) {
    TDayRecordStore& records = program.Session()->DayRecords();
    TDBC* entry = records.FindDayRecord(kWeightStatKind, day);
    return entry ? records.Loaded<TWeightStat>(*entry).W : -1;
  }
};

class TWeighInImportFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ThePreviewListsEveryRowAndImportStoresTheGoodOnes() {
    TImportFixture f;
    TFWeighInImport form(f.program, f.prompter);
    form.show();
    QVERIFY(!form.ImportButton()->isEnabled());
    form.SetFile(f.WriteCsv("date,weight\n2007-06-01,<b>1</b>\n2007-06-10,150\n"));
    QCOMPARE(form.PreviewList()->topLevelItemCount(), 2);
    QCOMPARE(form.PreviewList()->topLevelItem(0)->text(4),
             QStringLiteral("the weight is not a number"));
    QCOMPARE(Child<QLabel>(form, "summaryLabel")->text(),
             QStringLiteral("1 to add, 0 to replace, 1 skipped."));
    // Pounds read the same file again.
    Child<QRadioButton>(form, "lbsRadioButton")->setChecked(true);
    QCOMPARE(form.PreviewList()->topLevelItem(1)->text(3), QStringLiteral("68.04 kg"));
    QVERIFY(form.ImportButton()->isEnabled());
    QCOMPARE(TabChainFaults(form, {QStringLiteral("importButton"), QStringLiteral("cancelButton")}),
             QStringList());
    QCOMPARE(UnnamedControls(form), QStringList());
    // A picture for a person to look at.
    if (const QString folder = qEnvironmentVariable("KORVELA_SNAPSHOTS"); !folder.isEmpty())
      form.grab().save(folder + QStringLiteral("/weigh-in-import.png"));

    QTest::mouseClick(form.ImportButton(), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(qAbs(f.StoredWeight(EncodeDate(2007, 6, 10)) - 68.0388) < 0.001);
    // History only: the account's own weigh-in stays the latest.
    QCOMPARE(f.StoredWeight(f.clock.Today()), 65.0);
  }

  void AnImportTheDiskRefusesSaysNothingWasImportedAndCanBeTriedAgain() {
    TImportFixture f;
    TFWeighInImport form(f.program, f.prompter);
    form.show();
    form.SetFile(f.WriteCsv("date,weight_kg\n2007-02-10,70\n2007-06-10,66\n2007-06-12,65.5\n"));
    QVERIFY(form.ImportButton()->isEnabled());
    const std::filesystem::path user = f.program.CurrentUser()->Folder;
    const auto before = FolderContents(user);
    {
      // No file may grow past what the largest of them holds now.
      std::uintmax_t largest = 0;
      for (const auto& [name, bytes] : before) largest = std::max<std::uintmax_t>(largest, bytes.size());
      const TDiskLimit full(largest);
      QTest::mouseClick(form.ImportButton(), Qt::LeftButton);
    }
    QVERIFY(form.isVisible());
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    const std::string warning = f.prompter.shown[0];
    QVERIFY(warning.starts_with("warn: Korvela could not save the file"));
    QVERIFY(warning.find(kMsgWeighInsNotImported) != std::string::npos);
    QCOMPARE(FolderContents(user), before);
    QCOMPARE(f.StoredWeight(EncodeDate(2007, 6, 10)), -1.0);
    QCOMPARE(f.StoredWeight(EncodeDate(2007, 2, 10)), -1.0);

    // With room on the disk the same preview goes in whole.
    f.prompter.shown.clear();
    QTest::mouseClick(form.ImportButton(), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(f.StoredWeight(EncodeDate(2007, 2, 10)), 70.0);
    QCOMPARE(f.StoredWeight(EncodeDate(2007, 6, 10)), 66.0);
    QCOMPARE(f.StoredWeight(EncodeDate(2007, 6, 12)), 65.5);
  }

  void AFileThatCannotBeReadIsNamedAndNothingCanBeImported() {
    TImportFixture f;
    TFWeighInImport form(f.program, f.prompter);
    const QString path = f.WriteCsv(std::string("\x89PNG\r\n\0\0", 8));
    form.SetFile(path);
    QCOMPARE(form.PreviewList()->topLevelItemCount(), 0);
    QCOMPARE(Child<QLabel>(form, "summaryLabel")->text(),
             QStringLiteral("Korvela could not read %1: the file holds binary data").arg(path));
    QVERIFY(!form.ImportButton()->isEnabled());
    QVERIFY(f.prompter.shown.empty());
  }
};

}  // namespace

int RunWeighInImportFormTests(int argc, char** argv) {
  TWeighInImportFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "weigh_in_import_form_test.moc"
