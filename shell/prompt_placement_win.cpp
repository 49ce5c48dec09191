#include "shell/prompt_placement_win.h"

#include "shell/prompt_placement.h"

namespace nightlatch {

void ShowPromptWindow(HWND prompt, bool bottomRight, bool animate) {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT own{};
  ::GetWindowRect(prompt, &own);
  const PromptPlacement placement =
      PlacePrompt(WorkArea{work.left, work.top, work.right, work.bottom}, own.right - own.left,
                  own.bottom - own.top, bottomRight);
  ::SetWindowPos(prompt, HWND_TOPMOST, placement.x, placement.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  const DWORD effect = placement.slideUp ? AW_SLIDE | AW_VER_NEGATIVE : AW_SLIDE | AW_BLEND;
  if (!animate || !::AnimateWindow(prompt, 500, effect))
    ::ShowWindow(prompt, SW_SHOWNOACTIVATE);
}

}  // namespace nightlatch
