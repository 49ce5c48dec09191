// The program's own modal message box: a title, a message and 确定.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CMessageBoxDlg
    : public DialogImpl<CMessageBoxDlg,
                        CCtrlColor<CMessageBoxDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CMessageBoxDlg, true, IDB_BOX_BACKGROUND>,
                        CBodyDrag> {
 public:
  static constexpr UINT kTemplateId = IDD_MESSAGE;

  // Cut to the box's buffers: 259 and 49 characters.
  CMessageBoxDlg(std::u16string_view message, std::u16string_view title);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  HWND messageLabel_ = nullptr;
  CButtonBT ok_;
  CButtonBT cancel_;
  ScopedFont titleFont_;
  std::wstring message_;
  std::wstring title_;
};

// Shows the box owned by the active window: 1 (IDOK) for 确定, 2 (IDCANCEL)
// when closed with Escape.
INT_PTR ShowMessageBox(std::u16string_view message, std::u16string_view title);

}  // namespace nightlatch
