// The dialog skins: which controls CCtrlColor colours, what CPaintBkgnd paints.
#include <gtest/gtest.h>

#include "controls/skin_mixins_win.h"
#include "resources/nightlatch_ids.h"
#include "support/control_host_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ControlHost;
using testing::PixelCanvas;
using testing::Rgb;

constexpr COLORREF kText = RGB(0, 107, 168);
constexpr COLORREF kBrush = RGB(12, 34, 56);
constexpr int kClaimedId = 77;

// A host whose static-colour hook claims one control.
template <bool transparent>
class ColoredHost : public ControlHost,
                    public CCtrlColor<ColoredHost<transparent>, transparent, kText, kBrush> {
 public:
  using CtrlColor = CCtrlColor<ColoredHost<transparent>, transparent, kText, kBrush>;

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override {
    if (CtrlColor::HandleMessage(hwnd, message, wParam, lParam, result))
      return true;
    return ControlHost::ProcessWindowMessage(hwnd, message, wParam, lParam, result);
  }

  HBRUSH OnStaticColor(HDC dc, HWND control) {
    if (::GetDlgCtrlID(control) != kClaimedId)
      return nullptr;
    ::SetTextColor(dc, RGB(255, 0, 0));
    return claimed.get();
  }

  ScopedBrush claimed{::CreateSolidBrush(RGB(240, 255, 255))};
};

COLORREF BrushColor(HBRUSH brush) {
  LOGBRUSH info{};
  ::GetObjectW(brush, sizeof info, &info);
  return info.lbColor;
}

HBRUSH Ask(HWND host, UINT message, HDC dc, HWND control) {
  return reinterpret_cast<HBRUSH>(::SendMessageW(host, message, reinterpret_cast<WPARAM>(dc),
                                                 reinterpret_cast<LPARAM>(control)));
}

TEST(CtrlColorTest, TransparentSkinGivesStaticsTheHollowBrushAndLeavesEditFieldsAlone) {
  ColoredHost<true> host;
  ASSERT_TRUE(host.Open());
  HWND label = host.Add(L"Static", L"text", SS_LEFT, {10, 10, 100, 30}, 1);
  HWND field = host.Add(L"Edit", L"read only", ES_READONLY, {10, 40, 100, 60}, 2);
  HWND claimed = host.Add(L"Static", L"tip", SS_LEFT, {10, 70, 100, 90}, kClaimedId);
  PixelCanvas canvas(4, 4);
  const HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));

  ::SetBkMode(canvas.dc(), OPAQUE);
  EXPECT_EQ(Ask(host.hwnd(), WM_CTLCOLORSTATIC, canvas.dc(), label), hollow);
  EXPECT_EQ(Rgb(::GetTextColor(canvas.dc())), Rgb(kText));
  EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);

  // Declined: the window's default answer, never the skin's brush.
  const HBRUSH forField = Ask(host.hwnd(), WM_CTLCOLORSTATIC, canvas.dc(), field);
  EXPECT_NE(forField, hollow);
  EXPECT_NE(forField, nullptr);

  EXPECT_EQ(Ask(host.hwnd(), WM_CTLCOLORSTATIC, canvas.dc(), claimed), host.claimed.get());
  EXPECT_EQ(Rgb(::GetTextColor(canvas.dc())), Rgb(RGB(255, 0, 0)))
      << "the hook's text colour must not be overwritten";

  ::SetTextColor(canvas.dc(), RGB(0, 0, 0));
  EXPECT_EQ(Ask(host.hwnd(), WM_CTLCOLORBTN, canvas.dc(), label), nullptr)
      << "buttons keep the dialog manager's brush";
  EXPECT_EQ(Rgb(::GetTextColor(canvas.dc())), Rgb(kText));
}

TEST(CtrlColorTest, OpaqueSkinGivesStaticsItsSolidBrush) {
  ColoredHost<false> host;
  ASSERT_TRUE(host.Open());
  HWND label = host.Add(L"Static", L"text", SS_LEFT, {10, 10, 100, 30}, 1);
  PixelCanvas canvas(4, 4);
  const HBRUSH brush = Ask(host.hwnd(), WM_CTLCOLORSTATIC, canvas.dc(), label);
  ASSERT_NE(brush, nullptr);
  EXPECT_EQ(Rgb(BrushColor(brush)), Rgb(kBrush));
}

// A background host with a paint hook that marks one pixel.
template <bool fromBitmap, UINT value>
class PaintedHost : public ControlHost,
                    public CPaintBkgnd<PaintedHost<fromBitmap, value>, fromBitmap, value> {
 public:
  using PaintBkgnd = CPaintBkgnd<PaintedHost<fromBitmap, value>, fromBitmap, value>;
  static constexpr COLORREF kMark = RGB(200, 0, 200);

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override {
    return PaintBkgnd::HandleMessage(hwnd, message, wParam, lParam, result);
  }

  void OnPaintBackground(HDC dc, const RECT& client) {
    hookedClient = client;
    ::SetPixelV(dc, 3, 3, kMark);
  }

  RECT hookedClient{};
};

TEST(PaintBkgndTest, FillsTheClientWithTheColourThenLetsTheDialogDecorate) {
  constexpr COLORREF kColor = RGB(240, 255, 255);
  PaintedHost<false, kColor> host;
  ASSERT_TRUE(host.Open(60, 40));
  PixelCanvas canvas(60, 40);
  EXPECT_EQ(::SendMessageW(host.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0),
            1);
  EXPECT_EQ(canvas.At(0, 0), Rgb(kColor));
  EXPECT_EQ(canvas.At(59, 39), Rgb(kColor));
  EXPECT_EQ(canvas.At(3, 3), Rgb(PaintedHost<false, kColor>::kMark))
      << "the hook draws over the fill, and its drawing reaches the window";
  EXPECT_EQ(host.hookedClient.right, 60);
  EXPECT_EQ(host.hookedClient.bottom, 40);
}

TEST(PaintBkgndTest, TilesTheBitmapFromTheTopLeftCorner) {
  PaintedHost<true, IDB_BOX_BACKGROUND> host;
  ASSERT_TRUE(host.Open(12, 300));
  PixelCanvas canvas(12, 300);
  ::SendMessageW(host.hwnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);

  // The strip is 5 x 250: compare with the picture itself.
  ScopedBitmap strip(::LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_BOX_BACKGROUND)));
  ASSERT_TRUE(strip);
  ScopedMemoryDC stripDc(nullptr);
  ScopedSelect select(stripDc.get(), strip.get());
  ASSERT_NE(::GetPixel(stripDc.get(), 0, 0), ::GetPixel(stripDc.get(), 0, 249))
      << "the strip should be a gradient, or this test shows nothing";
  for (const POINT at : {POINT{0, 0}, POINT{6, 10}, POINT{11, 120}, POINT{2, 260}, POINT{9, 299}}) {
    EXPECT_EQ(canvas.At(at.x, at.y), Rgb(::GetPixel(stripDc.get(), at.x % 5, at.y % 250)))
        << "at " << at.x << "," << at.y;
  }
}

}  // namespace
}  // namespace nightlatch
