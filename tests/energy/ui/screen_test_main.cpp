#include <QApplication>
#include <QLocale>

#include "screen_tests.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  using namespace korvela::test;
  int failed = 0;
  for (auto* run :
       {RunSkinfoldFormTests, RunWeighInFormTests, RunDietCompFormTests, RunWeightGoalFormTests,
        RunMeasurementsFormTests, RunPhasesFormTests, RunRecoveryFormTests, RunCalculatorFormsTests,
        RunScreenRulesTests, RunWeighInImportFormTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
