// UTF-16 to UTF-8, for file names on POSIX systems and readable test output;
// and UTF-8 from outside (a downloaded file) to UTF-16.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nightlatch {

void AppendUtf8(std::string& out, char32_t code);

// An unpaired surrogate goes through `unpaired`; without one it is encoded
// as it stands, the way file systems keep such names.
using UnpairedSurrogate = void (*)(std::string& out, char16_t unit);
std::string ToUtf8(std::u16string_view text, UnpairedSurrogate unpaired = nullptr);

// Strict: none for bytes that are no UTF-8 (a stray byte, a sequence cut
// short, an overlong form, a surrogate, beyond U+10FFFF), so text in another
// encoding is never taken for it.
std::optional<std::u16string> FromUtf8(std::string_view bytes);

}  // namespace nightlatch
