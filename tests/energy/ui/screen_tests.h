#pragma once

namespace korvela::test {

// Each screen's Qt Test class, run by the one main of this program.
int RunCalculatorFormsTests(int argc, char** argv);
int RunDietCompFormTests(int argc, char** argv);
int RunMeasurementsFormTests(int argc, char** argv);
int RunPhasesFormTests(int argc, char** argv);
int RunRecoveryFormTests(int argc, char** argv);
int RunSkinfoldFormTests(int argc, char** argv);
int RunWeighInFormTests(int argc, char** argv);
int RunWeighInImportFormTests(int argc, char** argv);
int RunWeightGoalFormTests(int argc, char** argv);
int RunScreenRulesTests(int argc, char** argv);

}  // namespace korvela::test
