// The custom-drawn report list of the task page. Every cell is drawn whole,
// off-screen: the shared background and separators here, the content by
// the owner's painter.
#pragma once

#include <functional>

#include <windows.h>

#include <commctrl.h>

#include "framework/subclassed_window_win.h"

namespace nightlatch {

class CListViewCtrlBT : public SubclassedWindow {
 public:
  struct Cell {
    int row;
    int column;
    bool selected;
    RECT area;  // in the list's client coordinates, as the painter draws
  };
  // Draws one cell's content over its background; the device context has the
  // list's font selected.
  using CellPainter = std::function<void(HDC dc, const Cell& cell)>;

  static constexpr COLORREF kSelectedRow = RGB(255, 255, 175);
  static constexpr COLORREF kOddRow = RGB(255, 255, 255);
  static constexpr COLORREF kEvenRow = RGB(242, 248, 251);
  static constexpr COLORREF kSeparator = RGB(218, 218, 218);

  bool Attach(HWND listView) { return Subclass(listView); }
  void SetCellPainter(CellPainter painter) { painter_ = std::move(painter); }

  // The background and the two separator lines at the cell's bottom.
  static void DrawCellBackground(HDC dc, const RECT& cell, int row, bool selected);

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;

 private:
  bool OnCustomDraw(NMLVCUSTOMDRAW& draw, LRESULT& result);
  void DrawCell(const NMLVCUSTOMDRAW& draw);

  CellPainter painter_;
};

}  // namespace nightlatch
