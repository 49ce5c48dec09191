#include "shell/main_dlg_win.h"

#include <algorithm>
#include <utility>

#include "controls/about_dialog_win.h"
#include "controls/song_font_win.h"
#include "controls/vendor_site.h"
#include "engine/actions.h"
#include "engine/task_texts.h"
#include "framework/message_handler_win.h"
#include "platform/scoped_handle_win.h"
#include "platform/wide_string_win.h"
#include "prompts/password_dialog_win.h"
#include "prompts/prompt_sound_win.h"
#include "settings/runtime_settings.h"
#include "settings/settings_file_win.h"
#include "shell/paths_win.h"
#include "shell/system_clock.h"
#include "shell/tick_rules.h"

namespace nightlatch {
namespace {

constexpr COLORREF kSkinBlue = RGB(12, 128, 232);
constexpr std::u16string_view kNoticeTitle = u"Orvane关机助手提示";
constexpr std::u16string_view kNewVersionNotice =
    u"发现新版本^_^\n请打开窗口，点击相关链接下载新版本！\n";
constexpr DWORD kChimeboxReadyTimeoutMs = 5000;
constexpr COLORREF kPageMask = RGB(0, 125, 255);
constexpr int kPageImageWidth = 80;

std::u16string LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer size the call hands out a pointer into the resource.
  const int length = ::LoadStringW(ModuleInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? FromWide(std::wstring_view(text, static_cast<std::size_t>(length)))
                    : std::u16string();
}

void SetItemText(HWND dialog, int id, std::u16string_view text) {
  const std::wstring wide = ToWide(text);
  ::SetDlgItemTextW(dialog, id, wide.c_str());
}

}  // namespace

// Hands the due tasks of a pass to the dialog as posted requests; the task
// file is saved before each, so a power action loses no change.
class CMainDlg::TickSink final : public DueTaskSink {
 public:
  explicit TickSink(CMainDlg& dialog) : dialog_(dialog) {}

  void SaveTaskList() override { dialog_.planPage_.Save(); }

  void Run(const TaskRunRequest& request) override {
    auto posted = std::make_unique<TaskRunRequest>(request);
    if (::PostMessageW(dialog_.hwnd(), WM_TASK_RUN, 0, reinterpret_cast<LPARAM>(posted.get())))
      static_cast<void>(posted.release());  // the dialog owns it now
  }

 private:
  CMainDlg& dialog_;
};

CMainDlg::CMainDlg(MainDlgServices services)
    : services_(std::move(services)), planPage_(*services_.clock, *services_.system) {}

CMainDlg::~CMainDlg() = default;

bool CMainDlg::PreTranslateMessage(MSG& message) {
  return hwnd() && ::IsDialogMessageW(hwnd(), &message);
}

bool CMainDlg::ProcessWindowMessage(HWND hwnd,
                                    UINT message,
                                    WPARAM wParam,
                                    LPARAM lParam,
                                    LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_TIMER:
      if (wParam == kTickTimer)
        OnTick();
      return true;
    case WM_TASK_RUN: {
      std::unique_ptr<TaskRunRequest> request(reinterpret_cast<TaskRunRequest*>(lParam));
      if (request)
        RunRequest(*request);
      return true;
    }
    case WM_PROMPT_CLOSED: {
      const auto closed =
          std::find(prompts_.begin(), prompts_.end(), reinterpret_cast<CPromptDlg*>(lParam));
      if (closed != prompts_.end())
        prompts_.erase(closed);
      return true;
    }
    case WM_OPEN_TASKS:
      if (PasswordCheck()) {
        ShowPage(IDC_PAGE_PLAN);
        if (lParam == 1)
          ::SendMessageW(planPage_.hwnd(), WM_COMMAND, IDC_PLAN_ADD, 0);
      }
      return true;
    case WM_FINISH_START:
      FinishStart();
      return true;
    case WM_SHOWWINDOW:
      if (wParam)
        RefreshShownTexts();
      return false;
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
      services_.clock->TimeChanged();
      return false;
    case WM_HOTKEY_CHANGED:
      ::UnregisterHotKey(hwnd, kSpeakHotkeyId);
      RegisterSpeakHotkey();
      return true;
    case WM_HOTKEY:
      if (wParam == kSpeakHotkeyId)
        SpeakTime();
      return true;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_PAGE_SIMPLE:
        case IDC_PAGE_PLAN:
        case IDC_PAGE_SETTINGS:
          ShowPage(LOWORD(wParam));
          return true;
        case IDCANCEL:
        case IDC_HIDE:
          HideToTray();
          return true;
        default:
          return ProcessTrayCommand(LOWORD(wParam));
      }
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE || (wParam & 0xFFF0) == SC_CLOSE) {
        HideToTray();
        return true;
      }
      return false;
    case WM_CLOSE:
      Exit();
      return true;
    case WM_QUERYENDSESSION:
      // Logging off or shutting down never waits for the password. The
      // window must outlive this answer (a destroyed dialog can answer
      // nothing, which would veto the end of the session), so the tasks are
      // saved now and the program ends right after.
      if (Settings().passwordOn)
        Unlocked() = true;
      FinishStart();
      planPage_.Save();
      ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wParam)
        Exit();  // the system may end the process before the posted close
      return true;
    case WM_LBUTTONDOWN:
      BeginBodyDrag(hwnd);
      return true;
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      result = 1;
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      if (CtrlColor::HandleMessage(hwnd, message, wParam, lParam, result))
        return true;
      return ProcessTrayMessage(hwnd, message, wParam, lParam);
  }
}

