// The link label: hot colour under the mouse, the hand cursor, opening its
// address on a press, and where its text lands.
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/static_ck_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ControlHost;
using testing::Ink;
using testing::PixelCanvas;
using testing::Rgb;

constexpr int kWidth = 200;
constexpr int kHeight = 80;
constexpr int kLabelId = 9;
constexpr COLORREF kNormal = RGB(0, 0, 0);
constexpr COLORREF kHot = RGB(255, 0, 0);
constexpr COLORREF kUnpainted = RGB(1, 2, 3);

std::vector<std::wstring> openedAddresses;

void RecordAddress(const wchar_t* address) {
  openedAddresses.emplace_back(address);
}

class StaticCKTest : public ::testing::Test {
 protected:
  void SetUp() override {
    openedAddresses.clear();
    ASSERT_TRUE(host_.Open());
    label_ =
        host_.Add(L"Static", L"问题反馈", SS_LEFT, {20, 20, 20 + kWidth, 20 + kHeight}, kLabelId);
    ASSERT_TRUE(link_.Attach(label_));
    link_.SetAddressOpener(RecordAddress);
  }

  void Draw(PixelCanvas& canvas) {
    host_.SendDrawItem(label_, ODT_STATIC, 0, canvas.dc(), canvas.bounds());
  }

  POINT LabelCentre() const {
    RECT area{};
    ::GetWindowRect(label_, &area);
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  }

  ControlHost host_;
  HWND label_ = nullptr;
  CStaticCK link_;
};

TEST_F(StaticCKTest, AttachingMakesAnOwnerDrawnStaticThatHearsTheMouse) {
  const LONG_PTR style = ::GetWindowLongPtrW(label_, GWL_STYLE);
  EXPECT_EQ(style & SS_TYPEMASK, SS_OWNERDRAW);
  EXPECT_NE(style & SS_NOTIFY, 0);
}

TEST_F(StaticCKTest, TurnsHotWhileTheMouseIsOverIt) {
  const POINT centre = LabelCentre();
  ::SetCursorPos(centre.x, centre.y);
  testing::PumpMessagesFor(300);
  ASSERT_TRUE(link_.hot()) << "the pointer over the label";
  PixelCanvas hot(kWidth, kHeight);
  Draw(hot);
  EXPECT_GT(hot.FindInk(kHot).count, 10) << "text in the hot colour " << Rgb(kHot);
  EXPECT_EQ(hot.FindInk(kNormal).count, 0);

  ::SetCursorPos(centre.x + 400, centre.y + 400);
  testing::PumpMessagesFor(1000);
  EXPECT_FALSE(link_.hot()) << "the pointer left the label";
  PixelCanvas normal(kWidth, kHeight);
  Draw(normal);
  EXPECT_GT(normal.FindInk(kNormal).count, 10) << "text in the normal colour " << Rgb(kNormal);
  EXPECT_EQ(normal.FindInk(kHot).count, 0);
}

