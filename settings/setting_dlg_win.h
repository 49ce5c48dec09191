// The settings page: hosts the settings sub-pages.
#pragma once

#include "framework/dialog_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CSettingDlg : public DialogImpl<CSettingDlg> {
 public:
  static constexpr UINT kTemplateId = IDD_SETTINGS_PAGE;

 private:
  bool OnMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

}  // namespace nightlatch
