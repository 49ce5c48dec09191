#pragma once

#include <string_view>

#include <windows.h>

namespace nightlatch {

// Draws `text` character by character from (x, y) in the DC's font, colour
// and background mode, wrapping as LayOutWrappedText says. Without the
// font's metrics nothing is drawn.
void DrawWrappedText(HDC dc, int x, int y, int limit, int lineHeight, std::u16string_view text);

}  // namespace nightlatch
