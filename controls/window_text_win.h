// Texts of windows and dialog items as the core keeps them.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "platform/wide_string_win.h"

namespace nightlatch {

inline std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  const int length = ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

inline void SetItemText(HWND dialog, int id, std::u16string_view text) {
  ::SetDlgItemTextW(dialog, id, ToWide(text).c_str());
}

}  // namespace nightlatch
