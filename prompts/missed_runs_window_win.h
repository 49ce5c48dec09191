// The window that tells which runs were missed while the computer slept or
// the program was not running. It stays until the user closes it; runs
// missed again meanwhile are added to it.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CMissedRunsDlg
    : public DialogImpl<CMissedRunsDlg,
                        CCtrlColor<CMissedRunsDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                        CPaintBkgnd<CMissedRunsDlg, false, RGB(255, 255, 255)>,
                        CBodyDrag> {
 public:
  static constexpr UINT kTemplateId = IDD_MISSED_RUNS;

  // Hidden, owned by the desktop; deletes itself once its window is
  // destroyed and clears *owner first. Null when it could not be made.
  static CMissedRunsDlg* Create(CMissedRunsDlg** owner);

  void AddLines(const std::vector<std::u16string>& lines);
  // Centred on the work area, above other windows, without taking the
  // keyboard from what the user is doing.
  void ShowCentred();
  int lineCount() const;

 private:
  CMissedRunsDlg() = default;
  ~CMissedRunsDlg() override = default;
  void OnFinalMessage(HWND) override;
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  CMissedRunsDlg** owner_ = nullptr;
  CButtonBT ok_;
  ScopedFont titleFont_;
  int widestLine_ = 0;
};

// The main dialog's one missed-runs window: made when runs are first
// missed, forgotten when closed, destroyed with its owner.
class MissedRunsWindow {
 public:
  MissedRunsWindow() = default;
  MissedRunsWindow(const MissedRunsWindow&) = delete;
  MissedRunsWindow& operator=(const MissedRunsWindow&) = delete;
  ~MissedRunsWindow() { Destroy(); }

  // Adds the lines to the open window, or opens one with them.
  void Show(const std::vector<std::u16string>& lines);
  void Destroy();

  CMissedRunsDlg* window() const { return window_; }

 private:
  CMissedRunsDlg* window_ = nullptr;
};

}  // namespace nightlatch