bool CMainDlg::OnInitDialog() {
  hideButton_.SetColors(ButtonColors{RGB(12, 128, 232), RGB(33, 179, 255), RGB(8, 88, 129),
                                     RGB(12, 128, 232), RGB(255, 255, 255)});
  hideButton_.Attach(Item(IDC_HIDE));
  title_ = LoadResourceString(IDS_TITLE);
  const std::wstring title = ToWide(title_);
  ::SetWindowTextW(hwnd(), title.c_str());

  std::u16string folder = services_.dataFolder;
  if (folder.empty())
    folder = AppDataPath(kDataFolder, u"");
  configPath_ = folder + u"\\config.ini";
  taskFilePath_ = folder + u"\\helper.dat";
  notePath_ = folder + u"\\note.ini";
  SetConfigPath(configPath_);

  versionText_ = LoadResourceString(IDS_VERSION);
  ownVersion_ = VersionNumber(versionText_);

  const auto loadIcon = [](int metricX, int metricY) {
    return static_cast<HICON>(::LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_NIGHTLATCH),
                                           IMAGE_ICON, ::GetSystemMetrics(metricX),
                                           ::GetSystemMetrics(metricY), LR_SHARED));
  };
  ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(loadIcon(SM_CXICON, SM_CYICON)));
  ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(loadIcon(SM_CXSMICON, SM_CYSMICON)));

  // An even image for a page at rest, the odd one after it for the current
  // (disabled), pushed or hot page.
  pageImages_ = LoadImageList(IDB_PAGE_BUTTONS, kPageImageWidth, kPageMask);
  const int pageIds[] = {IDC_PAGE_SIMPLE, IDC_PAGE_PLAN, IDC_PAGE_SETTINGS};
  for (int i = 0; i < 3; ++i) {
    pageButtons_[i].Attach(Item(pageIds[i]), pageImages_.get(),
                           CBitmapButton::Images{2 * i, 2 * i + 1, 2 * i + 1, 2 * i + 1});
  }
  ::EnableWindow(Item(IDC_PAGE_SIMPLE), FALSE);

  const int nineSongPoints =
      -::MulDiv(9, ::GetDeviceCaps(ScopedWindowDC(hwnd()).get(), LOGPIXELSY), 72);
  statusFont_ = CreateSongFont(nineSongPoints, FW_NORMAL);
  for (CStaticCK* label : {&statusLine_, &feedbackLink_}) {
    label->Attach(Item(label == &statusLine_ ? IDC_STATUS_LINE : IDC_FEEDBACK_LINK));
    label->SetColors(RGB(255, 255, 255), RGB(255, 0, 0));
    ::SendMessageW(label->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.get()), 0);
  }
  // The status line is no link: it keeps its colour under the mouse. It lies
  // on plain skin, so it paints that itself and its changes every second
  // never make the dialog repaint behind it.
  statusLine_.SetColors(RGB(255, 255, 255), RGB(255, 255, 255));
  statusLine_.SetTransparent(false, kSkinBlue);
  feedbackLink_.SetAddress(ToWide(std::u16string(kVendorSite) + u"?ZephHelper2"));
  SetItemText(hwnd(), IDC_FEEDBACK_LINK, u"问题反馈 ver:" + versionText_);

  LayOut();
  planPage_.SetTaskFilePath(taskFilePath_);
  simplePage_.SetLinkSources(notePath_, ownVersion_);
  PlacePage(simplePage_.CreateModeless(hwnd()));
  ::ShowWindow(simplePage_.hwnd(), SW_SHOW);
  // The hidden pages and the tray icon come right after the window shows.
  ::PostMessageW(hwnd(), WM_FINISH_START, 0, 0);

  RefreshClockTexts(ReadClock().today);

  LoadRuntimeSettings();
  if (ReadSetting(setting::kKnownVersion) > ownVersion_)
    ShowNotice(true, 0, kNewVersionNotice, kNoticeTitle);

  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  ::SetTimer(hwnd(), kTickTimer, 1000, nullptr);
  RegisterSpeakHotkey();
  return true;
}

