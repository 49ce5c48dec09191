#include "prompts/password_dialog_win.h"

#include "controls/song_font_win.h"
#include "controls/timed_label_win.h"
#include "controls/window_text_win.h"
#include "platform/wide_string_win.h"
#include "settings/password_value.h"
#include "shell/program_win.h"

namespace nightlatch {

CPasswordDlg::CPasswordDlg(Program& program, bool unlock)
    : tipBrush_(::CreateSolidBrush(kTipBackground)), program_(program), unlock_(unlock) {}

bool CPasswordDlg::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        OnOK();
        return true;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(IDCANCEL);
        return true;
      }
      return false;
    case WM_TIMER:
      return HideWhenDue(hwnd, tip_, kTipTimer, wParam);
    case WM_DESTROY:
      ::KillTimer(hwnd, kTipTimer);
      titleFont_.Reset();
      return false;
    default:
      return false;
  }
}

HBRUSH CPasswordDlg::OnStaticColor(HDC dc, HWND control) {
  if (control != tip_)
    return nullptr;
  ::SetTextColor(dc, kTipText);
  ::SetBkColor(dc, kTipBackground);
  return tipBrush_.get();
}

bool CPasswordDlg::OnInitDialog() {
  tip_ = Item(IDC_PASSWORD_TIP);
  field_ = Item(IDC_PASSWORD_EDIT);
  ok_.Attach(Item(IDOK));
  cancel_.Attach(Item(IDCANCEL));
  ::SetWindowTextW(field_, L"");
  ::SendMessageW(field_, EM_LIMITTEXT, kPasswordMaxUnits, 0);
  CenterOver(::GetWindow(hwnd(), GW_OWNER));
  ::ShowWindow(tip_, SW_HIDE);
  titleFont_ = CreateTitleFont(hwnd());
  ::SendMessageW(Item(IDC_PASSWORD_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                 TRUE);
  return true;
}

void CPasswordDlg::OnOK() {
  // Read at each try: the password page may have changed it meanwhile.
  const std::u16string stored = program_.config().Read(setting::kPassword);
  entered_ = WindowText(field_);
  if (entered_.empty()) {
    ShowTip(kEmptyPasswordTip);
    return;
  }
  if (!PasswordMatches(FromWide(entered_), stored)) {
    ShowTip(kWrongPasswordTip);
    return;
  }
  passed_ = true;
  if (unlock_)
    program_.unlocked = true;
  EndDialog(IDOK);
}

void CPasswordDlg::ShowTip(const wchar_t* tip) {
  ::SetWindowTextW(tip_, tip);
  ShowForAWhile(hwnd(), tip_, kTipTimer, kTipMilliseconds);
}

bool PasswordCheck(Program& program) {
  if (!program.settings.passwordOn || program.unlocked)
    return true;
  CPasswordDlg dialog(program, true);
  return dialog.RunModal(::GetActiveWindow()) == IDOK && program.unlocked;
}

}  // namespace nightlatch
