#include "settings/page_clock_dlg_win.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "controls/window_text_win.h"
#include "engine/text_format.h"
#include "resources/nightlatch_messages.h"
#include "settings/clock_values.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

// Enabled only while 启用时钟 is ticked.
constexpr int kDependents[] = {IDC_PAGE_CLOCK_PICTURE, IDC_PAGE_CLOCK_BACKGROUND,
                               IDC_PAGE_CLOCK_TEXT,    IDC_PAGE_CLOCK_TOPMOST,
                               IDC_PAGE_CLOCK_ZOOM,    IDC_PAGE_CLOCK_OPACITY};

constexpr int32_t kMaxPictures = 99;
constexpr int32_t kDefaultOpacity = setting::kClockOpacity.defaultValue;
constexpr int32_t kDefaultZoom = setting::kClockZoom.defaultValue;

// The colour dialog's custom colours, kept for the program's run.
COLORREF* CustomColors() {
  static COLORREF colors[16] = {};
  return colors;
}

// A swatch: the colour on every face, a grey border.
ButtonColors SwatchColors(COLORREF face, COLORREF caption) {
  return ButtonColors{face, face, face, CPageClockDlg::kSwatchBorder, caption};
}

int TrackbarPosition(HWND trackbar) {
  return static_cast<int>(::SendMessageW(trackbar, TBM_GETPOS, 0, 0));
}

void SetUpTrackbar(HWND trackbar, int low, int high, int step, int position) {
  ::SendMessageW(trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
  ::SendMessageW(trackbar, TBM_SETLINESIZE, 0, step);
  ::SendMessageW(trackbar, TBM_SETPAGESIZE, 0, step);
  ::SendMessageW(trackbar, TBM_SETPOS, TRUE, position);
}

}  // namespace

CPageClockDlg::CPageClockDlg(Program& program, Seams seams) : program_(program), seams_(seams) {
  if (!seams_.chooseColor)
    seams_.chooseColor = ::ChooseColorW;
}

bool CPageClockDlg::OnInitDialog() {
  const SettingsFile& config = program_.config();
  const int32_t enabled = config.Read(setting::kClockShown);
  const int32_t topmost = config.Read(setting::kClockTopMost);
  const int32_t opacity = config.Read(setting::kClockOpacity);
  background_ = static_cast<COLORREF>(config.Read(setting::kClockBackground));
  textColor_ = static_cast<COLORREF>(config.Read(setting::kClockTextColor));
  const int32_t zoom = config.Read(setting::kClockZoom);
  const int32_t picture = config.Read(setting::kClockPagePicture) - 1;

  backgroundSwatch_.Attach(Item(IDC_PAGE_CLOCK_BACKGROUND));
  textSwatch_.Attach(Item(IDC_PAGE_CLOCK_TEXT));
  PaintSwatches(kTextSwatchCaption);
  save_.Attach(Item(IDC_PAGE_CLOCK_SAVE));
  restore_.Attach(Item(IDC_PAGE_CLOCK_RESTORE));

  HWND list = Item(IDC_PAGE_CLOCK_PICTURE);
  // "sFile%02d" names at most 99; a hand-edited count beyond would hang
  // the page filling the list.
  const int32_t count = std::min(config.Read(setting::kClockPictureCount), kMaxPictures);
  for (int32_t number = 1; number <= count; ++number) {
    const std::wstring item = ToWide(FormatText(u"图片%d", {number}));
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  // As the clock takes them: a hand-edited value shows as what is drawn.
  Fill(enabled, topmost, picture < 0 ? 0 : picture, AppliedOpacityLevel(opacity),
       AppliedClockZoom(zoom));
  return true;
}

// The controls from the values; the colours are painted apart.
void CPageClockDlg::Fill(int32_t enabled,
                         int32_t topmost,
                         int32_t pictureIndex,
                         int32_t opacity,
                         int32_t zoom) {
  ::CheckDlgButton(hwnd(), IDC_PAGE_CLOCK_ENABLED, BoxState(enabled));
  ::CheckDlgButton(hwnd(), IDC_PAGE_CLOCK_TOPMOST, BoxState(topmost));
  // An index beyond the list selects nothing.
  ::SendMessageW(Item(IDC_PAGE_CLOCK_PICTURE), CB_SETCURSEL, static_cast<WPARAM>(pictureIndex), 0);
  SetUpTrackbar(Item(IDC_PAGE_CLOCK_OPACITY), 1, 10, 2, opacity);
  SetUpTrackbar(Item(IDC_PAGE_CLOCK_ZOOM), 5, 20, 5, zoom);
  ShowPercent(IDC_PAGE_CLOCK_OPACITY);
  ShowPercent(IDC_PAGE_CLOCK_ZOOM);
  EnableDependents(enabled != 0);
}

bool CPageClockDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_HSCROLL: {
      const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (id != IDC_PAGE_CLOCK_ZOOM && id != IDC_PAGE_CLOCK_OPACITY)
        return false;
      ShowPercent(id);
      return true;
    }
    case WM_LBUTTONDOWN:
      // The page is no drag handle of the main window.
      result = 0;
      return true;
    case WM_COMMAND:
      break;
    default:
      return false;
  }
  if (HIWORD(wParam) != BN_CLICKED)
    return false;
  switch (LOWORD(wParam)) {
    case IDC_PAGE_CLOCK_ENABLED:
      EnableDependents(::IsDlgButtonChecked(hwnd(), IDC_PAGE_CLOCK_ENABLED) == BST_CHECKED);
      return true;
    case IDC_PAGE_CLOCK_BACKGROUND:
    case IDC_PAGE_CLOCK_TEXT:
      ChooseColor(LOWORD(wParam));
      return true;
    case IDC_PAGE_CLOCK_SAVE:
      Save();
      return true;
    case IDC_PAGE_CLOCK_RESTORE:
      RestoreDefaults();
      return true;
    default:
      return false;
  }
}

