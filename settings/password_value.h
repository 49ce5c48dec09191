// How the password lies in config.ini. The INI routines drop blanks at both
// ends of a value and strip one pair of enclosing quotes; a password wrapped
// in double quotes therefore comes back as typed, blanks and quotes in it
// included, and a value an older version wrote unquoted reads the same.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nightlatch {

// The longest password that comes back whole through the 260-unit read
// buffer, quotes included: the platform's reader drops a unit of a quoted
// value that fills the buffer.
inline constexpr std::size_t kPasswordMaxUnits = 258;

// The text written for `password`: quoted when a blank or a quote at either
// end would otherwise be lost, as it stands else (so an older version reads
// it too); the empty password stays empty.
std::u16string StoredPasswordValue(std::u16string_view password);

// What the gates compare: exactly, letter case and blanks included, nothing
// cut. Empty text never matches (an empty field is refused before).
bool PasswordMatches(std::u16string_view entered, std::u16string_view stored);

}  // namespace nightlatch
