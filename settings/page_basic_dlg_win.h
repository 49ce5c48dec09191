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

// What the basic page reaches outside the program through; null members:
// the system's file dialog and Run key. Tests put stand-ins in.
struct BasicPageSeams {
  // How 更换 asks for a sound file; empty when nothing was chosen.
  std::u16string (*chooseSoundFile)(HWND owner) = nullptr;
  bool (*setAutostart)(bool on) = nullptr;
};

class CPageBasicDlg : public CSubPageDlg<CPageBasicDlg, IDD_PAGE_BASIC, IDC_PAGE_BASIC_HEADER, 0> {
 public:
  using Seams = BasicPageSeams;

  explicit CPageBasicDlg(Program& program, Seams seams = {});

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool Checked(int id) const { return ::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED; }
  void ShowSoundFile(bool shown);
  void OnAutostart();
  void OnSoundOn();
  void OnChangeSound();
  void OnSpeakFlag(int id);
  void OnWake();

  Program& program_;
  Seams seams_;
  CButtonBT change_;
};

// The file dialog of 更换: MP3 or WAV files that exist.
std::u16string ChooseSoundFile(HWND owner);

}  // namespace nightlatch
