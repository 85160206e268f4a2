#include <QApplication>
#include <QLocale>

#include "widget_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  using namespace korvela::test;
  if (const QByteArray folder = qgetenv("KORVELA_WIDGET_SNAPSHOTS"); !folder.isEmpty())
    WriteSnapshots(QString::fromLocal8Bit(folder));
  int failed = 0;
  for (auto* run : {RunCalendarTests, RunDateEditTests, RunGridTests, RunChartTests,
                    RunPieChartTests, RunPanelTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
