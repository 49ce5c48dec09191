#include "clock/clock_window_win.h"

#include <utility>

#include "engine/system_clock.h"
#include "platform/dpi_win.h"
#include "platform/wide_string_win.h"
#include "resources/nightlatch_ids.h"
#include "resources/nightlatch_messages.h"
#include "settings/setting_keys.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

// One cycle for every clock window of the process.
PictureShiftCycle& SharedPictureShift() {
  static PictureShiftCycle cycle;
  return cycle;
}

RECT ToRect(const ClockBox& box) {
  return RECT{box.left, box.top, box.right, box.bottom};
}

HRGN BoxRegion(const ClockBox& box) {
  return ::CreateRectRgn(box.left, box.top, box.right, box.bottom);
}

ClockBox ToBox(const RECT& rect) {
  return ClockBox{rect.left, rect.top, rect.right, rect.bottom};
}

BOOL CALLBACK CollectWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
  MONITORINFO info{sizeof info};
  if (::GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<ClockBox>*>(areas)->push_back(ToBox(info.rcWork));
  return TRUE;
}

std::vector<ClockBox> MonitorWorkAreas() {
  std::vector<ClockBox> areas;
  ::EnumDisplayMonitors(nullptr, nullptr, CollectWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

// The stored left edge; its default depends on the work area.
IntSetting ClockLeftSetting(int defaultLeft) {
  return IntSetting{setting::kClockLeftSection, setting::kClockLeftKey, defaultLeft};
}

bool IsFile(const std::u16string& path) {
  const DWORD attributes = ::GetFileAttributesW(AsWide(path.c_str()));
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HFONT CreateClockFont(int32_t height,
                      int weight,
                      BYTE charset,
                      DWORD outputPrecision,
                      DWORD clipPrecision,
                      const wchar_t* face) {
  return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, outputPrecision,
                       clipPrecision, 0, 0, face);
}

}  // namespace

CClockWindow::CClockWindow(Program& program,
                           SystemClock& clock,
                           HWND owner,
                           std::u16string programFolder,
                           Seams seams)
    : program_(program),
      clock_(clock),
      owner_(owner),
      programFolder_(std::move(programFolder)),
      seams_(seams),
      menu_(::LoadMenuW(ModuleInstance(), MAKEINTRESOURCEW(IDR_TRAY_MENU))) {
  const SettingsFile& config = program_.config();
  topmost_ = config.Read(setting::kClockTopMost) != 0;
  fixed_ = config.Read(setting::kClockFixed) != 0;
  opacityLevel_ = KeptOpacityLevel(config.Read(setting::kClockOpacity));
  CheckMenuItems();
}

CClockWindow::~CClockWindow() = default;

HMENU CClockWindow::clockMenu() const {
  return ::GetSubMenu(menu_.get(), kClockMenuPosition);
}

HWND CClockWindow::Create(HWND parent) {
  const SettingsFile& config = program_.config();
  topmost_ = config.Read(setting::kClockTopMost) != 0;
  mode_ = static_cast<uint8_t>(config.Read(setting::kClockMode));
  if (const std::optional<std::u16string> picture = ChosenPicture(PictureOccasion::kOpening))
    LoadPicture(*picture);
  Window::RegisterClass(kClassName, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                        CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
  const DWORD exStyle = WS_EX_TOOLWINDOW | (topmost_ ? WS_EX_TOPMOST : 0);
  return Window::Create(kClassName, L"", WS_POPUP | WS_SYSMENU, exStyle, RECT{0, 0, 0, 0}, parent);
}

bool CClockWindow::ProcessWindowMessage(HWND hwnd,
                                        UINT message,
                                        WPARAM wParam,
                                        LPARAM lParam,
                                        LRESULT& result) {
  switch (message) {
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      result = 0;
      return true;
    case WM_CREATE:
      OnCreate();
      result = 0;
      return true;
    case WM_PAINT: {
      ScopedPaint paint(hwnd);
      PaintFace(paint.get());
      return true;
    }
    case WM_PRINTCLIENT:
      PaintFace(reinterpret_cast<HDC>(wParam));
      return true;
    case WM_ERASEBKGND:
      // The paint covers the whole face.
      result = 1;
      return true;
    case WM_TIMER:
      if (wParam != kRepaintTimer)
        return true;
      ::InvalidateRect(hwnd, nullptr, FALSE);
      ArmRepaintTimer();
      return true;
    case WM_LBUTTONDOWN:
      if (!fixed_)
        BeginBodyDrag(hwnd);
      return true;
    case WM_RBUTTONDOWN:
      ::SetForegroundWindow(hwnd);
      ShowPopupAtCursor(clockMenu(), hwnd, TPM_RIGHTBUTTON);
      ::PostMessageW(hwnd, WM_NULL, 0, 0);
      return true;
    case WM_CLOCK_SETTINGS:
      Reload();
      return true;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      return false;
  }
}

void CClockWindow::OnCreate() {
  const LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
  ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED | WS_EX_TOOLWINDOW);
  const SettingsFile& config = program_.config();
  ApplyOpacity(config.Read(setting::kClockOpacity), false);
  fixed_ = config.Read(setting::kClockFixed) != 0;
  background_ = static_cast<COLORREF>(config.Read(setting::kClockBackground));
  textColor_ = static_cast<COLORREF>(config.Read(setting::kClockTextColor));
  ::ShowWindow(hwnd(), SW_SHOW);

  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  mode_ = static_cast<uint8_t>(config.Read(setting::kClockMode));
  const ClockBox workArea = ToBox(work);
  const int dpi = WindowDpi(hwnd());
  const int left = config.Read(ClockLeftSetting(DefaultClockLeft(workArea, dpi)));
  const int top = config.Read(setting::kClockTop);
  // Sized first: whether the stored place is reachable depends on the size.
  geometry_ = GeometryForZoom(config.Read(setting::kClockZoom), dpi);
  const ClockOrigin origin = ClockOpeningOrigin(left, top, geometry_, workArea, MonitorWorkAreas());
  Size(origin.left, origin.top);
  ::ShowWindow(hwnd(), SW_SHOW);
  ArmRepaintTimer();
}

// On each wall-clock second, as the main tick: the seconds shown change
// when the second does.
// A re-arm that fails falls back to a plain period, or the clock would stop
// for good.
void CClockWindow::ArmRepaintTimer() {
  timerStarted_ =
      seams_.setTimer(hwnd(), kRepaintTimer, TickDelayMilliseconds(clock_.NowMilliseconds()),
                      nullptr) != 0 ||
      seams_.setTimer(hwnd(), kRepaintTimer, kFallbackRepaintMilliseconds, nullptr) != 0;
}

void CClockWindow::ApplyOpacity(int32_t level, bool write) {
  opacityLevel_ = KeptOpacityLevel(level);
  ::SetLayeredWindowAttributes(hwnd(), 0, OpacityAlpha(opacityLevel_), LWA_ALPHA);
  if (write)
    program_.config().Write(setting::kClockOpacity, opacityLevel_);
}

void CClockWindow::ApplyTopmost(bool on, bool write) {
  topmost_ = on;
  ::SetWindowPos(hwnd(), on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (write)
    program_.config().Write(setting::kClockTopMost, on ? 1 : 0);
}

// On another monitor's scale: the size at the new DPI from the suggested
// corner, fonts and shape made again (Size replaces them).
void CClockWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  SetLaidOutDpi(hwnd(), dpi);
  geometry_ = GeometryForZoom(program_.config().Read(setting::kClockZoom), dpi);
  Size(suggested.left, suggested.top);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

// At the size geometry_ holds, read from Zoom by the caller.
void CClockWindow::Size(int left, int top) {
  // The points at the window's DPI, not the system's.
  const int logPixelsY = geometry_.dpi;
  const int32_t h50 = ClockFontHeight(50, logPixelsY, geometry_.zoom);
  const int32_t h11 = ClockFontHeight(11, logPixelsY, geometry_.zoom);
  timeFont_.Reset();
  weekdayFont_.Reset();
  smallFont_.Reset();
  timeFont_.Reset(CreateClockFont(h50, FW_NORMAL, DEFAULT_CHARSET, OUT_OUTLINE_PRECIS,
                                  CLIP_CHARACTER_PRECIS, L"Verdana"));
  weekdayFont_.Reset(CreateClockFont(h50, FW_BOLD, GB2312_CHARSET, 0, 0, L"宋体"));
  smallFont_.Reset(CreateClockFont(h11, FW_NORMAL, GB2312_CHARSET, 0, 0, L"宋体"));

  const int side = geometry_.side();
  ::MoveWindow(hwnd(), left, top, side, side, FALSE);

  ScopedRegion shape(BoxRegion(geometry_.band()));
  ScopedRegion weekday(BoxRegion(geometry_.weekdaySquare()));
  ScopedRegion picture(BoxRegion(geometry_.pictureSquare()));
  if (shape && weekday && picture &&
      ::CombineRgn(shape.get(), shape.get(), weekday.get(), RGN_OR) != ERROR &&
      ::CombineRgn(shape.get(), shape.get(), picture.get(), RGN_OR) != ERROR) {
    // From here the window owns the region.
    if (::SetWindowRgn(hwnd(), shape.get(), FALSE))
      (void)shape.Release();
  }
}

std::optional<std::u16string> CClockWindow::ChosenPicture(PictureOccasion occasion) const {
  const SettingsFile& config = program_.config();
  const int32_t number = config.Read(setting::kClockPicture);
  const std::u16string key = PictureKey(number);
  // No file name holds "|": it marks the key as missing.
  std::u16string stored = config.Read(TextSetting{setting::kPictureSection, key, u"|"});
  return PictureFile(number, stored == u"|" ? std::nullopt : std::optional(std::move(stored)),
                     programFolder_, IsFile, occasion);
}

// A file that does not load leaves the picture there is.
void CClockWindow::LoadPicture(const std::u16string& path) {
  auto* loaded =
      static_cast<HBITMAP>(::LoadImageW(nullptr, AsWide(path.c_str()), IMAGE_BITMAP, 0, 0,
                                        LR_LOADFROMFILE | LR_DEFAULTSIZE | LR_CREATEDIBSECTION));
  if (!loaded)
    return;
  picture_.Reset(loaded);
  BITMAP info{};
  ::GetObjectW(loaded, sizeof info, &info);
  pictureSize_ = SIZE{info.bmWidth, info.bmHeight};
}

void CClockWindow::DrawFaceText(HDC dc,
                                HFONT font,
                                std::u16string_view text,
                                const ClockBox& box,
                                UINT format) {
  ScopedSelect select(dc, font);
  RECT area = ToRect(box);
  seams_.drawText(dc, AsWide(text.data()), static_cast<int>(text.size()), &area, format);
}

void CClockWindow::PaintFace(HDC target) {
  if (mode_ != 0 || !picture_)
    return;
  const int side = geometry_.side();
  OffscreenCanvas canvas(target, side, side);
  if (!canvas.valid())
    return;
  HDC dc = canvas.dc();
  const RECT whole{0, 0, side, side};
  ::SetBkColor(dc, background_);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &whole, nullptr, 0, nullptr);

  faceTexts_ = FaceTexts(ToLocalFields(clock_.Now(), clock_.Zone()));
  const ClockFaceTexts& texts = faceTexts_;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColor_);
  constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  DrawFaceText(dc, timeFont_.get(), texts.time, geometry_.band(), kCentred);
  DrawFaceText(dc, smallFont_.get(), texts.date, geometry_.dateBox(), kCentred);
  DrawFaceText(dc, smallFont_.get(), texts.seconds, geometry_.secondsBox(),
               DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  DrawFaceText(dc, weekdayFont_.get(), texts.weekday, geometry_.weekdaySquare(), kCentred);
  DrawFaceText(dc, smallFont_.get(), kWeekLabel, geometry_.weekLabelBox(),
               DT_LEFT | DT_VCENTER | DT_SINGLELINE);

  ScopedMemoryDC pictureDc(dc);
  {
    ScopedSelect select(pictureDc.get(), picture_.get());
    const int sourceX = SharedPictureShift().NextSourceX(pictureSize_.cx);
    const ClockBox square = geometry_.pictureSquare();
    ::SetStretchBltMode(dc, COLORONCOLOR);
    // MERGECOPY with the memory context's white brush copies the picture.
    ::StretchBlt(dc, square.left, square.top,
                 PictureDrawWidth(pictureSize_.cx, pictureSize_.cy, geometry_.cell), geometry_.cell,
                 pictureDc.get(), sourceX, 0, pictureSize_.cx, pictureSize_.cy, MERGECOPY);
  }
  canvas.Present();
}

void CClockWindow::OnCommand(int id) {
  if (id >= kFirstOpacityMenuId && id <= kLastOpacityMenuId) {
    const std::optional<int32_t> level = OpacityLevelOfMenuId(id);
    if (!level)
      return;
    ApplyOpacity(*level, true);
    CheckMenuItems();
    return;
  }
  // A toggle goes from the window's state, which a reload may have changed.
  switch (id) {
    case IDM_CLOCK_TOPMOST:
      ApplyTopmost((::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0, true);
      CheckMenuItems();
      return;
    case IDM_CLOCK_FIXED:
      fixed_ = !fixed_;
      program_.config().Write(setting::kClockFixed, fixed_ ? 1 : 0);
      CheckMenuItems();
      return;
    case IDM_CLOCK_CLOSE:
      // Hidden only: ClockFlag stays, so the clock comes back at the next start.
      ::ShowWindow(hwnd(), SW_HIDE);
      return;
    case IDM_CLOCK_SHOW:
      ::ShowWindow(hwnd(), SW_SHOW);
      ::OpenIcon(hwnd());
      return;
    case IDM_TRAY_SHUTDOWN:
    case IDM_TRAY_RESTART:
    case IDM_TRAY_LOCK:
      ::PostMessageW(owner_, WM_COMMAND, static_cast<WPARAM>(id), 0);
      return;
    default:
      return;
  }
}

void CClockWindow::CheckMenuItems() {
  HMENU popup = clockMenu();
  ::CheckMenuItem(popup, IDM_CLOCK_TOPMOST, topmost_ ? MF_CHECKED : MF_UNCHECKED);
  ::CheckMenuItem(popup, IDM_CLOCK_FIXED, fixed_ ? MF_CHECKED : MF_UNCHECKED);
  CheckOpacityItem(OpacityMenuId(AppliedOpacityLevel(opacityLevel_)));
}

void CClockWindow::CheckOpacityItem(std::optional<int> checkedId) {
  HMENU popup = clockMenu();
  for (int id = kFirstOpacityMenuId; id <= kLastOpacityMenuId; ++id)
    ::CheckMenuItem(popup, static_cast<UINT>(id), id == checkedId ? MF_CHECKED : MF_UNCHECKED);
}

void CClockWindow::Reload() {
  const SettingsFile& config = program_.config();
  const bool topmost = config.Read(setting::kClockTopMost) != 0;
  const int32_t level = config.Read(setting::kClockOpacity);
  fixed_ = config.Read(setting::kClockFixed) != 0;
  background_ = static_cast<COLORREF>(config.Read(setting::kClockBackground));
  textColor_ = static_cast<COLORREF>(config.Read(setting::kClockTextColor));
  const auto mode = static_cast<uint8_t>(config.Read(setting::kClockMode));
  const std::optional<std::u16string> picture = ChosenPicture(PictureOccasion::kReload);
  ::ShowWindow(hwnd(), SW_HIDE);

  RECT before{};
  ::GetWindowRect(hwnd(), &before);
  ::SendMessageW(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ::ShowWindow(hwnd(), SW_HIDE);
  ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  if (mode == 0 && picture)
    LoadPicture(*picture);
  mode_ = mode;
  geometry_ = GeometryForZoom(config.Read(setting::kClockZoom), WindowDpi(hwnd()));
  Size(before.left, before.top);
  ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  ::ShowWindow(hwnd(), SW_RESTORE);
  ::MoveWindow(hwnd(), before.left, before.top, geometry_.side(), geometry_.side(), TRUE);
  ::ShowWindow(hwnd(), SW_SHOW);

  ApplyOpacity(level, false);
  ::ShowWindow(hwnd(), SW_SHOW);
  ApplyTopmost(topmost, false);
  CheckMenuItems();
}

void CClockWindow::OnDestroy() {
  if (timerStarted_)
    ::KillTimer(hwnd(), kRepaintTimer);
  timeFont_.Reset();
  weekdayFont_.Reset();
  smallFont_.Reset();
  RECT bounds{};
  if (::GetWindowRect(hwnd(), &bounds)) {
    const SettingsFile& config = program_.config();
    config.Write(ClockLeftSetting(0), bounds.left);
    config.Write(setting::kClockTop, bounds.top);
  }
  picture_.Reset();
}

}  // namespace nightlatch
