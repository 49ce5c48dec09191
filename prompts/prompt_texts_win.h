#pragma once

#include <string>
#include <string_view>

#include "platform/wide_string_win.h"

namespace nightlatch {

// The prompts keep their texts in fixed buffers of `units` code units,
// terminator included; longer texts are cut.
inline std::wstring CutToBuffer(std::u16string_view text, size_t units) {
  return ToWide(text.substr(0, units - 1));
}

inline constexpr size_t kMessageUnits = 260;
inline constexpr size_t kTitleUnits = 50;

}  // namespace nightlatch
