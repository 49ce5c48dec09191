#include "shell/main_dlg_win.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "controls/about_dialog_win.h"
#include "controls/song_font_win.h"
#include "controls/vendor_site.h"
#include "controls/window_text_win.h"
#include "engine/actions.h"
#include "engine/system_clock.h"
#include "engine/task_texts.h"
#include "engine/trigger_rules.h"
#include "framework/message_handler_win.h"
#include "platform/dpi_win.h"
#include "platform/wide_string_win.h"
#include "prompts/password_dialog_win.h"
#include "prompts/prompt_sound_win.h"
#include "shell/chimebox_launcher_win.h"
#include "shell/paths_win.h"
#include "shell/program_win.h"
#include "shell/prompt_placement_win.h"
#include "shell/tick_rules.h"
#include "update/update_check_win.h"
#include "update/update_rules.h"

namespace nightlatch {
namespace {

constexpr COLORREF kSkinBlue = RGB(12, 128, 232);
// Prompts that come up closer together than this are one burst.
constexpr uint32_t kPromptBurstMilliseconds = 2000;
constexpr std::u16string_view kNoticeTitle = u"Orvane关机助手提示";
constexpr std::u16string_view kNewVersionNotice =
    u"发现新版本^_^\n请打开窗口，点击相关链接下载新版本！\n";

std::u16string LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer size the call hands out a pointer into the resource.
  const int length = ::LoadStringW(ModuleInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? FromWide(std::wstring_view(text, static_cast<std::size_t>(length)))
                    : std::u16string();
}

}  // namespace

// Hands the due tasks of a pass to the dialog as posted requests; the task
// file is saved before each, so a power action loses no change.
class CMainDlg::TickSink final : public DueTaskSink {
 public:
  explicit TickSink(CMainDlg& dialog) : dialog_(dialog) {}

  // Saved after the pass's runs (WM_SAVE_TASKS), or before one that may end
  // the session (RunRequest).
  void SaveTaskList() override { dialog_.taskSavePending_ = true; }

  void Run(const TaskRunRequest& request) override {
    auto posted = std::make_unique<TaskRunRequest>(request);
    if (::PostMessageW(dialog_.hwnd(), WM_TASK_RUN, 0, reinterpret_cast<LPARAM>(posted.get())))
      static_cast<void>(posted.release());  // the dialog owns it now
  }

  void Missed(const MissedRun& run) override { missed.push_back(run); }

  MissedRuns missed;

 private:
  CMainDlg& dialog_;
};

CMainDlg::CMainDlg(Program& program, MainDlgServices services)
    : program_(program),
      services_(services),
      pages_(program, *services_.clock, *services_.system),
      powerKeeper_(services_.power ? *services_.power : systemPower_) {
  SetNotifyIcon(services_.notifyIcon);
}

CMainDlg::~CMainDlg() = default;

bool CMainDlg::PreTranslateMessage(MSG& message) {
  return hwnd() && ::IsDialogMessageW(hwnd(), &message);
}

bool CMainDlg::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kTickTimer)
        OnTick();
      return true;
    case WM_TASK_RUN:
      OnTaskRun(lParam);
      return true;
    case WM_PROMPT_CLOSED:
      OnPromptClosed(lParam);
      return true;
    case WM_OPEN_TASKS:
      OnOpenTasks(lParam);
      return true;
    case WM_FINISH_START:
      FinishStart();
      return true;
    case WM_SAVE_TASKS:
      SavePendingTasks();
      return true;
    case WM_SHOWWINDOW:
      if (wParam)
        RefreshShownTexts();
      return false;
    case WM_TIMECHANGE:
    case WM_SETTINGCHANGE:
      FollowTimeChange();
      return false;
    case WM_POWERBROADCAST:
      OnPowerBroadcast(wParam);
      result = TRUE;
      return true;
    case WM_WAKE_CHANGED:
      result = OnWakeChanged() ? TRUE : FALSE;
      return true;
    case WM_CLOCK_SETTINGS:
      OnClockSettings(lParam);
      return true;
    case WM_UPDATE_FETCHED:
      // The check may report while the window is being destroyed.
      if (!exiting_->load())
        OnUpdateFetched();
      return true;
    case WM_HOTKEY_CHANGED:
      // The answer tells the page whether the new hotkey is ours.
      result = ReplaceSpeakHotkey() ? TRUE : FALSE;
      return true;
    case WM_HOTKEY:
      if (wParam == kSpeakHotkeyId)
        SpeakTime();
      return true;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    case WM_SYSCOMMAND:
      return OnSysCommand(wParam);
    case WM_CLOSE:
      Exit();
      return true;
    case WM_QUERYENDSESSION:
      OnQueryEndSession();
      result = TRUE;
      return true;
    case WM_ENDSESSION:
      if (wParam)
        EndProgram();  // the system may end the process before the posted close
      return true;
    case WM_ERASEBKGND:
      PaintBackground(reinterpret_cast<HDC>(wParam));
      result = 1;
      return true;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      return ProcessTrayMessage(hwnd, message, wParam, lParam);
  }
}

