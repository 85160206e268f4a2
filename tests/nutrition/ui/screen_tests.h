#pragma once
#include <QString>

namespace korvela::test {

// Each screen's Qt Test class, run by the one main of this program.
int RunFoodLoggingFormTests(int argc, char** argv);
int RunPlanFormsTests(int argc, char** argv);
int RunFoodEditorFormTests(int argc, char** argv);
int RunFoodLogFormTests(int argc, char** argv);
int RunRecipeBookFormTests(int argc, char** argv);
// Pictures of the dialogs for a person to look at.
void WriteSnapshots(const QString& folder);
void WriteFoodLogSnapshots(const QString& folder);

}  // namespace korvela::test
