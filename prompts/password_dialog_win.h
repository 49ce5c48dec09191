// The password gate: the modal password dialog and PasswordCheck, which
// asks for the password only while protection is on and nobody unlocked.
#pragma once

#include <string>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class Program;

inline constexpr wchar_t kEmptyPasswordTip[] = L"请输入密码!";
inline constexpr wchar_t kWrongPasswordTip[] = L"密码错误，请重新输入!";

class CPasswordDlg
    : public DialogImpl<CPasswordDlg,
                        CCtrlColor<CPasswordDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CPasswordDlg, true, IDB_BOX_BACKGROUND>,
                        CBodyDrag> {
 public:
  static constexpr UINT kTemplateId = IDD_PASSWORD;
  static constexpr UINT_PTR kTipTimer = 1;
  static constexpr UINT kTipMilliseconds = 1500;
  static constexpr COLORREF kTipText = RGB(255, 0, 0);
  static constexpr COLORREF kTipBackground = RGB(240, 255, 255);

  // Checks against the program's stored password; with `unlock`, a correct
  // entry also opens the gate (`unlocked`).
  CPasswordDlg(Program& program, bool unlock);

  bool passed() const { return passed_; }

  HBRUSH OnStaticColor(HDC dc, HWND control);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnOK();
  void ShowTip(const wchar_t* tip);

  HWND tip_ = nullptr;
  HWND field_ = nullptr;
  std::wstring entered_;
  CButtonBT ok_;
  CButtonBT cancel_;
  ScopedFont titleFont_;
  ScopedBrush tipBrush_;
  bool passed_ = false;
  Program& program_;
  bool unlock_;
};

// True when protection is off or already unlocked; otherwise asks with the
// password dialog, owned by the active window, and is true only when the
// right password was given.
bool PasswordCheck(Program& program);

}  // namespace nightlatch
