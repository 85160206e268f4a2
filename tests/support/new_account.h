#pragma once
#include "app/program.h"
#include "storage/date_time.h"

namespace korvela::test {

// The account most tests create: a woman born 17 May 1980, 168 cm, 61.5 kg.
inline TNewAccount AnnAccount(int activityLevel = 2) {
  TNewAccount a;
  a.name = "Ann";
  a.birthDate = EncodeDate(1980, 5, 17);
  a.sex = TSex::Female;
  a.activityLevel = activityLevel;
  a.heightCm = 168;
  a.weightKg = 61.5;
  return a;
}

}  // namespace korvela::test
