// The countdown prompt: a small topmost window that counts a due task's
// warning seconds down and then carries its action out, unless the user
// cancels it or puts it off for ten minutes. A reminder task uses the same
// window as its alarm, without count or action.
#pragma once

#include <string>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "engine/trigger_rules.h"
#include "framework/dialog_win.h"
#include "framework/message_loop_win.h"
#include "platform/gdi_win.h"
#include "prompts/countdown.h"
#include "prompts/prompt_sound.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class Program;
class SystemCalls;
class SystemClock;

// What a prompt acts on, reads the time and its settings from and plays its
// sound through; all outlive the prompt.
struct PromptServices {
  Program& program;
  SystemCalls* system = nullptr;
  SystemClock* clock = nullptr;
  MciCommands* mci = nullptr;
  // Played when the SoundFile setting is empty.
  std::u16string defaultSound;
};

class CPromptDlg
    : public DialogImpl<CPromptDlg,
                        CCtrlColor<CPromptDlg, true, RGB(255, 255, 255), RGB(255, 255, 255)>,
                        CPaintBkgnd<CPromptDlg, true, IDB_PROMPT_BACKGROUND>,
                        CBodyDrag>,
      public MessageFilter {
 public:
  static constexpr UINT kTemplateId = IDD_PROMPT;
  static constexpr UINT_PTR kCountdownTimer = 1;
  static constexpr UINT_PTR kTipTimer = 2;
  static constexpr UINT kTipMilliseconds = 2000;
  static constexpr POINT kPictureAt{50, 50};
  static constexpr COLORREF kPictureMask = RGB(255, 0, 255);
  static constexpr COLORREF kAlarmLineColor = RGB(255, 255, 0);
  static constexpr int kReminderLineHeight = 20;

  // Makes the window, hidden, with the desktop as parent, for a copy of
  // `request`; placing and showing it is the caller's. `owner` is told by
  // WM_PROMPT_CLOSED when the window goes, whatever destroyed it. The object
  // deletes itself after its window; null when the window could not be made.
  static CPromptDlg* Open(const TaskRunRequest& request, HWND owner, PromptServices services);

  const Countdown& countdown() const { return countdown_; }
  int32_t action() const { return request_.action; }
  const std::u16string& soundAlias() const { return sound_.alias(); }

  bool PreTranslateMessage(MSG& message) override;
  // Over the tiled background, off-screen: the picture, or a reminder's
  // time line and text.
  void OnPaintBackground(HDC dc, const RECT& client);

 private:
  CPromptDlg(const TaskRunRequest& request, HWND owner, PromptServices services);
  ~CPromptDlg() override = default;
  void OnFinalMessage(HWND) override;

  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnTick();
  void OnButton(PromptButton button);
  bool PasswordPasses();
  void ShowTip(std::u16string_view tip);
  void StartSound();
  void EnterReminderMode();
  void WriteCountdownTexts(int32_t seconds);
  void PaintReminder(HDC dc, const RECT& client);
  void OnDestroy();

  HWND owner_;
  TaskRunRequest request_;
  PromptServices services_;
  Countdown countdown_;
  CButtonBT buttons_[3];
  HWND tip_ = nullptr;
  ScopedFont numberFont_;
  ScopedFont titleFont_;
  ScopedFont textFont_;
  PromptSound sound_;
  ScopedBitmap picture_;
  bool filtering_ = false;
};

}  // namespace nightlatch
