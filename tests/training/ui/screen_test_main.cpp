#include <QApplication>
#include <QLocale>

#include "screen_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  int failed = korvela::test::RunExerciseScreensTests(argc, argv);
  failed += korvela::test::RunRecordScreensTests(argc, argv);
  failed += korvela::test::RunStrengthScreensTests(argc, argv);
  failed += korvela::test::RunTrainScreensTests(argc, argv);
  return failed == 0 ? 0 : 1;
}
