// The task list page: owns the task list for the whole life of the main
// dialog, loads it at creation and saves it every seven seconds and at the
// end.
#pragma once

#include <string>

#include "engine/task_list.h"
#include "framework/dialog_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class SystemClock;

class CPlanDlg : public DialogImpl<CPlanDlg> {
 public:
  static constexpr UINT kTemplateId = IDD_PLAN_PAGE;

  explicit CPlanDlg(SystemClock& clock) : clock_(clock) {}

  // Before the page is created: where helper.dat lives.
  void SetTaskFilePath(std::u16string path) { taskFilePath_ = std::move(path); }

  TaskList& tasks() { return tasks_; }
  // Writes helper.dat when the list changed.
  bool Save();
  // Brought to the front: the list is sorted afresh.
  void Rebuild();

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) override;

 private:
  static constexpr UINT_PTR kSaveTimer = 1;

  std::u16string taskFilePath_;
  SystemClock& clock_;
  TaskList tasks_;
};

}  // namespace nightlatch
