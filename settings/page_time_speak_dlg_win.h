// The time-announcement sub-page: the 24 hours that are announced, and the
// hotkey that announces the time at once.
#pragma once

#include <string>

#include <windows.h>

#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/sub_page_win.h"

namespace nightlatch {

class Program;

inline constexpr std::u16string_view kSpeakHoursStatus = u"设置成功！";
inline constexpr std::u16string_view kHotkeySetStatus = u"设置快捷键成功！";
inline constexpr std::u16string_view kHotkeyTakenStatus = u"设置快捷键失败，该快捷键已被占用！";

class CPageTimeSpeakDlg
    : public DialogImpl<CPageTimeSpeakDlg,
                        CCtrlColor<CPageTimeSpeakDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CPageTimeSpeakDlg, false, RGB(255, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = IDD_PAGE_TIME_SPEAK;
  static constexpr int kPageIndex = 2;

  explicit CPageTimeSpeakDlg(Program& program);

  const std::u16string& status() const { return parts_.status(); }

  HBRUSH OnStaticColor(HDC dc, HWND control);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void SaveHours();
  void SaveHotkey();
  void Report(std::u16string_view text) { parts_.Report(hwnd(), kPageIndex, text); }

  Program& program_;
  SubPageParts parts_;
};

}  // namespace nightlatch
