#include "platform/dpi_win.h"

#include <gtest/gtest.h>

namespace nightlatch {
namespace {

TEST(DpiWinTest, TheCoreRoundingIsMulDivs) {
  for (const int dpi : {96, 120, 144, 168, 192, 288}) {
    for (int value = -400; value <= 400; ++value)
      ASSERT_EQ(ScaleToDpi(value, dpi), ::MulDiv(value, dpi, 96)) << value << " at " << dpi;
  }
}

// The prefix's DPI is the system's; a window on its only monitor has it.
TEST(DpiWinTest, AWindowHasTheScreensDpi) {
  HWND window = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  ASSERT_TRUE(window);
  const int screen = ::GetDeviceCaps(ScopedWindowDC(nullptr).get(), LOGPIXELSY);
  EXPECT_EQ(WindowDpi(window), screen);
  EXPECT_EQ(ScaleForWindow(window, 100), ::MulDiv(100, screen, 96));
  EXPECT_EQ(WindowDpi(nullptr), screen);
  ::DestroyWindow(window);
}

}  // namespace
}  // namespace nightlatch
