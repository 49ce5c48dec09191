// The about box: the program's picture, title, version and feedback link.
#pragma once

#include <windows.h>

#include "controls/skin_mixins_win.h"
#include "controls/static_ck_win.h"
#include "framework/dialog_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CAboutDlg
    : public DialogImpl<CAboutDlg,
                        CCtrlColor<CAboutDlg, true, RGB(0, 107, 168), RGB(255, 255, 255)>,
                        CPaintBkgnd<CAboutDlg, false, RGB(240, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = IDD_ABOUT;

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  CStaticCK link_;
};

}  // namespace nightlatch
