#pragma once

#include <windows.h>

namespace nightlatch {

// Puts a new prompt topmost where the setting says and shows it without
// taking the focus, animated where the system can.
void ShowPromptWindow(HWND prompt, bool bottomRight);

}  // namespace nightlatch
