#include "editor/plan_dlg_win.h"

#include "engine/task_file.h"
#include "engine/trigger_rules.h"
#include "shell/system_clock.h"

namespace nightlatch {

bool CPlanDlg::Save() {
  return SaveTaskFile(tasks_, taskFilePath_);
}

void CPlanDlg::Rebuild() {
  tasks_.Sort();
}

bool CPlanDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM,
                                    LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      LoadTaskFile(tasks_, taskFilePath_,
                   PassClock::At(clock_.Now(), clock_.Zone(), clock_.IdleSeconds()));
      ::SetTimer(hwnd, kSaveTimer, 7000, nullptr);
      result = TRUE;
      return true;
    case WM_TIMER:
      if (wParam != kSaveTimer)
        return false;
      Save();  // a failed save keeps the list dirty; the next tick tries again
      return true;
    case WM_DESTROY:
      ::KillTimer(hwnd, kSaveTimer);
      Save();
      return true;
    default:
      return false;
  }
}

}  // namespace nightlatch
