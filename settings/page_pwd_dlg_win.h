// The password sub-page: protection on or off, and a new password typed
// twice. The stored password is never shown and the old one not asked for.
#pragma once

#include <string>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/sub_page_win.h"

namespace nightlatch {

class Program;

inline constexpr std::u16string_view kPasswordEmptyStatus = u"请输入密码，密码不能为空！";
inline constexpr std::u16string_view kPasswordMismatchStatus = u"两次密码不同，请重新输入！";
inline constexpr std::u16string_view kPasswordOnStatus = u"启用密码成功！";
inline constexpr std::u16string_view kPasswordOffStatus = u"取消密码成功！";

class CPagePwdDlg
    : public DialogImpl<CPagePwdDlg,
                        CCtrlColor<CPagePwdDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CPagePwdDlg, false, RGB(255, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = IDD_PAGE_PASSWORD;
  // Its index in the host's selector, sent with WM_PAGE_STATUS.
  static constexpr int kPageIndex = 1;

  explicit CPagePwdDlg(Program& program);

  const std::u16string& status() const { return parts_.status(); }

  HBRUSH OnStaticColor(HDC dc, HWND control);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void EnableFields(bool enabled);
  void Save();
  void Report(std::u16string_view text) { parts_.Report(hwnd(), kPageIndex, text); }

  Program& program_;
  CButtonBT save_;
  SubPageParts parts_;
};

}  // namespace nightlatch
