// The owner-drawn drop-down list of the skinned dialogs. Its template gives
// CBS_OWNERDRAWFIXED | CBS_HASSTRINGS: a combo box takes owner drawing only
// when it is created.
#pragma once

#include <windows.h>

#include "controls/owner_draw_win.h"
#include "framework/subclassed_window_win.h"

namespace nightlatch {

class CColorComboBox : public SubclassedWindow, public COwnerDraw<CColorComboBox> {
 public:
  static constexpr int kFieldHeight = 11;
  static constexpr int kItemHeight = 20;

  bool Attach(HWND comboBox);

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;
  void DrawItem(const DRAWITEMSTRUCT& item);
  void MeasureItem(MEASUREITEMSTRUCT& item);
};

}  // namespace nightlatch
