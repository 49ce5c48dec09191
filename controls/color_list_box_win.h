// The settings page's selector: an owner-drawn list box (its template gives
// LBS_OWNERDRAWFIXED | LBS_HASSTRINGS) of 30-pixel entries on blue, the
// selected one blue with white text, the others white with black text, each
// over a light grey line.
#pragma once

#include <windows.h>

#include "controls/owner_draw_win.h"
#include "framework/subclassed_window_win.h"

namespace nightlatch {

class CColorListBox : public SubclassedWindow, public COwnerDraw<CColorListBox> {
 public:
  static constexpr int kItemHeight = 30;
  static constexpr COLORREF kBlue = RGB(51, 167, 252);
  static constexpr COLORREF kLine = RGB(218, 218, 218);

  bool Attach(HWND listBox);

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;
  void DrawItem(const DRAWITEMSTRUCT& item);
  void MeasureItem(MEASUREITEMSTRUCT& item);
};

}  // namespace nightlatch
