// The custom-drawn list: its answers to each drawing stage, and the cells it
// paints on screen (row colours, separators, the owner's content).
#include <vector>

#include <gtest/gtest.h>

#include "controls/list_view_ctrl_bt_win.h"
#include "support/control_host_win.h"
#include "support/pixels_win.h"

namespace nightlatch {
namespace {

using testing::ControlHost;
using testing::PixelCanvas;
using testing::Rgb;

constexpr int kListId = 1038;
constexpr int kRows = 4;
constexpr int kSelectedRow = 1;
constexpr int kFirstColumnWidth = 100;
constexpr COLORREF kMark = RGB(200, 0, 200);

class ListViewCtrlBTTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host_.Open(320, 240));
    list_ = host_.Add(WC_LISTVIEWW, L"",
                      LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER,
                      {0, 0, 300, 200}, kListId);
    ASSERT_TRUE(control_.Attach(list_));
    LVCOLUMNW column{LVCF_WIDTH};
    column.cx = kFirstColumnWidth;
    ListView_InsertColumn(list_, 0, &column);
    column.cx = 120;
    ListView_InsertColumn(list_, 1, &column);
    for (int row = 0; row < kRows; ++row) {
      LVITEMW item{LVIF_TEXT};
      item.iItem = row;
      item.pszText = const_cast<wchar_t*>(L"任务");
      ListView_InsertItem(list_, &item);
    }
    ListView_SetItemState(list_, kSelectedRow, LVIS_SELECTED, LVIS_SELECTED);
    control_.SetCellPainter([this](HDC dc, const CListViewCtrlBT::Cell& cell) {
      cells_.push_back(cell);
      // A mark in cell coordinates, so a misplaced canvas shows.
      ::SetPixelV(dc, cell.area.left + 5, cell.area.top + 5, kMark);
    });
  }

  LRESULT SendStage(DWORD stage, HDC dc = nullptr, int row = 0, int column = 0) {
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdr = {list_, kListId, static_cast<UINT>(NM_CUSTOMDRAW)};
    draw.nmcd.dwDrawStage = stage;
    draw.nmcd.hdc = dc;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.iSubItem = column;
    return ::SendMessageW(host_.hwnd(), WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&draw));
  }

  RECT RowBounds(int row) const {
    RECT area{};
    ListView_GetItemRect(list_, row, &area, LVIR_BOUNDS);
    return area;
  }

  ControlHost host_;
  HWND list_ = nullptr;
  CListViewCtrlBT control_;
  std::vector<CListViewCtrlBT::Cell> cells_;
};

TEST_F(ListViewCtrlBTTest, AnswersEachDrawingStage) {
  struct Case {
    const char* name;
    DWORD stage;
    LRESULT answer;
  };
  const Case cases[] = {
      {"prepaint", CDDS_PREPAINT, CDRF_NOTIFYITEMDRAW},
      {"item prepaint", CDDS_ITEMPREPAINT, CDRF_NOTIFYSUBITEMDRAW},
      {"item pre-erase", CDDS_ITEMPREERASE, 0},
      {"postpaint", CDDS_POSTPAINT, 0},
      {"pre-erase", CDDS_PREERASE, 0},
      {"post-erase", CDDS_POSTERASE, 0},
      {"item postpaint", CDDS_ITEMPOSTPAINT, 0},
      {"item post-erase", CDDS_ITEMPOSTERASE, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SendStage(c.stage), c.answer) << c.name;
  EXPECT_TRUE(cells_.empty()) << "only the sub-item stage draws";
}

TEST_F(ListViewCtrlBTTest, SubItemStageDrawsTheWholeCellAtItsPlace) {
  const RECT row = RowBounds(2);
  PixelCanvas canvas(320, 240);
  EXPECT_EQ(SendStage(CDDS_SUBITEM | CDDS_ITEMPREPAINT, canvas.dc(), 2, 1), CDRF_SKIPDEFAULT);
  ASSERT_EQ(cells_.size(), 1u);
  const CListViewCtrlBT::Cell& cell = cells_[0];
  EXPECT_EQ(cell.row, 2);
  EXPECT_EQ(cell.column, 1);
  EXPECT_FALSE(cell.selected);
  EXPECT_EQ(cell.area.left, row.left + kFirstColumnWidth);
  EXPECT_EQ(cell.area.top, row.top);
  EXPECT_EQ(canvas.At(cell.area.left + 5, cell.area.top + 5), Rgb(kMark));
  EXPECT_EQ(canvas.At(cell.area.left + 20, cell.area.top + 1), Rgb(CListViewCtrlBT::kEvenRow));
  EXPECT_EQ(canvas.At(cell.area.left - 1, cell.area.top + 1), Rgb(RGB(1, 2, 3)))
      << "nothing outside the cell";
}

TEST_F(ListViewCtrlBTTest, PaintsRowsSeparatorsAndContentOnScreen) {
  ::RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_EQ(cells_.size(), static_cast<size_t>(kRows * 2)) << "one call per cell";
  for (const CListViewCtrlBT::Cell& cell : cells_) {
    EXPECT_EQ(cell.selected, cell.row == kSelectedRow) << "row " << cell.row;
    const int width = cell.area.right - cell.area.left;
    EXPECT_EQ(width, cell.column == 0 ? kFirstColumnWidth : 120) << "column " << cell.column;
  }

  ScopedWindowDC dc(list_);
  const COLORREF expected[kRows] = {CListViewCtrlBT::kEvenRow, CListViewCtrlBT::kSelectedRow,
                                    CListViewCtrlBT::kEvenRow, CListViewCtrlBT::kOddRow};
  for (int row = 0; row < kRows; ++row) {
    const RECT bounds = RowBounds(row);
    for (const int x : {30, 150}) {
      EXPECT_EQ(Rgb(::GetPixel(dc.get(), x, bounds.top + 1)), Rgb(expected[row]))
          << "row " << row << " at x " << x;
      EXPECT_EQ(Rgb(::GetPixel(dc.get(), x, bounds.bottom - 2)), Rgb(CListViewCtrlBT::kSeparator))
          << "separator of row " << row;
      EXPECT_EQ(Rgb(::GetPixel(dc.get(), x, bounds.bottom - 1)), Rgb(RGB(255, 255, 255)))
          << "white line under row " << row;
    }
    EXPECT_EQ(Rgb(::GetPixel(dc.get(), bounds.left + 5, bounds.top + 5)), Rgb(kMark));
    EXPECT_EQ(Rgb(::GetPixel(dc.get(), bounds.left + kFirstColumnWidth + 5, bounds.top + 5)),
              Rgb(kMark));
  }
}

}  // namespace
}  // namespace nightlatch
