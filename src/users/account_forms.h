#pragma once
#include <optional>
#include <string>

#include "storage/date_time.h"
#include "users/user.h"

namespace korvela {

inline constexpr const char* kMsgEnterName = "Please enter your name";
inline constexpr const char* kMsgInvalidBirthDate = "Please, enter a valid birth date";
inline constexpr const char* kMsgPasswordsDiffer =
    "The passwords that you entered are NOT the same";
inline constexpr const char* kMsgInvalidPassword = "Invalid password";
inline constexpr const char* kMsgEnterPassword = "Please enter a password";
inline constexpr const char* kMsgEnterUserName = "Please, enter a user name";

// Birth years offered by the account creation screen.
inline constexpr int kFirstBirthYear = 1900;
inline constexpr int kLastBirthYear = 2000;

// A name of nothing but blanks counts as no name.
bool IsBlankName(const std::string& name);
// The longest name a user can type: account names, phase names and the names
// of the user's own items.
inline constexpr int kMaxNameLength = 60;

// The first checks of the account creation screen, in their order: the name,
// then the birth date (a real day, before today, age 10 to 100). Returns the
// warning, or the birth date when both pass.
struct TBirthCheck {
  std::optional<std::string> warning;
  TDateTime birthDate = 0;
};
TBirthCheck CheckNameAndBirthDate(const std::string& name, int day, int month,
                                  const std::string& yearText, TDateTime today);

// The last check: with the password box ticked the password must not be
// empty and both fields must agree.
std::optional<std::string> CheckNewPasswords(bool passwordBox, const std::string& password,
                                             const std::string& confirmation);

// The login screen's rule: an account without password accepts an empty
// field; otherwise the typed text must match exactly, letter case included.
bool LoginAccepted(const TUser& user, const std::string& typed);
std::string DeleteAccountQuestion(const TUser& user);

// The password change of the personal information screen. The warnings are
// strings 47 (wrong current password) and 48 (new passwords differ) of the
// string table, handed in by the caller.
enum class TPasswordChangeFault { None, WrongCurrent, NewDiffer };
TPasswordChangeFault CheckPasswordChange(const TUser& user, const std::string& current,
                                         const std::string& newPassword,
                                         const std::string& confirmation);

}  // namespace korvela
