// The flat owner-drawn push button of the skinned dialogs.
#pragma once

#include <windows.h>

#include "controls/owner_draw_win.h"
#include "framework/subclassed_window_win.h"

namespace nightlatch {

struct ButtonColors {
  COLORREF normalFace = RGB(51, 153, 255);
  COLORREF hotFace = RGB(5, 107, 181);
  COLORREF pressedFace = RGB(133, 133, 133);
  COLORREF border = RGB(255, 255, 255);
  COLORREF caption = RGB(255, 255, 255);
};

class CButtonBT : public COwnerDrawButton<CButtonBT> {
 public:
  CButtonBT() = default;
  explicit CButtonBT(const ButtonColors& colors) : colors_(colors) {}

  // Takes over a dialog's button and makes it owner-drawn.
  bool Attach(HWND button);

  void SetColors(const ButtonColors& colors);
  const ButtonColors& colors() const { return colors_; }
  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  ButtonColors colors_;
};

}  // namespace nightlatch
