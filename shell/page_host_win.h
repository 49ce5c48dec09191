// The main dialog's three pages (simple, task list, settings) with their
// picture buttons: which page shows, and where the pages go.
#pragma once

#include <windows.h>

#include "controls/bitmap_button_win.h"
#include "editor/plan_dlg_win.h"
#include "editor/simple_dlg_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/setting_dlg_win.h"

namespace nightlatch {

class Program;
class SystemCalls;
class SystemClock;

class PageHost {
 public:
  PageHost(Program& program, SystemClock& clock, SystemCalls& system);
  PageHost(const PageHost&) = delete;
  PageHost& operator=(const PageHost&) = delete;

  // At the dialog's start: the page buttons and the simple page, shown in
  // `area` (dialog client coordinates).
  void CreateFirst(HWND dialog, const RECT& area, int32_t ownVersion);
  // Once the window is up: the task list page (which loads the task file)
  // and the settings page, hidden.
  void CreateRest(HWND dialog);
  bool restCreated() const { return restCreated_; }

  // Shows the page of `pageButton`; its button is disabled, the others not.
  void Show(HWND dialog, int pageButton);
  int visiblePage() const { return visiblePage_; }
  const RECT& area() const { return area_; }
  // The pages made so far into `area`, after a change of the DPI.
  void Relayout(const RECT& area);

  CSimpleDlg& simple() { return simple_; }
  CPlanDlg& plan() { return plan_; }
  CSettingDlg& settings() { return settings_; }

  // The task list page saves the task file as it goes.
  void Destroy();

 private:
  void Place(HWND page) const;

  const Program& program_;
  CSimpleDlg simple_;
  CPlanDlg plan_;
  CSettingDlg settings_;
  ScopedImageList images_;
  CBitmapButton buttons_[3];
  RECT area_{};
  int visiblePage_ = IDC_PAGE_SIMPLE;
  bool restCreated_ = false;
};

}  // namespace nightlatch
