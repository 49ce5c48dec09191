// The image button: which picture each state shows, and the parent's
// background through the picture's transparent parts.
#include <gtest/gtest.h>

#include "controls/bitmap_button_win.h"
#include "resources/nightlatch_ids.h"
#include "support/control_host_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ControlHost;
using testing::PixelCanvas;
using testing::Rgb;

constexpr int kButtonId = 1000;
constexpr int kImageWidth = 20;
constexpr int kImageHeight = 16;
constexpr int kButtonWidth = 30;
constexpr int kButtonHeight = 20;
constexpr COLORREF kMask = RGB(0, 125, 255);
constexpr COLORREF kImageColors[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200),
                                     RGB(90, 90, 90), RGB(200, 200, 0)};

// Solid images, each with a transparent 4 x 4 corner.
ScopedImageList MakeImages() {
  ScopedImageList images(
      ::ImageList_Create(kImageWidth, kImageHeight, ILC_COLOR24 | ILC_MASK, 5, 0));
  for (const COLORREF color : kImageColors) {
    PixelCanvas canvas(kImageWidth, kImageHeight);
    canvas.Fill(color);
    FillSolid(canvas.dc(), RECT{0, 0, 4, 4}, kMask);
    ScopedBitmap copy(::CreateCompatibleBitmap(canvas.dc(), kImageWidth, kImageHeight));
    {
      ScopedMemoryDC dc(canvas.dc());
      ScopedSelect select(dc.get(), copy.get());
      ::BitBlt(dc.get(), 0, 0, kImageWidth, kImageHeight, canvas.dc(), 0, 0, SRCCOPY);
    }
    ::ImageList_AddMasked(images.get(), copy.get(), kMask);
  }
  return images;
}

class BitmapButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open());
    button_ = host_.Add(L"Button", L"简单任务", BS_PUSHBUTTON,
                        {40, 30, 40 + kButtonWidth, 30 + kButtonHeight}, kButtonId);
    images_ = MakeImages();
    ASSERT_EQ(::ImageList_GetImageCount(images_.get()), 5);
    // Slots out of order, so a swapped slot shows.
    ASSERT_TRUE(control_.Attach(button_, images_.get(), {4, 1, 2, 3}));
  }

  void Draw(PixelCanvas& canvas, UINT state) {
    DRAWITEMSTRUCT item{ODT_BUTTON, kButtonId, 0,           ODA_DRAWENTIRE,
                        state,      button_,   canvas.dc(), {0, 0, kButtonWidth, kButtonHeight},
                        0};
    ::SendMessageW(host_.hwnd(), WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
  }

  ControlHost host_;
  HWND button_ = nullptr;
  ScopedImageList images_;
  CBitmapButton control_;
};

TEST_F(BitmapButtonTest, EachStateShowsItsPictureOverTheParentsBackground) {
  struct Case {
    const char* name;
    bool hot;
    UINT state;
    int image;
  };
  const Case cases[] = {
      {"normal", false, 0, 4},
      {"pushed", false, ODS_SELECTED, 1},
      {"pushed while hot", true, ODS_SELECTED, 1},
      {"hot", true, 0, 2},
      {"focused", false, ODS_FOCUS, 2},
      {"disabled", false, ODS_DISABLED, 3},
      {"disabled while hot", true, ODS_DISABLED, 3},
  };
  // The picture is centred: 5 pixels in, 2 down.
  constexpr int kLeft = (kButtonWidth - kImageWidth) / 2;
  constexpr int kTop = (kButtonHeight - kImageHeight) / 2;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.hot)
      ::SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(control_.hot(), c.hot);
    PixelCanvas canvas(kButtonWidth, kButtonHeight);
    Draw(canvas, c.state);
    EXPECT_EQ(canvas.At(kLeft + 10, kTop + 8), Rgb(kImageColors[c.image])) << "the picture";
    EXPECT_EQ(canvas.At(kLeft + 1, kTop + 1), Rgb(ControlHost::kBackground))
        << "the transparent corner shows the parent";
    EXPECT_EQ(canvas.At(0, 0), Rgb(ControlHost::kBackground)) << "around the picture";
    if (c.hot)
      ::SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
  }
}

TEST(PageButtonImagesTest, LoadsSixPicturesEightyPixelsWide) {
  const ScopedImageList images = LoadImageList(IDB_PAGE_BUTTONS, 80, RGB(0, 125, 255));
  ASSERT_TRUE(images);
  EXPECT_EQ(::ImageList_GetImageCount(images.get()), 6);
  int width = 0;
  int height = 0;
  ASSERT_TRUE(::ImageList_GetIconSize(images.get(), &width, &height));
  EXPECT_EQ(width, 80);
  EXPECT_EQ(height, 64);
}

}  // namespace
}  // namespace nightlatch