void CMainDlg::LayOut() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  RECT status{};
  ::GetWindowRect(Item(IDC_STATUS_LINE), &status);
  const int statusHeight = status.bottom - status.top;
  const int statusTop = client.bottom - statusHeight - 4;
  ::SetWindowPos(Item(IDC_STATUS_LINE), nullptr, 10, statusTop, client.right / 2, statusHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(Item(IDC_FEEDBACK_LINK), nullptr, client.right - 130, statusTop, 130, statusHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  pageArea_ = RECT{7, 130, client.right - 7, statusTop};
}

void CMainDlg::PlacePage(HWND page) {
  ::SetWindowPos(page, nullptr, pageArea_.left, pageArea_.top, pageArea_.right - pageArea_.left,
                 pageArea_.bottom - pageArea_.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::RefreshClockTexts(const LocalFields& now) {
  HWND statusLine = Item(IDC_STATUS_LINE);
  ::SetWindowTextW(statusLine, ToWide(StatusLineText(now)).c_str());
  ::UpdateWindow(statusLine);

  simplePage_.SetTile(IDC_SIMPLE_NOW, ClockTileText(now));
  simplePage_.SetTile(IDC_SIMPLE_UPTIME,
                      FormatDuration(services_.clock->UptimeMilliseconds() / 1000, true));
}

PassClock CMainDlg::ReadClock() const {
  return PassClock::At(services_.clock->Now(), services_.clock->Zone(),
                       services_.clock->IdleSeconds());
}

// The rest of the start-up, once the window is up: the task list page (which
// loads the task file), the settings page and the tray icon, whose shell
// answers slowly. Whatever needs them first calls this.
void CMainDlg::FinishStart() {
  if (startFinished_)
    return;
  startFinished_ = true;
  PlacePage(planPage_.CreateModeless(hwnd()));  // loads the task file
  PlacePage(settingsPage_.CreateModeless(hwnd()));
  AddTrayIcon(title_);
  if (::IsWindowVisible(hwnd()))
    RefreshShownTexts();
}

void CMainDlg::RefreshShownTexts() {
  const PassClock pass = ReadClock();
  RefreshClockTexts(pass.today);
  // Until the task file is loaded the tile keeps saying it is loading.
  if (startFinished_)
    simplePage_.SetTile(IDC_SIMPLE_NEXT, NextTaskText(tasks(), pass));
}

void CMainDlg::OnTick() {
  FinishStart();
  const PassClock pass = ReadClock();
  // Hidden in the tray nobody reads the window's texts; showing it fills
  // them in (WM_SHOWWINDOW).
  const bool shown = ::IsWindowVisible(hwnd()) != FALSE;
  if (shown)
    RefreshClockTexts(pass.today);

  TickSink sink(*this);
  CheckDueTasks(tasks(), pass, previousPass_, sink);

  const std::u16string next = NextTaskText(tasks(), pass);
  if (shown)
    simplePage_.SetTile(IDC_SIMPLE_NEXT, next);
  SetTrayTip(TrayTipText(title_, versionText_, next));

  if (ShouldSpeakTime(Settings(), pass.today)) {
    SpeakTime();
    if (Settings().speakNotify)
      ShowNotice(true, 10, SpokenTimeNotice(pass.today), u"Orvane报时");
  }
}

void CMainDlg::RunRequest(TaskRunRequest& request) {
  switch (RouteRunRequest(request)) {
    case RunRoute::kDrop:
      return;
    case RunRoute::kPrompt: {
      PromptServices promptServices{services_.system, services_.clock,
                                    services_.mci ? services_.mci : &SystemMciCommands(),
                                    ModulePath(u"resource\\sound\\1.mp3")};
      if (CPromptDlg* prompt = CPromptDlg::Open(request, hwnd(), std::move(promptServices))) {
        prompts_.push_back(prompt);
        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        RECT own{};
        ::GetWindowRect(prompt->hwnd(), &own);
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        const bool corner = Settings().promptBottomRight;
        const int x = corner ? work.right - width : (work.right - width) / 2;
        const int y = corner ? work.bottom - height : (work.bottom - height) / 2;
        ::SetWindowPos(prompt->hwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        const DWORD effect = corner ? AW_SLIDE | AW_VER_NEGATIVE : AW_SLIDE | AW_BLEND;
        if (!::AnimateWindow(prompt->hwnd(), 500, effect))
          ::ShowWindow(prompt->hwnd(), SW_SHOWNOACTIVATE);
      }
      request.pending = 0;
      request.warnSeconds = 0;
      return;
    }
    case RunRoute::kExecute:
      request.pending = 0;
      ExecuteAction(request.action, request.text.View(), *services_.system);
      ShowNotice(true, 5, RunDoneNotice(request), kNoticeTitle);
      return;
  }
}

void CMainDlg::ShowPage(int pageButton) {
  FinishStart();
  if (pageButton != IDC_PAGE_SIMPLE && !PasswordCheck())
    return;
  if (pageButton == IDC_PAGE_PLAN)
    planPage_.Rebuild();
  const struct {
    int button;
    HWND page;
  } pages[] = {{IDC_PAGE_SIMPLE, simplePage_.hwnd()},
               {IDC_PAGE_PLAN, planPage_.hwnd()},
               {IDC_PAGE_SETTINGS, settingsPage_.hwnd()}};
  for (const auto& page : pages) {
    const bool current = page.button == pageButton;
    ::ShowWindow(page.page, current ? SW_SHOW : SW_HIDE);
    ::EnableWindow(Item(page.button), !current);
  }
  currentPage_ = pageButton;
}

void CMainDlg::HideToTray() {
  ::ShowWindow(hwnd(), SW_MINIMIZE);
  ::ShowWindow(hwnd(), SW_HIDE);
  ShowHideBalloon();
  Unlocked() = false;
  ShowPage(IDC_PAGE_SIMPLE);
}

void CMainDlg::Exit() {
  if (!PasswordCheck())
    return;
  ::KillTimer(hwnd(), kTickTimer);
  DestroyWindow();
  ::PostQuitMessage(0);
}

void CMainDlg::OnDestroy() {
  ::KillTimer(hwnd(), kTickTimer);
  ::UnregisterHotKey(hwnd(), kSpeakHotkeyId);
  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
  simplePage_.DestroyWindow();
  settingsPage_.DestroyWindow();
  planPage_.DestroyWindow();  // saves the task file
  noticeWindow_.Destroy();
  // Each prompt reports its closing as it goes: work on a copy.
  const std::vector<CPromptDlg*> open = std::exchange(prompts_, {});
  for (CPromptDlg* prompt : open)
    prompt->DestroyWindow();
  DeleteTrayIcon();
}

void CMainDlg::PaintBackground(HDC dc) {
  // Only what needs repainting: a label over the skin asks for its own spot.
  RECT area{};
  if (::GetClipBox(dc, &area) == NULLREGION || ::IsRectEmpty(&area))
    return;
  OffscreenCanvas canvas(dc, area);
  if (!canvas.valid())
    return;
  FillSolid(canvas.dc(), area, kSkinBlue);
  RECT page{};
  if (::IntersectRect(&page, &pageArea_, &area))
    FillSolid(canvas.dc(), page, RGB(255, 255, 255));
  canvas.Present();
}

void CMainDlg::RegisterSpeakHotkey() {
  const int32_t key = ReadSetting(setting::kHotkeyKey);
  const int32_t modifiers = ReadSetting(setting::kHotkeyModifiers);
  // Taken by another program: the hotkey then simply does nothing.
  ::RegisterHotKey(hwnd(), kSpeakHotkeyId, HotkeyModifiers(modifiers), static_cast<UINT>(key));
}

void CMainDlg::ShowFromTray() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::OpenIcon(hwnd());
}

void CMainDlg::RunTrayPowerAction(int32_t action) {
  FinishStart();
  planPage_.Save();
  ExecuteAction(action, u"", *services_.system);
}

void CMainDlg::ShowClockWindow() {}

void CMainDlg::ShowAbout() {
  CAboutDlg about;
  about.RunModal(::GetActiveWindow());
}

void CMainDlg::ShowNotice(bool slide,
                          int seconds,
                          std::u16string_view text,
                          std::u16string_view title) {
  noticeWindow_.Show(slide, seconds, text, title);
}

bool CMainDlg::PasswordCheck() {
  return nightlatch::PasswordCheck();
}

void CMainDlg::SpeakTime() {
  // Quoted, and named as the application too, so a folder with blanks in
  // its path never starts another program.
  const std::u16string program = ModulePath(u"Chimebox.exe");
  std::wstring commandLine = L"\"" + ToWide(program) + L"\"";
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(AsWide(program.c_str()), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &process)) {
    ShowNotice(true, 7, u"报时失败", kNoticeTitle);
    return;
  }
  ScopedHandle processHandle(process.hProcess);
  ScopedHandle threadHandle(process.hThread);
  // Bounded: a hung announcer must not stop the tick.
  ::WaitForInputIdle(process.hProcess, kChimeboxReadyTimeoutMs);
}

}  // namespace nightlatch
