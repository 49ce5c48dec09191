// The notice window: a small topmost box that slides up in the lower-right
// corner of the work area, shows a title and a text, and fades out by itself.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CMessageDlg
    : public DialogImpl<CMessageDlg,
                        CCtrlColor<CMessageDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CMessageDlg, false, RGB(255, 255, 255)>,
                        CBodyDrag> {
 public:
  static constexpr UINT kTemplateId = IDD_MESSAGE;
  static constexpr UINT_PTR kCountdownTimer = 1;
  static constexpr int kDefaultSeconds = 60;
  static constexpr DWORD kAnimationMilliseconds = 500;

  // Creates the window, hidden, with the desktop as parent. The object
  // deletes itself once its window is destroyed, and clears *owner first if
  // it still points here, so the owner never keeps a dangling pointer.
  // Null when the window could not be made.
  static CMessageDlg* Create(CMessageDlg** owner);

  // Cut to 259 and 49 characters.
  void SetTexts(std::u16string_view text, std::u16string_view title);
  // Fades out first if shown, then slides in at the work area's lower-right
  // corner, topmost and not activated; a positive `seconds` restarts the
  // countdown.
  void SlideIn(int seconds);
  void FadeOut();

  int secondsLeft() const { return secondsLeft_; }
  void SetSecondsLeft(int seconds) { secondsLeft_ = seconds; }
  const std::wstring& text() const { return text_; }
  const std::wstring& title() const { return title_; }

 private:
  CMessageDlg() = default;
  ~CMessageDlg() override = default;
  void OnFinalMessage(HWND) override;
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnTimer();

  CMessageDlg** owner_ = nullptr;
  HWND textLabel_ = nullptr;
  CButtonBT ok_;
  CButtonBT cancel_;
  ScopedFont titleFont_;
  std::wstring text_;
  std::wstring title_;
  int secondsLeft_ = kDefaultSeconds;
  bool timerRunning_ = false;
};

// The main dialog's one notice window: made on first use, kept for reuse,
// forgotten when its window is destroyed, and destroyed with its owner.
class NoticeWindow {
 public:
  NoticeWindow() = default;
  NoticeWindow(const NoticeWindow&) = delete;
  NoticeWindow& operator=(const NoticeWindow&) = delete;
  ~NoticeWindow() { Destroy(); }

  // Seconds 0 means 60. The texts are replaced only when at least one of
  // them is given; without `slide` the window only fades out.
  void Show(bool slide, int seconds, std::u16string_view text, std::u16string_view title);
  void Destroy();

  CMessageDlg* window() const { return window_; }

 private:
  CMessageDlg* window_ = nullptr;
};

}  // namespace nightlatch
