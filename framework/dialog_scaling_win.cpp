#include "framework/dialog_scaling_win.h"

#include <utility>
#include <vector>

#include "platform/dpi_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {
namespace {

// The dialog manager's base units of a font: the mean width of the Latin
// letters and the character height.
SIZE BaseUnits(HFONT font) {
  ScopedWindowDC screen(nullptr);
  ScopedSelect select(screen.get(), font);
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(screen.get(), &metrics);
  static constexpr wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE extent{};
  ::GetTextExtentPoint32W(screen.get(), kLetters, 52, &extent);
  return SIZE{(extent.cx / 26 + 1) / 2, metrics.tmHeight};
}

// A template length that the dialog manager made pixels with one base unit,
// made pixels with the 96-DPI unit and scaled: the dialog units come back
// exactly while a base unit spans at least as many pixels as dialog units.
struct Rescale {
  int units;  // dialog units per base unit: 4 across, 8 down
  int from;
  int to;
  int dpi;
  int operator()(int pixels) const {
    return ScaleToDpi(::MulDiv(::MulDiv(pixels, units, from), to, units), dpi);
  }
};

bool IsComboBox(HWND control) {
  wchar_t className[16] = {};
  ::GetClassNameW(control, className, 16);
  return ::lstrcmpiW(className, L"ComboBox") == 0;
}

// A closed combo box is as high as its font makes it, which does not grow
// in step with the DPI either: it is given the height a combo box of the
// same kind has with the 96-DPI font, scaled.
void ScaleClosedHeight(HWND dialog, HWND combo, HFONT baseFont, int dpi) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(combo, GWL_STYLE));
  HWND model = ::CreateWindowExW(0, L"ComboBox", L"", (style & ~WS_VISIBLE) | WS_CHILD, 0, 0, 100,
                                 100, dialog, nullptr, nullptr, nullptr);
  if (!model)
    return;
  ::SendMessageW(model, WM_SETFONT, reinterpret_cast<WPARAM>(baseFont), FALSE);
  RECT closed{};
  ::GetWindowRect(model, &closed);
  ::DestroyWindow(model);
  SetClosedComboHeight(combo, ScaleToDpi(closed.bottom - closed.top, dpi));
}

void ScaleControl(HWND dialog, HWND control, const Rescale& x, const Rescale& y, HFONT baseFont) {
  RECT area{};
  ::GetWindowRect(control, &area);
  // A combo box's template height is its dropped-down height.
  const bool combo = IsComboBox(control);
  if (combo) {
    RECT dropped{};
    if (::SendMessageW(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
      area.bottom = area.top + (dropped.bottom - dropped.top);
  }
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
  ::SetWindowPos(control, nullptr, x(area.left), y(area.top), x(area.right - area.left),
                 y(area.bottom - area.top), SWP_NOZORDER | SWP_NOACTIVATE);
  // An owner-drawn one answers for its own height.
  if (combo &&
      !(::GetWindowLongPtrW(control, GWL_STYLE) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)))
    ScaleClosedHeight(dialog, control, baseFont, y.dpi);
}

}  // namespace

void RescaleControls(HWND dialog, int from, int to) {
  if (from == to || from <= 0)
    return;
  const auto rescale = [from, to](LONG pixels) {
    return ScaleToDpi(::MulDiv(static_cast<int>(pixels), kBaseDpi, from), to);
  };
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT area{};
    ::GetWindowRect(child, &area);
    if (IsComboBox(child)) {
      RECT dropped{};
      if (::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
        area.bottom = area.top + (dropped.bottom - dropped.top);
    }
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    ::SetWindowPos(child, nullptr, rescale(area.left), rescale(area.top),
                   rescale(area.right - area.left), rescale(area.bottom - area.top),
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

std::vector<std::pair<HWND, int>> RescaledComboHeights(HWND dialog, int from, int to) {
  std::vector<std::pair<HWND, int>> heights;
  if (from <= 0)
    return heights;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT closed{};
    if (IsComboBox(child) && ::GetWindowRect(child, &closed)) {
      const int base = ::MulDiv(closed.bottom - closed.top, kBaseDpi, from);
      heights.emplace_back(child, ScaleToDpi(base, to));
    }
  }
  return heights;
}

void TakeOverDpiChanges(HWND dialog) {
  using Function = BOOL WINAPI(HWND, int, int);
  static Function* const setBehavior = [] {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(
                        ::GetProcAddress(user32, "SetDialogDpiChangeBehavior")))
                  : nullptr;
  }();
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (setBehavior)
    setBehavior(dialog, kDisableAll, kDisableAll);
}

// The field's height as set and as read back need not agree (under Wine the
// read one is 2 pixels more), so each try corrects the height last set by
// what the box came out as.
void SetClosedComboHeight(HWND combo, int height) {
  LRESULT field = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (field == CB_ERR)
    return;
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT closed{};
    ::GetWindowRect(combo, &closed);
    const int now = closed.bottom - closed.top;
    if (now == height)
      return;
    field += height - now;
    ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
  }
}

void ScaleTemplateLayout(HWND dialog) {
  const int dpi = WindowDpi(dialog);
  if (dpi == kBaseDpi)
    return;
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
  LOGFONTW logFont{};
  if (!font || !::GetObjectW(font, sizeof logFont, &logFont) || logFont.lfHeight >= 0)
    return;
  // The template's point size, as the dialog manager made it pixels.
  const int points = ::MulDiv(-logFont.lfHeight, 72, dpi);
  logFont.lfHeight = -::MulDiv(points, kBaseDpi, 72);
  ScopedFont baseFont(::CreateFontIndirectW(&logFont));
  if (!baseFont)
    return;
  const SIZE base = BaseUnits(baseFont.get());
  RECT units{0, 0, 4, 8};
  if (!::MapDialogRect(dialog, &units) || units.right < 4 || units.bottom < 8 || base.cx <= 0 ||
      base.cy <= 0)
    return;
  const Rescale x{4, static_cast<int>(units.right), static_cast<int>(base.cx), dpi};
  const Rescale y{8, static_cast<int>(units.bottom), static_cast<int>(base.cy), dpi};

  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    ScaleControl(dialog, child, x, y, baseFont.get());

  // The client area, with the frame around it as it is.
  RECT client{};
  ::GetClientRect(dialog, &client);
  RECT frame{};
  ::GetWindowRect(dialog, &frame);
  const int extraWidth = (frame.right - frame.left) - client.right;
  const int extraHeight = (frame.bottom - frame.top) - client.bottom;
  ::SetWindowPos(dialog, nullptr, 0, 0, x(client.right) + extraWidth,
                 y(client.bottom) + extraHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace nightlatch
