#include <QApplication>
#include <QLocale>

#include "screen_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  using namespace korvela::test;
  if (const QByteArray folder = qgetenv("KORVELA_FOOD_SNAPSHOTS"); !folder.isEmpty())
    WriteSnapshots(QString::fromLocal8Bit(folder));
  if (const QByteArray folder = qgetenv("KORVELA_FOOD_LOG_SNAPSHOTS"); !folder.isEmpty())
    WriteFoodLogSnapshots(QString::fromLocal8Bit(folder));
  int failed = 0;
  for (auto* run : {RunFoodLoggingFormTests, RunPlanFormsTests, RunFoodEditorFormTests,
                    RunFoodLogFormTests, RunRecipeBookFormTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
