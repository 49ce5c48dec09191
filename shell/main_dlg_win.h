// Nightlatch's one top-level window: hosts the three pages, owns the tray
// icon, and drives the whole program with its one-second tick.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "clock/clock_window_win.h"
#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "controls/static_ck_win.h"
#include "engine/power_keeper.h"
#include "engine/power_requests_win.h"
#include "engine/trigger_rules.h"
#include "framework/dialog_win.h"
#include "framework/message_loop_win.h"
#include "platform/gdi_win.h"
#include "prompts/missed_runs_window_win.h"
#include "prompts/notice_window_win.h"
#include "prompts/prompt_dialog_win.h"
#include "resources/nightlatch_ids.h"
#include "shell/page_host_win.h"
#include "shell/shell_icon_win.h"

namespace nightlatch {

class Program;
class SystemCalls;
class SystemClock;

// What the main dialog reads the time from and acts through; tests pass
// their own.
struct MainDlgServices {
  SystemClock* clock = nullptr;
  SystemCalls* system = nullptr;
  // The prompts' sound commands; null: the system's MCI.
  MciCommands* mci = nullptr;
  // The notification area; null: Shell_NotifyIconW.
  NotifyIconFunction notifyIcon = nullptr;
  // The web site the daily update check asks; empty: no check (tests).
  std::u16string updateSite;
  // The wake timer and the request to stay awake; null: the system's.
  PowerRequests* power = nullptr;
};

class CMainDlg
    : public DialogImpl<CMainDlg,
                        CCtrlColor<CMainDlg, true, RGB(255, 255, 255), RGB(255, 255, 255)>,
                        CBodyDrag>,
      public MessageFilter,
      public IdleHandler,
      public CShellIcon<CMainDlg>,
      public CContextMenu<CMainDlg>,
      public CMyIconMenu<CMainDlg> {
 public:
  static constexpr UINT kTemplateId = IDD_MAIN;
  static constexpr UINT_PTR kTickTimer = 1;

  // `program` outlives the dialog.
  CMainDlg(Program& program, MainDlgServices services);
  ~CMainDlg() override;

  bool PreTranslateMessage(MSG& message) override;
  bool OnIdle() override { return false; }

  // Slides the notice in at the bottom-right corner (or only fades it out);
  // seconds 0 means 60; empty texts keep the previous ones.
  void ShowNotice(bool slide, int seconds, std::u16string_view text, std::u16string_view title);
  bool PasswordCheck();

  // The dialog's parts, as the windows of other subsystems see them.
  PageHost& pages() { return pages_; }
  NoticeWindow& noticeWindow() { return noticeWindow_; }
  MissedRunsWindow& missedRunsWindow() { return missedRuns_; }
  const PowerKeeper& powerKeeper() const { return powerKeeper_; }
  // The desktop clock while its window exists.
  CClockWindow* clockWindow() const;
  // The open countdown prompts, oldest first.
  const std::vector<CPromptDlg*>& prompts() const { return prompts_; }

  // Tray menu commands (CMyIconMenu).
  void ShowFromTray();
  void RunTrayPowerAction(int32_t action);
  void ShowClockWindow();
  void SpeakTime();
  void ShowAbout();
  void Exit();

  using CShellIcon<CMainDlg>::trayData;
  using CShellIcon<CMainDlg>::trayIconAdded;
  using CContextMenu<CMainDlg>::ShowContextMenu;

 private:
  class TickSink;

  bool OnInitDialog() override;
  void OnDpiChanged(int dpi) override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id);
  bool OnSysCommand(WPARAM command);
  void OnTaskRun(LPARAM request);
  void OnPromptClosed(LPARAM prompt);
  void OnOpenTasks(LPARAM alsoAdd);
  void OnQueryEndSession();
  void OnClockSettings(LPARAM clockShown);
  void OnUpdateFetched();
  void OnPowerBroadcast(WPARAM event);
  void FollowTimeChange();
  bool OnWakeChanged();
  void ShowMissedRuns(const MissedRuns& runs, const PassClock& pass);
  bool PowerPromptOpen() const;
  void StartUpdateCheckIfDue();
  bool CreateClockWindow();
  void OnDestroy();
  void EndProgram();

  void SetUpWindow();
  void SetUpStatusBar();
  RECT LayOut();
  PassClock ReadClock() const;
  void FinishStart();
  void RefreshShownTexts();
  void OnTick();
  void ArmTickTimer();
  template <typename Work>
  void Hold(Work work);
  void RunRequest(TaskRunRequest& request);
  void SavePendingTasks();
  void ShowPage(int pageButton);
  void HideToTray();
  void PaintBackground(HDC dc);
  bool RegisterSpeakHotkey();
  bool ReplaceSpeakHotkey();
  void RefreshClockTexts(const LocalFields& now);

  Program& program_;
  MainDlgServices services_;
  std::u16string title_;
  std::u16string versionText_;
  int32_t ownVersion_ = 0;

  PageHost pages_;
  PreviousPass previousPass_;
  // A pass found a task due; its save waits for the runs (WM_SAVE_TASKS).
  bool taskSavePending_ = false;
  // The program's own waits since the last pass (Hold).
  int64_t heldMilliseconds_ = 0;
  // When the last prompt came up (uptime), for one animation a burst.
  std::optional<uint32_t> promptShownAt_;
  // Not owned: each prompt deletes itself and reports its closing.
  std::vector<CPromptDlg*> prompts_;
  NoticeWindow noticeWindow_;
  MissedRunsWindow missedRuns_;
  Win32PowerRequests systemPower_;
  PowerKeeper powerKeeper_;
  std::unique_ptr<CClockWindow> clock_;
  // Shared with the update check, which may outlive the window.
  std::shared_ptr<std::atomic<bool>> exiting_ = std::make_shared<std::atomic<bool>>(false);
  // The speak hotkey registered now, to go back to.
  struct SpeakHotkey {
    UINT modifiers;
    UINT key;
  };
  std::optional<SpeakHotkey> speakHotkey_;
  ScopedFont statusFont_;
  CButtonBT hideButton_;
  CStaticCK statusLine_;
  CStaticCK feedbackLink_;
};

}  // namespace nightlatch
