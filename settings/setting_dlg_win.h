// The settings page: a selector on the left, the four sub-pages on the
// right, and the status label that a sub-page's WM_PAGE_STATUS shows for two
// seconds.
#pragma once

#include <string>

#include <windows.h>

#include "controls/color_list_box_win.h"
#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/page_basic_dlg_win.h"
#include "settings/page_clock_dlg_win.h"
#include "settings/page_pwd_dlg_win.h"
#include "settings/page_time_speak_dlg_win.h"

namespace nightlatch {

class Program;

class CSettingDlg
    : public DialogImpl<CSettingDlg,
                        CCtrlColor<CSettingDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CSettingDlg, false, RGB(255, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = IDD_SETTINGS_PAGE;
  static constexpr UINT_PTR kStatusTimer = 1;
  static constexpr UINT kStatusMilliseconds = 2000;
  static constexpr COLORREF kStatusBackground = RGB(57, 128, 0);
  // A refusal's ground, red as the other dialogs' refusals.
  static constexpr COLORREF kRefusalBackground = RGB(255, 0, 0);

  // The seams: the basic page's file dialog and Run key, the clock page's
  // colour dialog (tests).
  explicit CSettingDlg(Program& program,
                       CPageBasicDlg::Seams basicSeams = {},
                       CPageClockDlg::Seams clockSeams = {});

  int selected() const { return selected_; }
  // The sub-page of selector entry `index` (0 to 3).
  HWND page(int index) const;
  const CPageClockDlg& clockPage() const { return clockPage_; }

  HBRUSH OnStaticColor(HDC dc, HWND control);

 private:
  bool OnInitDialog() override;
  void OnDpiChanged(int dpi) override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Select(int index);
  void ShowStatus(int pageIndex);
  void OnDestroy();

  CColorListBox selector_;
  HWND status_ = nullptr;
  int selected_ = 0;
  ScopedBrush statusBrush_;
  ScopedBrush refusalBrush_;
  bool statusRefused_ = false;
  CPageBasicDlg basicPage_;
  CPagePwdDlg passwordPage_;
  CPageTimeSpeakDlg timeSpeakPage_;
  CPageClockDlg clockPage_;
};

}  // namespace nightlatch
