// The reports screen on a real display (run under Xvfb at 1366x768, 1280x720
// and at scale factor 2 on 2732x1536): it opens within the screen's free
// area on every tab, and nothing of it is cut off.
#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "app/user_session.h"
#include "reports/ui/reports_form.h"
#include "training/training_records.h"
#include "users/ui/program_fixture.h"
#include "widgets/window_fit.h"

namespace korvela::test {
namespace {

class TReportsScreenFitTest : public QObject {
  Q_OBJECT
 private slots:
  void TheScreenFitsOnEveryTab() {
    TProgramFixture f;
    (void)f.program.LoadSharedCollections();
    f.AddAccount("Anna");
    TDrill drill;
    drill.Name = std::string(120, 'W');  // a name longer than any screen is wide
    drill.TDM = TMeasureKind::Weight;
    TWorkout workout;
    workout.Date = EncodeDate(2007, 6, 12);
    TDrillSet set;
    set.DID = f.program.Exercises().AddExercise(drill).ID;
    workout.Lines.push_back(set);
    AppendWorkoutLog(f.program.Session()->DayRecords(), f.program.Exercises(), workout);

    TFReports form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect area = QApplication::primaryScreen()->availableGeometry();
    const QString folder = qEnvironmentVariable("KORVELA_SCREENSHOTS");
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("reportTabWidget"));
    for (int tab = 0; tab < tabs->count(); ++tab) {
      tabs->setCurrentIndex(tab);
      if (tab == 2)
        form.findChild<QWidget*>(QStringLiteral("specifyExercisesRadioButton"))
            ->setProperty("checked", true);
      QTest::qWait(100);
      const QString where = QStringLiteral("tab %1: screen %2x%3, window %4x%5")
                                .arg(tab)
                                .arg(area.width())
                                .arg(area.height())
                                .arg(form.frameGeometry().width())
                                .arg(form.frameGeometry().height());
      QVERIFY2(QTest::qWaitFor([&] { return area.contains(form.frameGeometry()); }, 3000),
               qPrintable(where));
      QVERIFY2(form.width() >= form.minimumSizeHint().width() &&
                   form.height() >= form.minimumSizeHint().height(),
               qPrintable(where));
      if (!folder.isEmpty())
        form.grab().save(folder +
                         QStringLiteral("/reports-%1-%2x%3@%4.png")
                             .arg(tab)
                             .arg(area.width())
                             .arg(area.height())
                             .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"))));
    }
    if (folder.isEmpty()) return;
    // The page of a report in the viewer, as the user sees it.
    TReportRequest request;
    request.Kind = TReportKind::Nutrition;
    request.Period = {EncodeDate(2007, 6, 11), EncodeDate(2007, 6, 17)};
    TUserSession& session = *f.program.Session();
    TMyReport report =
        DiaryReport(request, {session.DayRecords(), session.Energy(), f.program.Config(), nullptr});
    TFShowReport viewer(report, f.program.Folder(), f.prompter, &form);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTest::qWait(200);
    viewer.grab().save(
        folder + QStringLiteral("/reports-viewer-%1x%2.png").arg(area.width()).arg(area.height()));
  }
};

}  // namespace
}  // namespace korvela::test

int main(int argc, char** argv) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  QApplication app(argc, argv);
  korvela::FitWindowsOnShow(app);  // as the program does
  korvela::test::TReportsScreenFitTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "reports_screen_fit_test.moc"