bool CMainDlg::OnCommand(int id) {
  switch (id) {
    case IDC_PAGE_SIMPLE:
    case IDC_PAGE_PLAN:
    case IDC_PAGE_SETTINGS:
      ShowPage(id);
      return true;
    case IDCANCEL:
    case IDC_HIDE:
      HideToTray();
      return true;
    default:
      return ProcessTrayCommand(static_cast<UINT>(id));
  }
}

bool CMainDlg::OnSysCommand(WPARAM command) {
  const WPARAM kind = command & 0xFFF0;
  if (kind != SC_MINIMIZE && kind != SC_CLOSE)
    return false;
  HideToTray();
  return true;
}

void CMainDlg::OnTaskRun(LPARAM request) {
  const std::unique_ptr<TaskRunRequest> owned(reinterpret_cast<TaskRunRequest*>(request));
  if (owned)
    Hold([&] { RunRequest(*owned); });
}

// The program's own waits on the UI thread (a prompt coming up with its
// sound, Chimebox starting) hold the next pass back; that pass then catches
// up over them as over a skipped second.
template <typename Work>
void CMainDlg::Hold(Work work) {
  const uint32_t start = services_.clock->UptimeMilliseconds();
  work();
  heldMilliseconds_ += services_.clock->UptimeMilliseconds() - start;  // wraps like the tick count
}

void CMainDlg::OnPromptClosed(LPARAM prompt) {
  const auto closed =
      std::find(prompts_.begin(), prompts_.end(), reinterpret_cast<CPromptDlg*>(prompt));
  if (closed != prompts_.end())
    prompts_.erase(closed);
}

void CMainDlg::OnOpenTasks(LPARAM alsoAdd) {
  if (!PasswordCheck())
    return;
  ShowPage(IDC_PAGE_PLAN);
  if (alsoAdd == 1)
    ::SendMessageW(pages_.plan().hwnd(), WM_COMMAND, IDC_PLAN_ADD, 0);
}

// Logging off or shutting down never waits for the password. The window
// must outlive this answer (a destroyed dialog can answer nothing, which
// would veto the end of the session), so the tasks are saved now and the
// program ends right after.
void CMainDlg::OnQueryEndSession() {
  if (program_.settings.passwordOn)
    program_.unlocked = true;
  FinishStart();
  program_.SaveTasks();
  program_.RecordPass(services_.clock->Now(), /*now=*/true);
  ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

bool CMainDlg::OnInitDialog() {
  SetUpWindow();
  // Centred on the primary monitor's work area, where it first shows.
  CenterOver(nullptr);
  SetUpStatusBar();
  pages_.CreateFirst(hwnd(), LayOut(), ownVersion_);
  // The hidden pages and the tray icon come right after the window shows.
  ::PostMessageW(hwnd(), WM_FINISH_START, 0, 0);

  RefreshClockTexts(ReadClock().today);

  program_.LoadSettings();
  if (program_.config().Read(setting::kKnownVersion) > ownVersion_)
    ShowNotice(true, 0, kNewVersionNotice, kNoticeTitle);

  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->AddMessageFilter(this);
    loop->AddIdleHandler(this);
  }
  ArmTickTimer();
  RegisterSpeakHotkey();
  if (program_.config().Read(setting::kClockShown) != 0)
    CreateClockWindow();
  StartUpdateCheckIfDue();
  return true;
}

void CMainDlg::StartUpdateCheckIfDue() {
  if (services_.updateSite.empty())
    return;
  const int32_t today = DateNumber(ReadClock().today);
  if (!UpdateCheckDue(today, program_.config().Read(setting::kCheckDate)))
    return;
  StartUpdateCheck(UpdateCheckJob{hwnd(), program_.dataFolder(), services_.updateSite, today,
                                  exiting_, kUpdateCheckDelayMilliseconds});
}

// Sent by the check once the new links and version are stored.
void CMainDlg::OnUpdateFetched() {
  pages_.simple().RefreshLinks();
  if (program_.config().Read(setting::kKnownVersion) > ownVersion_)
    ShowNotice(true, 0, kNewVersionNotice, kNoticeTitle);
}

