// The program's message box: its texts, its one button, its answers.
#include <string>

#include <gtest/gtest.h>

#include "controls/window_text_win.h"
#include "prompts/message_box_win.h"
#include "support/dialog_driver_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::OnNextDialog;
using testing::PixelCanvas;
using testing::PressKey;
using testing::Rgb;

TEST(MessageBoxTest, ShowsTitleAndMessageWithOnlyTheOkButton) {
  std::wstring message;
  std::wstring title;
  bool okShown = false;
  bool cancelShown = true;
  OnNextDialog driver([&](HWND dialog) {
    message = WindowText(::GetDlgItem(dialog, IDC_MESSAGE_TEXT));
    title = WindowText(::GetDlgItem(dialog, IDC_MESSAGE_TITLE));
    okShown = ::IsWindowVisible(::GetDlgItem(dialog, IDOK));
    cancelShown = ::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL));
    ClickButton(dialog, IDOK);
  });
  EXPECT_EQ(ShowMessageBox(u"请选择要修改的行", u"提示"), IDOK);
  ASSERT_TRUE(driver.ran());
  EXPECT_EQ(message, L"请选择要修改的行");
  EXPECT_EQ(title, L"提示");
  EXPECT_TRUE(okShown);
  EXPECT_FALSE(cancelShown);
}

TEST(MessageBoxTest, AnswersOneForOkAndTwoForTheCancelCommand) {
  struct Case {
    const char* name;
    void (*close)(HWND dialog);
    INT_PTR expected;
  };
  const Case cases[] = {
      {"确定 clicked", [](HWND dialog) { ClickButton(dialog, IDOK); }, IDOK},
      {"Enter", [](HWND dialog) { PressKey(dialog, VK_RETURN); }, IDOK},
      {"Escape", [](HWND dialog) { PressKey(dialog, VK_ESCAPE); }, IDCANCEL},
      {"cancel command",
       [](HWND dialog) { ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); },
       IDCANCEL},
  };
  for (const Case& c : cases) {
    OnNextDialog driver(c.close);
    EXPECT_EQ(ShowMessageBox(u"不能立即开启", u"提示"), c.expected) << c.name;
    EXPECT_TRUE(driver.ran()) << c.name;
  }
}

TEST(MessageBoxTest, CutsTextsToItsBuffers) {
  const std::u16string longMessage(300, u'长');
  const std::u16string longTitle(80, u'题');
  size_t messageLength = 0;
  size_t titleLength = 0;
  OnNextDialog driver([&](HWND dialog) {
    messageLength = WindowText(::GetDlgItem(dialog, IDC_MESSAGE_TEXT)).size();
    titleLength = WindowText(::GetDlgItem(dialog, IDC_MESSAGE_TITLE)).size();
    ClickButton(dialog, IDOK);
  });
  ShowMessageBox(longMessage, longTitle);
  EXPECT_EQ(messageLength, 259u);
  EXPECT_EQ(titleLength, 49u);
}

TEST(MessageBoxTest, BackgroundIsTheTiledStrip) {
  std::string corner;
  std::string below;
  OnNextDialog driver([&](HWND dialog) {
    PixelCanvas canvas(20, 100);
    ::SendMessageW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    corner = canvas.At(0, 0);
    below = canvas.At(7, 60);
    ClickButton(dialog, IDOK);
  });
  ShowMessageBox(u"提示", u"提示");
  ScopedBitmap strip(::LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_BOX_BACKGROUND)));
  ScopedMemoryDC dc(nullptr);
  ScopedSelect select(dc.get(), strip.get());
  EXPECT_EQ(corner, Rgb(::GetPixel(dc.get(), 0, 0)));
  EXPECT_EQ(below, Rgb(::GetPixel(dc.get(), 2, 60)));
}

}  // namespace
}  // namespace nightlatch
