// UTF-16 to UTF-8, for file names on POSIX systems and readable test output.
#pragma once

#include <string>
#include <string_view>

namespace nightlatch {

void AppendUtf8(std::string& out, char32_t code);

// An unpaired surrogate goes through `unpaired`; without one it is encoded
// as it stands, the way file systems keep such names.
using UnpairedSurrogate = void (*)(std::string& out, char16_t unit);
std::string ToUtf8(std::u16string_view text, UnpairedSurrogate unpaired = nullptr);

}  // namespace nightlatch
