#include "settings/page_pwd_dlg_win.h"

#include "controls/window_text_win.h"
#include "resources/nightlatch_messages.h"
#include "settings/password_value.h"
#include "shell/program_win.h"

namespace nightlatch {

CPagePwdDlg::CPagePwdDlg(Program& program) : program_(program) {}

bool CPagePwdDlg::OnInitDialog() {
  save_.Attach(Item(IDC_PAGE_PASSWORD_SAVE));
  // The stored password is never shown.
  for (int field : {IDC_PAGE_PASSWORD_NEW, IDC_PAGE_PASSWORD_CONFIRM}) {
    SetItemText(hwnd(), field, u"");
    ::SendMessageW(Item(field), EM_LIMITTEXT, kPasswordMaxUnits, 0);
  }
  const bool on = program_.config().Read(setting::kPasswordOn) != 0;
  ::CheckDlgButton(hwnd(), IDC_PAGE_PASSWORD_ON, on ? BST_CHECKED : BST_UNCHECKED);
  EnableFields(on);
  return true;
}

bool CPagePwdDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
    return false;
  switch (LOWORD(wParam)) {
    case IDC_PAGE_PASSWORD_ON:
      EnableFields(::IsDlgButtonChecked(hwnd(), IDC_PAGE_PASSWORD_ON) == BST_CHECKED);
      return true;
    case IDC_PAGE_PASSWORD_SAVE:
      Save();
      return true;
    default:
      return false;
  }
}

void CPagePwdDlg::EnableFields(bool enabled) {
  ::EnableWindow(Item(IDC_PAGE_PASSWORD_NEW), enabled);
  ::EnableWindow(Item(IDC_PAGE_PASSWORD_CONFIRM), enabled);
}

void CPagePwdDlg::Save() {
  const SettingsFile& config = program_.config();
  if (::IsDlgButtonChecked(hwnd(), IDC_PAGE_PASSWORD_ON) != BST_CHECKED) {
    config.Write(setting::kPasswordOn, 0);
    config.Write(setting::kPassword, u"");
    program_.settings.passwordOn = false;
    Report(kPasswordOffStatus);
    return;
  }
  const std::u16string entered = FromWide(WindowText(Item(IDC_PAGE_PASSWORD_NEW)));
  const std::u16string confirmed = FromWide(WindowText(Item(IDC_PAGE_PASSWORD_CONFIRM)));
  if (entered.empty()) {
    Refuse(kPasswordEmptyStatus);
    return;
  }
  // Exact: letters differing only in case are another password.
  if (confirmed != entered) {
    Refuse(kPasswordMismatchStatus);
    return;
  }
  // A password the file does not give back would lock the user out.
  const std::u16string old = config.Read(setting::kPassword);
  if (!StorePassword(config, entered)) {
    StorePassword(config, old);
    Refuse(kPasswordNotStoredStatus);
    return;
  }
  config.Write(setting::kPasswordOn, 1);
  program_.settings.passwordOn = true;
  Report(kPasswordOnStatus);
}

}  // namespace nightlatch
