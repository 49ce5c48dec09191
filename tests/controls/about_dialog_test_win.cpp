// The about box over its owner: the information text, its link, closing.
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "controls/about_dialog_win.h"
#include "controls/static_ck_win.h"
#include "controls/window_text_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::ControlHost;
using testing::OnNextDialog;
using testing::PressKey;

POINT Centre(HWND hwnd) {
  RECT area{};
  ::GetWindowRect(hwnd, &area);
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

TEST(AboutDialogTest, ShowsTitleVersionAndFeedbackHostCentredOverItsOwner) {
  ControlHost owner;
  ASSERT_TRUE(owner.Open(600, 400));
  std::wstring text;
  std::wstring address;
  bool linkAttached = false;
  POINT dialogCentre{};
  OnNextDialog driver([&](HWND dialog) {
    HWND label = ::GetDlgItem(dialog, IDC_ABOUT_TEXT);
    text = WindowText(label);
    if (auto* link = dynamic_cast<CStaticCK*>(SubclassedWindow::FromHandle(label))) {
      linkAttached = true;
      address = link->address();
    }
    dialogCentre = Centre(dialog);
    ClickButton(dialog, IDOK);
  });
  CAboutDlg about;
  EXPECT_EQ(about.RunModal(owner.hwnd()), IDOK);
  ASSERT_TRUE(driver.ran());

  EXPECT_EQ(text, L"Orvane定时关机助手\n\n程序版本：2.4.0.0\n\n\n意见反馈nightlatch.invalid");
  ASSERT_TRUE(linkAttached) << "control 1037 is a link label";
  const std::wstring query = L"?ZephHelper2_About";
  ASSERT_GE(address.size(), query.size());
  EXPECT_EQ(address.substr(address.size() - query.size()), query) << "address " << address.c_str();
  const POINT ownerCentre = Centre(owner.hwnd());
  EXPECT_LE(std::abs(dialogCentre.x - ownerCentre.x), 1);
  EXPECT_LE(std::abs(dialogCentre.y - ownerCentre.y), 1);
}

TEST(AboutDialogTest, EscapeClosesWithCancel) {
  OnNextDialog driver([](HWND dialog) { PressKey(dialog, VK_ESCAPE); });
  CAboutDlg about;
  EXPECT_EQ(about.RunModal(nullptr), IDCANCEL);
  EXPECT_TRUE(driver.ran());
}

}  // namespace
}  // namespace nightlatch
