// Nightlatch's one top-level window: hosts the three pages, owns the tray
// icon, and drives the whole program with its one-second tick.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "controls/bitmap_button_win.h"
#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "controls/static_ck_win.h"
#include "editor/plan_dlg_win.h"
#include "editor/simple_dlg_win.h"
#include "engine/trigger_rules.h"
#include "framework/dialog_win.h"
#include "framework/message_loop_win.h"
#include "platform/gdi_win.h"
#include "prompts/notice_window_win.h"
#include "prompts/prompt_dialog_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/setting_dlg_win.h"
#include "shell/shell_icon_win.h"

namespace nightlatch {

class SystemCalls;
class SystemClock;

// What the main dialog reads and acts on; tests pass their own.
struct MainDlgServices {
  SystemClock* clock = nullptr;
  SystemCalls* system = nullptr;
  // Where config.ini and helper.dat live; empty: the per-user data folder.
  std::u16string dataFolder;
  // The prompts' sound commands; null: the system's MCI.
  MciCommands* mci = nullptr;
};

class CMainDlg : public DialogImpl<CMainDlg>,
                 public MessageFilter,
                 public IdleHandler,
                 public CCtrlColor<CMainDlg, true, RGB(255, 255, 255), RGB(255, 255, 255)>,
                 public CShellIcon<CMainDlg>,
                 public CContextMenu<CMainDlg>,
                 public CMyIconMenu<CMainDlg> {
 public:
  static constexpr UINT kTemplateId = IDD_MAIN;
  static constexpr UINT_PTR kTickTimer = 1;

  explicit CMainDlg(MainDlgServices services);
  ~CMainDlg() override;

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;
  bool PreTranslateMessage(MSG& message) override;
  bool OnIdle() override { return false; }

  // Slides the notice in at the bottom-right corner (or only fades it out);
  // seconds 0 means 60; empty texts keep the previous ones.
  void ShowNotice(bool slide, int seconds, std::u16string_view text, std::u16string_view title);
  bool PasswordCheck();

  TaskList& tasks() { return planPage_.tasks(); }
  const std::u16string& configPath() const { return configPath_; }
  NoticeWindow& noticeWindow() { return noticeWindow_; }
  // The open countdown prompts, oldest first.
  const std::vector<CPromptDlg*>& prompts() const { return prompts_; }
  const std::u16string& taskFilePath() const { return taskFilePath_; }
  CSimpleDlg& simplePage() { return simplePage_; }
  int visiblePage() const { return currentPage_; }

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
  using CtrlColor = CCtrlColor<CMainDlg, true, RGB(255, 255, 255), RGB(255, 255, 255)>;

  bool OnInitDialog();
  PassClock ReadClock() const;
  void FinishStart();
  void RefreshShownTexts();
  void OnTick();
  void RunRequest(TaskRunRequest& request);
  void ShowPage(int pageButton);
  void HideToTray();
  void OnDestroy();
  void PaintBackground(HDC dc);
  void RegisterSpeakHotkey();
  void LayOut();
  void PlacePage(HWND page);
  void RefreshClockTexts(const LocalFields& now);

  MainDlgServices services_;
  std::u16string configPath_;
  std::u16string taskFilePath_;
  std::u16string notePath_;
  std::u16string title_;
  std::u16string versionText_;
  int32_t ownVersion_ = 0;

  CSimpleDlg simplePage_;
  CPlanDlg planPage_;
  CSettingDlg settingsPage_;
  int currentPage_ = IDC_PAGE_SIMPLE;
  bool startFinished_ = false;
  RECT pageArea_{};

  PreviousPass previousPass_;
  // Not owned: each prompt deletes itself and reports its closing.
  std::vector<CPromptDlg*> prompts_;
  NoticeWindow noticeWindow_;
  ScopedFont statusFont_;
  CButtonBT hideButton_;
  ScopedImageList pageImages_;
  CBitmapButton pageButtons_[3];
  CStaticCK statusLine_;
  CStaticCK feedbackLink_;
};

}  // namespace nightlatch
