// The task list page: shows the program's task list one row per task, and
// adds, changes, deletes, pauses and resumes tasks. Loads the task file at
// creation, saves it every seven seconds and at the end.
#pragma once

#include <string>
#include <vector>

#include "controls/bitmap_button_win.h"
#include "controls/button_bt_win.h"
#include "controls/list_view_ctrl_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "editor/plan_rows.h"
#include "engine/task_list.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class Program;
class SystemCalls;
class SystemClock;
struct PassClock;

class CPlanDlg : public DialogImpl<CPlanDlg,
                                   CCtrlColor<CPlanDlg, false, RGB(0, 0, 0), RGB(255, 255, 255)>,
                                   CPaintBkgnd<CPlanDlg, false, RGB(242, 248, 251)>> {
 public:
  static constexpr UINT kTemplateId = IDD_PLAN_PAGE;
  static constexpr UINT_PTR kRefreshTimer = 1;
  static constexpr UINT kRefreshMilliseconds = 7000;

  // The editor's 试打开 goes through `system`.
  CPlanDlg(Program& program, SystemClock& clock, SystemCalls& system)
      : program_(program), clock_(clock), system_(system) {}

  HWND list() const { return list_.hwnd(); }
  // The id of the task shown in `row`; 0 outside the list.
  int32_t RowTaskId(int row) const;
  // Brought to the front: the list is sorted afresh and every row made anew.
  void Rebuild();

 private:
  bool OnInitDialog() override;
  void OnDpiChanged(int dpi) override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id);
  bool OnNotify(NMHDR& header);
  void OnGetDisplayInfo(NMLVDISPINFOW& info) const;
  void FitList(int pageWidth);
  void OnRefreshTimer();
  void OnDestroy();

  void Add(int flavour);
  void Modify();
  void Delete();
  void PauseOrResume();
  void ShowContextMenu();
  void OnMenuCommand(int id);

  PassClock Now() const;
  void FillRow(int row, const CTask& task, bool insert, const PassClock& clock);
  void FillAllRows(bool insert);
  void SelectRow(int row, bool scroll);
  int SelectionMark() const;
  // The task of the selection mark's row; null when there is none.
  CTask* SelectedTask();
  void PaintCell(HDC dc, const CListViewCtrlBT::Cell& cell);

  Program& program_;
  SystemClock& clock_;
  SystemCalls& system_;

  // The rows mirror the task list one to one, in its order. The list view
  // holds no data of its own (it asks for it as it draws): with Wine's list
  // view, setting a thousand rows' texts one by one takes a third of a second.
  struct ShownRow {
    int32_t id = 0;
    TaskRow texts;
  };
  std::vector<ShownRow> rows_;

  CListViewCtrlBT list_;
  CButtonBT buttons_[5];
  ScopedImageList images_;
  ScopedFont nameFont_;
  ScopedFont modeFont_;
  ScopedFont cellFont_;
  // The list's template width at 96 DPI, the most FitList gives it.
  int listBaseWidth_ = 0;
};

}  // namespace nightlatch
