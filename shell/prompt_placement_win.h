#pragma once

#include <windows.h>

namespace nightlatch {

// Puts a new prompt topmost where the setting says and shows it without
// taking the focus; with `animate`, sliding or blending in (which holds the
// calling thread for half a second).
void ShowPromptWindow(HWND prompt, bool bottomRight, bool animate);

}  // namespace nightlatch
