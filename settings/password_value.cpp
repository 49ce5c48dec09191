#include "settings/password_value.h"

namespace nightlatch {

namespace {

// What the INI routines would take off or out at an end of a value.
bool LostAtAnEnd(char16_t c) {
  return c <= u' ' || c == u'"' || c == u'\'';
}

}  // namespace

std::u16string StoredPasswordValue(std::u16string_view password) {
  if (password.empty() || (!LostAtAnEnd(password.front()) && !LostAtAnEnd(password.back())))
    return std::u16string(password);
  std::u16string value;
  value.reserve(password.size() + 2);
  value += u'"';
  value += password;
  value += u'"';
  return value;
}

bool PasswordMatches(std::u16string_view entered, std::u16string_view stored) {
  return !entered.empty() && entered == stored;
}

}  // namespace nightlatch
