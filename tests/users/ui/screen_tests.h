#pragma once

namespace korvela::test {

// Each screen's Qt Test class, run by the one main of this program.
int RunWhoAmIFormTests(int argc, char** argv);
int RunLoginFormTests(int argc, char** argv);
int RunPersonalInfoFormTests(int argc, char** argv);
int RunInternationalFormTests(int argc, char** argv);
int RunScreenRulesTests(int argc, char** argv);

}  // namespace korvela::test