TEST_F(StaticCKTest, LeftPressOpensTheAddressOnlyWhenOneIsSet) {
  ::SendMessageW(label_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  EXPECT_TRUE(openedAddresses.empty()) << "no address: nothing opens";

  // Still a hot text without an address.
  ::SendMessageW(label_, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(link_.hot());
  ::SendMessageW(label_, WM_MOUSELEAVE, 0, 0);

  link_.SetAddress(L"http://127.0.0.1/?page");
  ::SendMessageW(label_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
  ::SendMessageW(label_, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(openedAddresses.empty()) << "only the left button's press opens";
  ::SendMessageW(label_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  ASSERT_EQ(openedAddresses.size(), 1u);
  EXPECT_EQ(openedAddresses[0], L"http://127.0.0.1/?page");
}

// A link's address may come from the network: only web pages open.
TEST_F(StaticCKTest, OnlyWebAddressesOpen) {
  const struct {
    const wchar_t* address;
    bool opens;
  } cases[] = {
      {L"https://127.0.0.1/help", true},
      {L"HTTP://127.0.0.1/", true},
      {L"file:///C:/Windows/System32/calc.exe", false},
      {L"C:\\Windows\\System32\\calc.exe", false},
      {L"\\\\server\\share\\run.exe", false},
      {L"ms-msdt:/id PCWDiagnostic", false},
      {L"search-ms:query=x", false},
      {L"javascript:alert(1)", false},
      {L"http://", false},
      {L"http:///etc", false},
      {L"https://127.0.0.1/a b", false},
  };
  for (const auto& c : cases) {
    openedAddresses.clear();
    link_.SetAddress(c.address);
    ::SendMessageW(label_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(openedAddresses.size(), c.opens ? 1u : 0u) << c.address;
  }
}

TEST_F(StaticCKTest, ShowsTheHandCursor) {
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(::SendMessageW(label_, WM_SETCURSOR, reinterpret_cast<WPARAM>(label_),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
            TRUE);
  EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_HAND));
}

TEST_F(StaticCKTest, PlacesTheTextAsAligned) {
  using H = CStaticCK::Horizontal;
  using V = CStaticCK::Vertical;
  struct Case {
    const char* name;
    H horizontal;
    V vertical;
  };
  const Case cases[] = {
      {"left top", H::kLeft, V::kTop},           {"left centre", H::kLeft, V::kCentre},
      {"centre centre", H::kCentre, V::kCentre}, {"right bottom", H::kRight, V::kBottom},
      {"centre bottom", H::kCentre, V::kBottom},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    link_.SetAlignment(c.horizontal, c.vertical);
    PixelCanvas canvas(kWidth, kHeight);
    Draw(canvas);
    const Ink ink = canvas.FindInk(kNormal);
    ASSERT_GT(ink.count, 10);
    const int left = ink.box.left;
    const int right = kWidth - 1 - ink.box.right;
    const int top = ink.box.top;
    const int bottom = kHeight - 1 - ink.box.bottom;
    switch (c.horizontal) {
      case H::kLeft:
        EXPECT_LE(left, 2) << "left margin";
        break;
      case H::kCentre:
        EXPECT_LE(std::abs(left - right), 3) << "margins " << left << " and " << right;
        break;
      case H::kRight:
        EXPECT_LE(right, 2) << "right margin";
        break;
    }
    switch (c.vertical) {
      case V::kTop:
        EXPECT_LE(top, 4) << "top margin";
        break;
      case V::kCentre:
        EXPECT_LE(std::abs(top - bottom), 5) << "margins " << top << " and " << bottom;
        break;
      case V::kBottom:
        EXPECT_LE(bottom, 4) << "bottom margin";
        break;
    }
  }
}

TEST_F(StaticCKTest, LineBreaksNeedTheWrappedMode) {
  ::SetWindowTextW(label_, L"第一行\n第二行\n第三行");
  link_.SetAlignment(CStaticCK::Horizontal::kLeft, CStaticCK::Vertical::kTop);
  PixelCanvas single(kWidth, kHeight);
  Draw(single);
  const Ink oneLine = single.FindInk(kNormal);

  link_.SetSingleLine(false);
  PixelCanvas wrapped(kWidth, kHeight);
  Draw(wrapped);
  const Ink threeLines = wrapped.FindInk(kNormal);
  ASSERT_GT(oneLine.count, 10);
  const int oneHeight = oneLine.box.bottom - oneLine.box.top;
  const int threeHeight = threeLines.box.bottom - threeLines.box.top;
  EXPECT_GT(threeHeight, 2 * oneHeight)
      << "one line " << oneHeight << " px, wrapped " << threeHeight;
}

TEST_F(StaticCKTest, TransparentLabelKeepsWhatIsBehindItsText) {
  PixelCanvas transparent(kWidth, kHeight);
  Draw(transparent);
  EXPECT_EQ(transparent.At(0, 0), Rgb(kUnpainted));
  EXPECT_EQ(transparent.At(kWidth - 1, kHeight - 1), Rgb(kUnpainted));

  link_.SetTransparent(false, RGB(240, 255, 255));
  PixelCanvas opaque(kWidth, kHeight);
  Draw(opaque);
  EXPECT_EQ(opaque.At(0, 0), Rgb(RGB(240, 255, 255)));
  EXPECT_EQ(opaque.Count(kUnpainted, opaque.bounds()), 0);
}

}  // namespace
}  // namespace nightlatch
