// The desktop clock's sub-page: on or off, its colours, picture, size and
// opacity. Nothing is written until 保存时钟; the clock then reads it all
// back from config.ini.
#pragma once

#include <string>

#include <windows.h>

#include <commdlg.h>

#include "controls/button_bt_win.h"
#include "resources/nightlatch_ids.h"
#include "settings/sub_page_win.h"

namespace nightlatch {

class Program;

inline constexpr std::u16string_view kClockSavedStatus = u"桌面时钟设置,保存成功！";
inline constexpr std::u16string_view kClockRestoredStatus = u"恢复桌面时钟设置成功！";

// What the clock page reaches outside the program through; null: the
// system's colour dialog. Tests put a stand-in in.
struct ClockPageSeams {
  BOOL (*chooseColor)(CHOOSECOLORW* request) = nullptr;
};

class CPageClockDlg : public CSubPageDlg<CPageClockDlg, IDD_PAGE_CLOCK, IDC_PAGE_CLOCK_HEADER, 3> {
 public:
  using Seams = ClockPageSeams;
  static constexpr COLORREF kSwatchBorder = RGB(180, 180, 180);
  static constexpr COLORREF kTextSwatchCaption = RGB(60, 60, 60);

  explicit CPageClockDlg(Program& program, Seams seams = {});

  // The trackbars paint their ground with what this gives: white, as the
  // page; other controls as every sub-page.
  HBRUSH OnStaticColor(HDC dc, HWND control);

  COLORREF background() const { return background_; }
  COLORREF textColor() const { return textColor_; }
  const CButtonBT& backgroundSwatch() const { return backgroundSwatch_; }
  const CButtonBT& textSwatch() const { return textSwatch_; }

 private:
  bool OnInitDialog() override;
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Fill(int32_t enabled, int32_t topmost, int32_t pictureIndex, int32_t opacity, int32_t zoom);
  void EnableDependents(bool enabled);
  void ShowPercent(int trackbar);
  void ChooseColor(int swatch);
  void PaintSwatches(COLORREF textCaption);
  void Save();
  void RestoreDefaults();
  void TellMainDialog(int32_t enabled);

  Program& program_;
  Seams seams_;
  COLORREF background_ = 0;
  COLORREF textColor_ = 0;
  CButtonBT backgroundSwatch_;
  CButtonBT textSwatch_;
  CButtonBT save_;
  CButtonBT restore_;
};

}  // namespace nightlatch
