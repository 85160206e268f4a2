#include "users/password.h"

#include <sodium.h>

#include <string>

#include "storage/errors.h"

namespace korvela {
namespace {

void EnsureSodium() {
  if (sodium_init() < 0) throw EInternalError("the password library could not be started");
}

}  // namespace

std::string HashPassword(std::string_view plain) {
  if (plain.empty()) return {};
  EnsureSodium();
  char hash[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(hash, plain.data(), plain.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    throw EInternalError("not enough memory to protect the password");
  return hash;
}

bool IsPasswordHash(std::string_view stored) {
  return stored.starts_with(crypto_pwhash_argon2id_STRPREFIX) &&
         stored.size() < crypto_pwhash_STRBYTES;
}

bool PasswordMatches(std::string_view stored, std::string_view typed) {
  if (!IsPasswordHash(stored)) return stored == typed;
  EnsureSodium();
  const std::string hash(stored);
  return crypto_pwhash_str_verify(hash.c_str(), typed.data(), typed.size()) == 0;
}

}  // namespace korvela