void CMainDlg::SetUpWindow() {
  title_ = LoadResourceString(IDS_TITLE);
  ::SetWindowTextW(hwnd(), ToWide(title_).c_str());
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

  hideButton_.SetColors(ButtonColors{RGB(12, 128, 232), RGB(33, 179, 255), RGB(8, 88, 129),
                                     RGB(12, 128, 232), RGB(255, 255, 255)});
  hideButton_.Attach(Item(IDC_HIDE));
}

void CMainDlg::SetUpStatusBar() {
  statusFont_ = CreateSongFontOfPoints(hwnd(), 9, FW_NORMAL);
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
}

// The status row's font, the status row and the pages again; the page
// buttons' pictures stay as they are.
void CMainDlg::OnDpiChanged(int) {
  ScopedFont font = CreateSongFontOfPoints(hwnd(), 9, FW_NORMAL);
  for (HWND label : {statusLine_.hwnd(), feedbackLink_.hwnd()})
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), 0);
  statusFont_ = std::move(font);
  pages_.Relayout(LayOut());
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

// The status line and the feedback link along the bottom; returns the page
// area above them.
RECT CMainDlg::LayOut() {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  RECT status{};
  ::GetWindowRect(Item(IDC_STATUS_LINE), &status);
  const auto scaled = [this](int length) { return ScaleForWindow(hwnd(), length); };
  const int statusHeight = status.bottom - status.top;
  const int statusTop = client.bottom - statusHeight - scaled(4);
  ::SetWindowPos(Item(IDC_STATUS_LINE), nullptr, scaled(10), statusTop, client.right / 2,
                 statusHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(Item(IDC_FEEDBACK_LINK), nullptr, client.right - scaled(130), statusTop,
                 scaled(130), statusHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  return RECT{scaled(7), scaled(130), client.right - scaled(7), statusTop};
}

void CMainDlg::RefreshClockTexts(const LocalFields& now) {
  HWND statusLine = Item(IDC_STATUS_LINE);
  ::SetWindowTextW(statusLine, ToWide(StatusLineText(now)).c_str());
  ::UpdateWindow(statusLine);

  pages_.simple().SetTile(IDC_SIMPLE_NOW, ClockTileText(now));
  pages_.simple().SetTile(IDC_SIMPLE_UPTIME,
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
  if (pages_.restCreated())
    return;
  pages_.CreateRest(hwnd());
  AddTrayIcon(title_);
  ShowMissedRuns(program_.TakeMissedAtLoad(), ReadClock());
  if (::IsWindowVisible(hwnd()))
    RefreshShownTexts();
}

void CMainDlg::RefreshShownTexts() {
  const PassClock pass = ReadClock();
  RefreshClockTexts(pass.today);
  // Until the task file is loaded the tile keeps saying it is loading.
  if (pages_.restCreated())
    pages_.simple().SetTile(IDC_SIMPLE_NEXT, NextTaskText(program_.tasks(), pass));
}

// Just after the next wall-clock second begins: a fixed period would run at
// whatever phase the program started with, up to a second late.
void CMainDlg::ArmTickTimer() {
  ::SetTimer(hwnd(), kTickTimer, TickDelayMilliseconds(services_.clock->NowMilliseconds()),
             nullptr);
}

void CMainDlg::OnTick() {
  FinishStart();
  // At logon the notification area may not be ready yet, and its
  // TaskbarCreated may already have gone by: try again each second.
  if (!trayIconAdded())
    AddTrayIcon(title_);
  const PassClock pass = ReadClock();
  previousPass_.heldSeconds = (heldMilliseconds_ + 999) / 1000;
  heldMilliseconds_ = 0;
  // Hidden in the tray nobody reads the window's texts; showing it fills
  // them in (WM_SHOWWINDOW).
  const bool shown = ::IsWindowVisible(hwnd()) != FALSE;
  if (shown)
    RefreshClockTexts(pass.today);

  // Judged against the previous pass before the task pass moves it on.
  const std::optional<LocalFields> spoken = TimeToSpeak(program_.settings, pass, previousPass_);
  TickSink sink(*this);
  CheckDueTasks(program_.tasks(), pass, previousPass_, sink);
  // Queued behind the run requests the pass posted.
  if (taskSavePending_)
    ::PostMessageW(hwnd(), WM_SAVE_TASKS, 0, 0);
  ShowMissedRuns(sink.missed, pass);
  powerKeeper_.Update(program_.tasks(), pass, program_.settings.wakeForTasks, PowerPromptOpen());
  previousPass_.wakeAt = powerKeeper_.armedFor();
  program_.RecordPass(pass.now);

  const std::u16string next = NextTaskText(program_.tasks(), pass);
  if (shown)
    pages_.simple().SetTile(IDC_SIMPLE_NEXT, next);
  SetTrayTip(TrayTipText(title_, versionText_, next));

  if (spoken) {
    SpeakTime();
    if (program_.settings.speakNotify)
      ShowNotice(true, 10, SpokenTimeNotice(*spoken), u"Orvane报时");
  }
  ArmTickTimer();
}

// Back from sleep or hibernation: the pass runs now, not at the next tick,
// so a task our wake timer woke the computer for runs in its own second.
void CMainDlg::OnPowerBroadcast(WPARAM event) {
  if (event != PBT_APMRESUMEAUTOMATIC && event != PBT_APMRESUMESUSPEND)
    return;
  FollowTimeChange();
  ::KillTimer(hwnd(), kTickTimer);
  RestoreTrayIcon();
  OnTick();
}

// The clock or the zone may have changed: a new zone moves the tasks that
// run at a wall-clock time to the same time in it.
void CMainDlg::FollowTimeChange() {
  const TimeZone before = services_.clock->Zone();
  services_.clock->TimeChanged();
  const TimeZone after = services_.clock->Zone();
  // The same zone moves nothing; a moment in the repeated hour would move
  // to the first occurrence.
  if (before == after)
    return;
  if (KeepWallClockTimes(program_.tasks(), before, after))
    program_.tasks().MarkDirty();
}

// The basic page switched waking on or off: armed or cancelled at once; the
// answer tells the page whether this computer lets timers wake it.
bool CMainDlg::OnWakeChanged() {
  FinishStart();
  powerKeeper_.Update(program_.tasks(), ReadClock(), program_.settings.wakeForTasks,
                      PowerPromptOpen());
  previousPass_.wakeAt = powerKeeper_.armedFor();
  return !program_.settings.wakeForTasks || powerKeeper_.WakeAllowed();
}

void CMainDlg::ShowMissedRuns(const MissedRuns& runs, const PassClock& pass) {
  std::vector<std::u16string> lines;
  lines.reserve(runs.size());
  for (const MissedRun& run : runs)
    lines.push_back(MissedRunLine(run, pass));
  missedRuns_.Show(lines);
}

bool CMainDlg::PowerPromptOpen() const {
  return std::any_of(prompts_.begin(), prompts_.end(),
                     [](const CPromptDlg* prompt) { return IsPowerAction(prompt->action()); });
}

void CMainDlg::RunRequest(TaskRunRequest& request) {
  switch (RouteRunRequest(request)) {
    case RunRoute::kDrop:
      return;
    case RunRoute::kPrompt: {
      PromptServices promptServices{program_, services_.system, services_.clock,
                                    services_.mci ? services_.mci : &SystemMciCommands(),
                                    ModulePath(u"resource\\sound\\1.mp3")};
      if (CPromptDlg* prompt = CPromptDlg::Open(request, hwnd(), std::move(promptServices))) {
        prompts_.push_back(prompt);
        // One animation a burst: each holds the UI thread for half a
        // second, twenty prompts due together would hold it for ten.
        const uint32_t now = services_.clock->UptimeMilliseconds();
        const bool animate = !promptShownAt_ || now - *promptShownAt_ >= kPromptBurstMilliseconds;
        promptShownAt_ = now;
        ShowPromptWindow(prompt->hwnd(), program_.settings.promptBottomRight, animate);
      }
      request.pending = 0;
      request.warnSeconds = 0;
      return;
    }
    case RunRoute::kExecute:
      request.pending = 0;
      if (SaveBeforeAction(request.action))
        SavePendingTasks();
      ExecuteAction(request.action, request.text.View(), *services_.system);
      ShowNotice(true, 5, RunDoneNotice(request), kNoticeTitle);
      return;
  }
}

// The pass's moment goes with it: a run whose action ends the program is
// not told as missed at the next start.
void CMainDlg::SavePendingTasks() {
  if (!std::exchange(taskSavePending_, false))
    return;
  program_.SaveTasks();
  program_.RecordPass(services_.clock->Now(), /*now=*/true);
}

void CMainDlg::ShowPage(int pageButton) {
  FinishStart();
  if (pageButton != IDC_PAGE_SIMPLE && !PasswordCheck())
    return;
  if (pageButton == IDC_PAGE_PLAN)
    pages_.plan().Rebuild();
  pages_.Show(hwnd(), pageButton);
}

void CMainDlg::HideToTray() {
  ::ShowWindow(hwnd(), SW_MINIMIZE);
  ::ShowWindow(hwnd(), SW_HIDE);
  ShowHideBalloon();
  program_.unlocked = false;
  ShowPage(IDC_PAGE_SIMPLE);
}

void CMainDlg::Exit() {
  if (PasswordCheck())
    EndProgram();
}

// Without asking: the end of the session never waits for the password.
void CMainDlg::EndProgram() {
  ::KillTimer(hwnd(), kTickTimer);
  DestroyWindow();
  ::PostQuitMessage(0);
}

void CMainDlg::OnDestroy() {
  exiting_->store(true);
  ::KillTimer(hwnd(), kTickTimer);
  powerKeeper_.Release();
  if (pages_.restCreated())
    program_.RecordPass(services_.clock->Now(), /*now=*/true);
  missedRuns_.Destroy();
  ::UnregisterHotKey(hwnd(), kSpeakHotkeyId);
  if (MessageLoop* loop = MessageLoop::Current()) {
    loop->RemoveMessageFilter(this);
    loop->RemoveIdleHandler(this);
  }
  pages_.Destroy();
  // Destroying the clock writes its position.
  if (clock_)
    clock_->DestroyWindow();
  clock_.reset();
  noticeWindow_.Destroy();
  // Requests still queued would go to a window that is gone: freed here.
  MSG queued;
  while (::PeekMessageW(&queued, hwnd(), WM_TASK_RUN, WM_TASK_RUN, PM_REMOVE))
    delete reinterpret_cast<TaskRunRequest*>(queued.lParam);
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
  if (::IntersectRect(&page, &pages_.area(), &area))
    FillSolid(canvas.dc(), page, RGB(255, 255, 255));
  canvas.Present();
}

bool CMainDlg::RegisterSpeakHotkey() {
  const int32_t key = program_.config().Read(setting::kHotkeyKey);
  const int32_t modifiers = program_.config().Read(setting::kHotkeyModifiers);
  const SpeakHotkey wanted{HotkeyModifiers(modifiers), static_cast<UINT>(key)};
  // Taken by another program: the hotkey then simply does nothing.
  if (!::RegisterHotKey(hwnd(), kSpeakHotkeyId, wanted.modifiers, wanted.key))
    return false;
  speakHotkey_ = wanted;
  return true;
}

// The new combination from the settings; one another program holds
// leaves the old one working.
bool CMainDlg::ReplaceSpeakHotkey() {
  ::UnregisterHotKey(hwnd(), kSpeakHotkeyId);
  const std::optional<SpeakHotkey> previous = std::exchange(speakHotkey_, std::nullopt);
  if (RegisterSpeakHotkey())
    return true;
  if (previous && ::RegisterHotKey(hwnd(), kSpeakHotkeyId, previous->modifiers, previous->key))
    speakHotkey_ = previous;
  return false;
}

void CMainDlg::ShowFromTray() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::OpenIcon(hwnd());
}

void CMainDlg::RunTrayPowerAction(int32_t action) {
  FinishStart();
  program_.SaveTasks();
  ExecuteAction(action, u"", *services_.system);
}

bool CMainDlg::CreateClockWindow() {
  clock_ = std::make_unique<CClockWindow>(program_, *services_.clock, hwnd(), ModulePath(u""));
  if (clock_->Create(::GetDesktopWindow()))
    return true;
  // Nothing shown; the next show tries again.
  clock_.reset();
  return false;
}

// A clock closed from outside (its window destroyed) is made again.
void CMainDlg::ShowClockWindow() {
  if (!clockWindow() && !CreateClockWindow())
    return;
  ::ShowWindow(clock_->hwnd(), SW_SHOW);
}

CClockWindow* CMainDlg::clockWindow() const {
  return clock_ && ::IsWindow(clock_->hwnd()) ? clock_.get() : nullptr;
}

// The clock page saved: the clock reads its keys again; the flag shows or
// hides it (a hidden clock keeps its window).
void CMainDlg::OnClockSettings(LPARAM clockShown) {
  if (CClockWindow* clock = clockWindow())
    ::SendMessageW(clock->hwnd(), WM_CLOCK_SETTINGS, 0, clockShown);
  if (clockShown != 0) {
    ShowClockWindow();
    return;
  }
  if (CClockWindow* clock = clockWindow())
    ::ShowWindow(clock->hwnd(), SW_HIDE);
}

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
  return nightlatch::PasswordCheck(program_);
}

void CMainDlg::SpeakTime() {
  bool started = false;
  Hold([&] { started = StartChimebox(); });
  if (!started)
    ShowNotice(true, 7, u"报时失败", kNoticeTitle);
}

}  // namespace nightlatch
