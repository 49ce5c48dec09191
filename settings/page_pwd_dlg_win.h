// The password sub-page: protection on or off, and a new password typed
// twice. The stored password is never shown and the old one not asked for.
#pragma once

#include <string>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/sub_page_win.h"

namespace nightlatch {

class Program;

inline constexpr std::u16string_view kPasswordEmptyStatus = u"请输入密码，密码不能为空！";
inline constexpr std::u16string_view kPasswordMismatchStatus = u"两次密码不同，请重新输入！";
inline constexpr std::u16string_view kPasswordOnStatus = u"启用密码成功！";
inline constexpr std::u16string_view kPasswordOffStatus = u"取消密码成功！";
inline constexpr std::u16string_view kPasswordNotStoredStatus = u"密码无法保存，原密码不变！";

class CPagePwdDlg
    : public CSubPageDlg<CPagePwdDlg, IDD_PAGE_PASSWORD, IDC_PAGE_PASSWORD_HEADER, 1> {
 public:
  explicit CPagePwdDlg(Program& program);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void EnableFields(bool enabled);
  void Save();

  Program& program_;
  CButtonBT save_;
};

}  // namespace nightlatch
