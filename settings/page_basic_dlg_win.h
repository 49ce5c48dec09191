// The basic sub-page: autostart, where prompts appear, the reminder sound,
// and the announcements on the full and half hour.
#pragma once

#include <string>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/sub_page_win.h"

namespace nightlatch {

class Program;

inline constexpr std::u16string_view kDefaultSoundText = u"默认声音";

class CPageBasicDlg : public CSubPageDlg<CPageBasicDlg, IDD_PAGE_BASIC, IDC_PAGE_BASIC_HEADER, 0> {
 public:
  // How 更换 asks for a sound file: the file dialog, or a test's stand-in.
  // Empty when nothing was chosen.
  using SoundFileChooser = std::u16string (*)(HWND owner);

  explicit CPageBasicDlg(Program& program, SoundFileChooser chooser = nullptr);

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void ShowSoundFile(bool shown);
  void OnAutostart();
  void OnSoundOn();
  void OnChangeSound();
  void OnSpeakFlag(int id);

  Program& program_;
  SoundFileChooser chooser_;
  CButtonBT change_;
};

// The file dialog of 更换: MP3 or WAV files that exist.
std::u16string ChooseSoundFile(HWND owner);

}  // namespace nightlatch
