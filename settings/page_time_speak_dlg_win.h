// The time-announcement sub-page: the 24 hours that are announced, and the
// hotkey that announces the time at once.
#pragma once

#include <string>

#include <windows.h>

#include "resources/nightlatch_ids.h"
#include "settings/sub_page_win.h"

namespace nightlatch {

class Program;

inline constexpr std::u16string_view kSpeakHoursStatus = u"设置成功！";
inline constexpr std::u16string_view kHotkeySetStatus = u"设置快捷键成功！";
inline constexpr std::u16string_view kHotkeyTakenStatus =
    u"设置快捷键失败，该快捷键已被占用，原快捷键不变！";
inline constexpr std::u16string_view kHotkeyNeedsModifierStatus = u"快捷键需要包含Ctrl或Alt！";

class CPageTimeSpeakDlg
    : public CSubPageDlg<CPageTimeSpeakDlg, IDD_PAGE_TIME_SPEAK, IDC_PAGE_SPEAK_HEADER, 2> {
 public:
  explicit CPageTimeSpeakDlg(Program& program);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void SaveHours();
  void SaveHotkey();

  Program& program_;
};

}  // namespace nightlatch
