#include <QApplication>
#include <QLocale>

#include "screen_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  return korvela::test::RunExerciseScreensTests(argc, argv) == 0 ? 0 : 1;
}
