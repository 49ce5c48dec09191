// The modal editor of one task, in three flavours: a power action, opening
// a program, file or web address, and an alarm reminder. It edits a private
// copy; after IDOK the caller stores it.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/color_combo_box_win.h"
#include "controls/skin_mixins_win.h"
#include "editor/task_form.h"
#include "engine/task.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class SystemCalls;
class SystemClock;

class CAddTaskDlg
    : public DialogImpl<CAddTaskDlg,
                        CCtrlColor<CAddTaskDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CAddTaskDlg, false, RGB(255, 255, 255)>,
                        CBodyDrag> {
 public:
  static constexpr UINT kTemplateId = IDD_ADD_TASK;
  static constexpr UINT_PTR kMessageTimer = 1;
  static constexpr UINT kMessageMilliseconds = 3000;

  static constexpr int kOpenFlavour = 1;
  static constexpr int kReminderFlavour = 2;

  // A new power-action task.
  CAddTaskDlg(SystemClock& clock, SystemCalls& system);
  // A new task: kOpenFlavour, kReminderFlavour, anything else a power action.
  CAddTaskDlg(int flavour, SystemClock& clock, SystemCalls& system);
  // A copy of a task of the list.
  CAddTaskDlg(const CTask& task, SystemClock& clock, SystemCalls& system);

  // Modal, owned by the active window: IDOK after a successful check,
  // IDCANCEL otherwise.
  INT_PTR Run();
  // The working copy; after IDOK, the task to store.
  const TaskFileRecord& task() const { return working_; }

  // Mixin hooks.
  HBRUSH OnStaticColor(HDC dc, HWND control);
  void OnPaintBackground(HDC dc, const RECT& client);

 private:
  CAddTaskDlg(const TaskFileRecord& working, SystemClock& clock, SystemCalls& system);

  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id, int code);
  void FillLists();
  void LayOutModeRow();
  void ApplyModeView(int mode);
  void WriteForm(const TaskForm& form);
  TaskForm ReadForm() const;
  void OnOk();
  void OnWebAddressToggled();
  void Browse();
  void TryOpen();
  void ShowMessage(std::u16string_view text);

  bool IsOpen() const { return working_.action == kOpen; }
  bool IsReminder() const { return working_.action == kReminder; }
  void Show(int id, bool shown) const;
  std::u16string EntryText() const;

  TaskFileRecord working_;
  SystemClock& clock_;
  SystemCalls& system_;
  ScopedFont titleFont_;
  CButtonBT buttons_[4];
  CColorComboBox actionList_;
  CColorComboBox warnList_;
};

}  // namespace nightlatch
