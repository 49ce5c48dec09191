// The settings page: hosts the settings sub-pages.
#pragma once

#include "framework/dialog_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CSettingDlg : public DialogImpl<CSettingDlg> {
 public:
  static constexpr UINT kTemplateId = IDD_SETTINGS_PAGE;

  bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override {
    if (message != WM_INITDIALOG)
      return false;
    result = TRUE;
    return true;
  }
};

}  // namespace nightlatch
