// The core keeps texts as char16_t; Win32 wants wchar_t. Both are UTF-16
// code units on Windows, so a text is viewed, not converted.
#pragma once

#include <string>
#include <string_view>

namespace nightlatch {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline const wchar_t* AsWide(const char16_t* text) {
  return reinterpret_cast<const wchar_t*>(text);
}

inline std::wstring ToWide(std::u16string_view text) {
  return std::wstring(AsWide(text.data()), text.size());
}

inline std::u16string FromWide(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace nightlatch
