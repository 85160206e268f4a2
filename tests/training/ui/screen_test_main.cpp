#include <QApplication>
#include <QLocale>

#include "screen_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  const int exercises = korvela::test::RunExerciseScreensTests(argc, argv);
  const int training = korvela::test::RunTrainScreensTests(argc, argv);
  return exercises == 0 && training == 0 ? 0 : 1;
}
