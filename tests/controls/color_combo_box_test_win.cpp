// The owner-drawn combo box: its heights and how an item is painted.
#include <gtest/gtest.h>

#include "controls/color_combo_box_win.h"
#include "support/control_host_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ControlHost;
using testing::PixelCanvas;
using testing::Rgb;

constexpr int kComboId = 1050;
constexpr int kWidth = 120;
constexpr int kHeight = 20;

class ColorComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open());
    combo_ = host_.Add(L"ComboBox", L"",
                       CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                       {10, 10, 10 + kWidth, 200}, kComboId);
    ASSERT_TRUE(control_.Attach(combo_));
    for (const wchar_t* text : {L"关机", L"重启", L"注销"})
      ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }

  void Draw(PixelCanvas& canvas, UINT item, UINT state) {
    DRAWITEMSTRUCT draw{ODT_COMBOBOX,
                        kComboId,
                        item,
                        ODA_DRAWENTIRE,
                        state,
                        combo_,
                        canvas.dc(),
                        {0, 0, kWidth, kHeight},
                        0};
    ::SendMessageW(host_.hwnd(), WM_DRAWITEM, kComboId, reinterpret_cast<LPARAM>(&draw));
  }

  ControlHost host_;
  HWND combo_ = nullptr;
  CColorComboBox control_;
};

TEST_F(ColorComboBoxTest, FieldIsElevenPixelsHighAndItemsTwenty) {
  // How the field's height reads back differs between systems: compare with
  // a plain combo box given 11 directly.
  HWND reference =
      host_.Add(L"ComboBox", L"", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                {150, 10, 150 + kWidth, 200}, kComboId + 1);
  const LRESULT unattached =
      ::SendMessageW(reference, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  ::SendMessageW(reference, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 11);
  const LRESULT eleven = ::SendMessageW(reference, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  ASSERT_NE(unattached, eleven) << "the reference shows no change";
  EXPECT_EQ(::SendMessageW(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), eleven);
  EXPECT_EQ(::SendMessageW(combo_, CB_GETITEMHEIGHT, 0, 0), 20);

  for (const UINT item : {static_cast<UINT>(-1), 0u, 2u}) {
    MEASUREITEMSTRUCT measure{ODT_COMBOBOX, kComboId, item, 0, 0, 0};
    ::SendMessageW(host_.hwnd(), WM_MEASUREITEM, kComboId, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemHeight, item == static_cast<UINT>(-1) ? 11u : 20u)
        << "item " << static_cast<int>(item);
  }
}

TEST_F(ColorComboBoxTest, PaintsTheSelectedItemGreenAndOthersWhiteWithBlackText) {
  struct Case {
    const char* name;
    UINT state;
    COLORREF background;
  };
  const Case cases[] = {{"selected", ODS_SELECTED, RGB(222, 250, 178)},
                        {"not selected", 0, RGB(255, 255, 255)},
                        {"selected field", ODS_SELECTED | ODS_COMBOBOXEDIT, RGB(222, 250, 178)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PixelCanvas canvas(kWidth, kHeight);
    Draw(canvas, 1, c.state);
    EXPECT_EQ(canvas.At(0, 0), Rgb(c.background));
    EXPECT_EQ(canvas.At(kWidth - 1, kHeight - 1), Rgb(c.background));
    const RECT indent{0, 0, 3, kHeight};
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0), indent), 0) << "text starts 3 pixels in";
    EXPECT_GT(canvas.Count(RGB(0, 0, 0), canvas.bounds()), 10) << "black text";
  }
}

TEST_F(ColorComboBoxTest, EmptySelectionFieldIsLeftAlone) {
  PixelCanvas canvas(kWidth, kHeight);
  Draw(canvas, static_cast<UINT>(-1), ODS_COMBOBOXEDIT);
  EXPECT_EQ(canvas.Count(RGB(1, 2, 3), canvas.bounds()), kWidth * kHeight);
}

}  // namespace
}  // namespace nightlatch
