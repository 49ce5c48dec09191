// The desktop clock: a borderless, layered window shaped into a band and two
// squares, repainted on each wall-clock second, with its own context menu.
// The main dialog owns it; everything it shows comes from config.ini.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

#include "clock/clock_rules.h"
#include "framework/window_win.h"
#include "platform/gdi_win.h"
#include "platform/popup_menu_win.h"

namespace nightlatch {

class Program;
class SystemClock;

// What the clock reaches the system through for its repaint timer and its
// texts; tests put recorders in.
struct ClockWindowSeams {
  UINT_PTR(WINAPI* setTimer)(HWND, UINT_PTR, UINT, TIMERPROC) = ::SetTimer;
  int(WINAPI* drawText)(HDC, LPCWSTR, int, LPRECT, UINT) = ::DrawTextW;
};

class CClockWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"ORV_Clock_Window";
  static constexpr UINT_PTR kRepaintTimer = 1;
  // "ClockMenu" in the tray menu's resource.
  static constexpr int kClockMenuPosition = 1;

  using Seams = ClockWindowSeams;
  // A period that never fails to arm, when the one to the next second did.
  static constexpr UINT kFallbackRepaintMilliseconds = 1000;

  // `owner` (the main dialog) carries out the forwarded power commands;
  // picture paths are taken against `programFolder` (with its last
  // backslash). `program` and `clock` outlive the window.
  CClockWindow(Program& program,
               SystemClock& clock,
               HWND owner,
               std::u16string programFolder,
               Seams seams = {});
  ~CClockWindow() override;

  // Creates the window, shown, as a child of `parent` (the desktop).
  HWND Create(HWND parent);

  // What the window shows, as tests and the owner read it.
  const ClockGeometry& geometry() const { return geometry_; }
  int32_t opacityLevel() const { return opacityLevel_; }
  bool fixed() const { return fixed_; }
  COLORREF background() const { return background_; }
  COLORREF textColor() const { return textColor_; }
  HBITMAP picture() const { return picture_.get(); }
  // The texts the last paint drew.
  const ClockFaceTexts& faceTexts() const { return faceTexts_; }
  HMENU menu() const { return menu_.get(); }
  // The menu's pop-up, "ClockMenu".
  HMENU clockMenu() const;

 private:
  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;
  void OnCreate();
  // The whole face into `target` through an off-screen bitmap; nothing
  // without a picture or in another clock mode.
  void PaintFace(HDC target);
  void OnCommand(int id);
  void OnDestroy();
  void Reload();

  void ArmRepaintTimer();
  void ApplyOpacity(int32_t level, bool write);
  void ApplyTopmost(bool on, bool write);
  void Size(int left, int top);
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The file of the picture `nCurrent` names; none: keep the picture there
  // is.
  std::optional<std::u16string> ChosenPicture(PictureOccasion occasion) const;
  void LoadPicture(const std::u16string& path);
  // The menu's marks from the state the window has.
  void CheckMenuItems();
  void CheckOpacityItem(std::optional<int> checkedId);
  void DrawFaceText(HDC dc, HFONT font, std::u16string_view text, const ClockBox& box, UINT format);

  Program& program_;
  SystemClock& clock_;
  HWND owner_;
  std::u16string programFolder_;
  Seams seams_;
  ScopedMenu menu_;
  ScopedFont timeFont_;
  ScopedFont weekdayFont_;
  ScopedFont smallFont_;
  ScopedBitmap picture_;
  ClockFaceTexts faceTexts_;
  SIZE pictureSize_{};
  ClockGeometry geometry_;
  int32_t opacityLevel_ = kDefaultOpacityLevel;
  bool topmost_ = true;
  bool fixed_ = false;
  COLORREF background_ = RGB(15, 146, 214);
  COLORREF textColor_ = RGB(255, 255, 255);
  uint8_t mode_ = 0;
  bool timerStarted_ = false;
};

}  // namespace nightlatch
