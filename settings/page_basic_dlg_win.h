// The basic sub-page: autostart, where prompts appear, the reminder sound,
// and the announcements on the full and half hour.
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

inline constexpr std::u16string_view kDefaultSoundText = u"默认声音";

class CPageBasicDlg
    : public DialogImpl<CPageBasicDlg,
                        CCtrlColor<CPageBasicDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CPageBasicDlg, false, RGB(255, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = IDD_PAGE_BASIC;
  static constexpr int kPageIndex = 0;

  // How 更换 asks for a sound file: the file dialog, or a test's stand-in.
  // Empty when nothing was chosen.
  using SoundFileChooser = std::u16string (*)(HWND owner);

  explicit CPageBasicDlg(Program& program, SoundFileChooser chooser = nullptr);

  const std::u16string& status() const { return parts_.status(); }

  HBRUSH OnStaticColor(HDC dc, HWND control);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void ShowSoundFile(bool shown);
  void OnAutostart();
  void OnSoundOn();
  void OnChangeSound();
  void OnSpeakFlag(int id);
  void Report(std::u16string_view text) { parts_.Report(hwnd(), kPageIndex, text); }

  Program& program_;
  SoundFileChooser chooser_;
  CButtonBT change_;
  SubPageParts parts_;
};

// The file dialog of 更换: MP3 or WAV files that exist.
std::u16string ChooseSoundFile(HWND owner);

}  // namespace nightlatch
