// The flat button's faces: which colour each state paints, and the caption.
#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "controls/button_bt_win.h"
#include "support/control_host_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ControlHost;
using testing::Ink;
using testing::PixelCanvas;
using testing::Rgb;

constexpr int kWidth = 120;
constexpr int kHeight = 60;
constexpr int kButtonId = 5;
constexpr ButtonColors kColors{RGB(10, 200, 10), RGB(20, 20, 220), RGB(133, 133, 133),
                               RGB(250, 100, 0), RGB(255, 255, 0)};
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kDisabledCaption = RGB(180, 180, 180);

class ButtonBTTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open());
    button_ = host_.Add(L"Button", L"确定", BS_PUSHBUTTON, {20, 20, 20 + kWidth, 20 + kHeight},
                        kButtonId);
    ASSERT_TRUE(control_.Attach(button_));
    control_.SetColors(kColors);
  }

  // The item drawn as the dialog manager would ask, through the host's
  // reflection.
  void Draw(PixelCanvas& canvas, UINT itemState) {
    host_.SendDrawItem(button_, ODT_BUTTON, itemState, canvas.dc(), canvas.bounds());
  }

  void MakeHot() {
    RECT area{};
    ::GetWindowRect(button_, &area);
    ::SetCursorPos(area.left + 5, area.top + 5);
    ::SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  }

  ControlHost host_;
  HWND button_ = nullptr;
  CButtonBT control_;
};

TEST_F(ButtonBTTest, AttachingMakesTheButtonOwnerDrawn) {
  EXPECT_EQ(::GetWindowLongPtrW(button_, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ButtonBTTest, EachStatePaintsItsFaceInsideTheBorder) {
  struct Case {
    const char* name;
    bool hot;
    UINT state;
    COLORREF face;
    COLORREF caption;
  };
  const Case cases[] = {
      {"normal", false, 0, kColors.normalFace, kColors.caption},
      {"hot", true, 0, kColors.hotFace, kColors.caption},
      {"pressed", false, ODS_SELECTED, kColors.pressedFace, kColors.caption},
      {"pressed while hot", true, ODS_SELECTED, kColors.pressedFace, kColors.caption},
      {"disabled", false, ODS_DISABLED, kWhite, kDisabledCaption},
      {"disabled while hot", true, ODS_DISABLED, kWhite, kDisabledCaption},
      {"focused", false, ODS_FOCUS, kColors.normalFace, kColors.caption},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.hot)
      MakeHot();
    ASSERT_EQ(control_.hot(), c.hot);
    PixelCanvas canvas(kWidth, kHeight);
    Draw(canvas, c.state);
    for (const POINT at : {POINT{0, 0}, POINT{kWidth - 1, 0}, POINT{0, kHeight - 1},
                           POINT{kWidth - 1, kHeight - 1}, POINT{kWidth / 2, 0}})
      EXPECT_EQ(canvas.At(at.x, at.y), Rgb(kColors.border)) << "border at " << at.x << "," << at.y;
    for (const POINT at : {POINT{1, 1}, POINT{kWidth - 2, kHeight - 2}, POINT{3, kHeight / 2}})
      EXPECT_EQ(canvas.At(at.x, at.y), Rgb(c.face)) << "face at " << at.x << "," << at.y;
    EXPECT_GT(canvas.FindInk(c.caption).count, 10) << "caption in " << Rgb(c.caption);
    EXPECT_EQ(canvas.Count(RGB(1, 2, 3), canvas.bounds()), 0) << "every pixel is painted";
    if (c.hot)
      ::SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(control_.hot());
  }
}

TEST_F(ButtonBTTest, CaptionIsCentredBothWays) {
  ::SetWindowTextW(button_, L"取消");
  PixelCanvas canvas(kWidth, kHeight);
  Draw(canvas, 0);
  const Ink ink = canvas.FindInk(kColors.caption);
  ASSERT_GT(ink.count, 10);
  const int left = ink.box.left;
  const int right = kWidth - 1 - ink.box.right;
  const int top = ink.box.top;
  const int bottom = kHeight - 1 - ink.box.bottom;
  EXPECT_LE(std::abs(left - right), 3) << "left margin " << left << ", right margin " << right;
  EXPECT_LE(std::abs(top - bottom), 5) << "top margin " << top << ", bottom margin " << bottom;
}

TEST_F(ButtonBTTest, LongCaptionWrapsInsideTheButton) {
  ::SetWindowTextW(button_, L"一个很长很长很长的按钮文字需要折行显示");
  PixelCanvas canvas(kWidth, kHeight);
  Draw(canvas, 0);
  const Ink ink = canvas.FindInk(kColors.caption);
  ASSERT_GT(ink.count, 10);
  EXPECT_GT(ink.box.bottom - ink.box.top, 16) << "two lines expected";
  EXPECT_GE(ink.box.left, 1);
  EXPECT_LE(ink.box.right, kWidth - 2);
}

TEST_F(ButtonBTTest, NoCaptionLeavesTheFaceBare) {
  ::SetWindowTextW(button_, L"");
  PixelCanvas canvas(kWidth, kHeight);
  Draw(canvas, 0);
  EXPECT_EQ(canvas.Count(kColors.normalFace, canvas.bounds()), (kWidth - 2) * (kHeight - 2));
}

TEST_F(ButtonBTTest, PressingTheRealButtonShowsThePressedFaceOnScreen) {
  ::SendMessageW(button_, BM_SETSTATE, TRUE, 0);
  ::UpdateWindow(button_);
  {
    ScopedWindowDC dc(button_);
    EXPECT_EQ(Rgb(::GetPixel(dc.get(), 0, 0)), Rgb(kColors.border));
    EXPECT_EQ(Rgb(::GetPixel(dc.get(), 2, 2)), Rgb(kColors.pressedFace));
  }
  ::SendMessageW(button_, BM_SETSTATE, FALSE, 0);
  ::UpdateWindow(button_);
  ScopedWindowDC dc(button_);
  EXPECT_EQ(Rgb(::GetPixel(dc.get(), 2, 2)), Rgb(kColors.normalFace));
}

}  // namespace
}  // namespace nightlatch