HBRUSH CPageClockDlg::OnStaticColor(HDC dc, HWND control) {
  if (control != Item(IDC_PAGE_CLOCK_ZOOM) && control != Item(IDC_PAGE_CLOCK_OPACITY))
    return CSubPageDlg::OnStaticColor(dc, control);
  ::SetBkColor(dc, RGB(255, 255, 255));
  return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
}

void CPageClockDlg::EnableDependents(bool enabled) {
  for (int id : kDependents)
    ::EnableWindow(Item(id), enabled);
}

// The label shows what the trackbar holds.
void CPageClockDlg::ShowPercent(int trackbar) {
  const int label = trackbar == IDC_PAGE_CLOCK_ZOOM ? IDC_PAGE_CLOCK_ZOOM_PERCENT
                                                    : IDC_PAGE_CLOCK_OPACITY_PERCENT;
  SetItemText(hwnd(), label, FormatText(u"%d%s", {TrackbarPosition(Item(trackbar)) * 10, u"%"}));
}

void CPageClockDlg::PaintSwatches(COLORREF textCaption) {
  backgroundSwatch_.SetColors(SwatchColors(background_, RGB(255, 255, 255)));
  textSwatch_.SetColors(SwatchColors(textColor_, textCaption));
}

void CPageClockDlg::ChooseColor(int swatch) {
  COLORREF& color = swatch == IDC_PAGE_CLOCK_BACKGROUND ? background_ : textColor_;
  CHOOSECOLORW request{sizeof request};
  request.hwndOwner = ::GetActiveWindow();
  request.lpCustColors = CustomColors();
  request.Flags = CC_FULLOPEN;
  // Black is no preselection.
  if (color != 0) {
    request.rgbResult = color;
    request.Flags |= CC_RGBINIT;
  }
  if (!seams_.chooseColor(&request))
    return;
  color = request.rgbResult;
  if (swatch == IDC_PAGE_CLOCK_BACKGROUND)
    backgroundSwatch_.SetColors(SwatchColors(background_, RGB(255, 255, 255)));
  else
    textSwatch_.SetColors(SwatchColors(textColor_, RGB(0, 0, 0)));
}

void CPageClockDlg::Save() {
  const int32_t enabled =
      static_cast<int32_t>(::IsDlgButtonChecked(hwnd(), IDC_PAGE_CLOCK_ENABLED));
  const int32_t topmost =
      static_cast<int32_t>(::IsDlgButtonChecked(hwnd(), IDC_PAGE_CLOCK_TOPMOST));
  const auto selection =
      static_cast<int32_t>(::SendMessageW(Item(IDC_PAGE_CLOCK_PICTURE), CB_GETCURSEL, 0, 0));
  const int32_t zoom = TrackbarPosition(Item(IDC_PAGE_CLOCK_ZOOM));
  const int32_t opacity = TrackbarPosition(Item(IDC_PAGE_CLOCK_OPACITY));

  const SettingsFile& config = program_.config();
  config.Write(setting::kClockShown, enabled);
  config.Write(setting::kClockTopMost, topmost);
  config.Write(setting::kClockOpacity, opacity);
  config.Write(setting::kClockBackground, static_cast<int32_t>(background_));
  config.Write(setting::kClockTextColor, static_cast<int32_t>(textColor_));
  config.Write(setting::kClockZoom, zoom);
  // No selection (CB_ERR) writes 0.
  config.Write(setting::kClockPicture, selection + 1);
  TellMainDialog(enabled);
  Report(kClockSavedStatus);
}

void CPageClockDlg::RestoreDefaults() {
  background_ = static_cast<COLORREF>(setting::kClockBackground.defaultValue);
  textColor_ = static_cast<COLORREF>(setting::kClockTextColor.defaultValue);
  PaintSwatches(kTextSwatchCaption);

  const SettingsFile& config = program_.config();
  config.Write(setting::kClockShown, 1);
  config.Write(setting::kClockTopMost, 1);
  config.Write(setting::kClockOpacity, kDefaultOpacity);
  config.Write(setting::kClockBackground, static_cast<int32_t>(background_));
  config.Write(setting::kClockTextColor, static_cast<int32_t>(textColor_));
  config.Write(setting::kClockPicture, 1);
  config.Write(setting::kClockZoom, kDefaultZoom);

  Fill(1, 1, 0, kDefaultOpacity, kDefaultZoom);
  TellMainDialog(1);
  Report(kClockRestoredStatus);
}

// Synchronous: the clock has followed when the status shows.
void CPageClockDlg::TellMainDialog(int32_t enabled) {
  HWND host = ::GetParent(hwnd());
  if (HWND mainDialog = host ? ::GetParent(host) : nullptr)
    ::SendMessageW(mainDialog, WM_CLOCK_SETTINGS, 0, enabled);
}

}  // namespace nightlatch
