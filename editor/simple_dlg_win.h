// The first page: the next task, the time and the uptime, and shortcuts that
// hand their work to the main dialog.
#pragma once

#include <string_view>

#include "framework/dialog_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class CSimpleDlg : public DialogImpl<CSimpleDlg> {
 public:
  static constexpr UINT kTemplateId = IDD_SIMPLE_PAGE;

  void SetTile(int id, std::u16string_view text);

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) override;
};

}  // namespace nightlatch
