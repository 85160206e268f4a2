#pragma once
#include <string>
#include <string_view>

namespace korvela {

// Passwords are stored as salted, deliberately slow hashes (Argon2id, a
// self-describing text). Older account files hold the plain password; such a
// value is compared exactly and replaced by a hash when the file is saved.
// An empty password means "no password" and stays empty.
std::string HashPassword(std::string_view plain);
bool IsPasswordHash(std::string_view stored);
bool PasswordMatches(std::string_view stored, std::string_view typed);

}  // namespace korvela
