#pragma once

namespace korvela::test {

// Each screen's Qt Test class, run by the one main of this program.
int RunExerciseScreensTests(int argc, char** argv);
int RunRecordScreensTests(int argc, char** argv);
int RunStrengthScreensTests(int argc, char** argv);
int RunTrainScreensTests(int argc, char** argv);

}  // namespace korvela::test
