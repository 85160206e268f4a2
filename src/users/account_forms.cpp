#include "users/account_forms.h"

#include "users/password.h"

namespace korvela {

bool IsBlankName(const std::string& name) {
  return name.find_first_not_of(" \t\r\n") == std::string::npos;
}

TBirthCheck CheckNameAndBirthDate(const std::string& name, int day, int month,
                                  const std::string& yearText, TDateTime today) {
  if (IsBlankName(name)) return {kMsgEnterName};
  std::size_t used = 0;
  int year = 0;
  try {
    year = std::stoi(yearText, &used);
  } catch (const std::exception&) {
    return {kMsgInvalidBirthDate};
  }
  const auto trimmedEnd = yearText.find_last_not_of(' ');
  if (used == 0 || trimmedEnd == std::string::npos || used != trimmedEnd + 1 || year < 1 ||
      year > 9999 || month < 1 || month > 12 || day < 1)
    return {kMsgInvalidBirthDate};
  const TDateTime first = EncodeDate(year, static_cast<unsigned>(month), 1);
  const TYearMonthDay check = DecodeDate(first + day - 1);
  if (check.month != static_cast<unsigned>(month)) return {kMsgInvalidBirthDate};
  const TDateTime birth = first + day - 1;
  TUser probe;
  probe.UserBirthDate = birth;
  const int age = probe.AgeOn(today);
  if (birth >= today || age < 10 || age > 100) return {kMsgInvalidBirthDate};
  return {std::nullopt, birth};
}

std::optional<std::string> CheckNewPasswords(bool passwordBox, const std::string& password,
                                             const std::string& confirmation) {
  if (!passwordBox) return std::nullopt;
  if (password.empty()) return kMsgEnterPassword;
  if (password != confirmation) return kMsgPasswordsDiffer;
  return std::nullopt;
}

bool LoginAccepted(const TUser& user, const std::string& typed) {
  return PasswordMatches(user.Password, typed);
}

std::string DeleteAccountQuestion(const TUser& user) {
  return "Do you really want to delete " + user.UserName + "?";
}

TPasswordChangeFault CheckPasswordChange(const TUser& user, const std::string& current,
                                         const std::string& newPassword,
                                         const std::string& confirmation) {
  if (!PasswordMatches(user.Password, current)) return TPasswordChangeFault::WrongCurrent;
  if (newPassword != confirmation) return TPasswordChangeFault::NewDiffer;
  return TPasswordChangeFault::None;
}

}  // namespace korvela
