#pragma once
#include "app/program.h"
#include "app/ui/main_form.h"
#include "users/prompter.h"

namespace korvela {

// The screens the main window opens, bound to the program and the prompter.
TFMain::TScreens MakeScreens(TProgram& program, TPrompter& prompter);

}  // namespace korvela
