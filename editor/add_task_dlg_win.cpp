#include "editor/add_task_dlg_win.h"

#include <algorithm>
#include <iterator>

#include <commctrl.h>

#include "controls/date_picker_win.h"
#include "controls/song_font_win.h"
#include "controls/timed_label_win.h"
#include "controls/window_text_win.h"
#include "engine/actions.h"
#include "engine/system_clock.h"
#include "engine/text_format.h"
#include "engine/trigger_rules.h"
#include "platform/dpi_win.h"
#include "platform/file_dialog_win.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"

namespace nightlatch {
namespace {

constexpr COLORREF kBand = RGB(230, 245, 255);
constexpr COLORREF kFrame = RGB(182, 182, 182);
constexpr COLORREF kMessageColor = RGB(255, 51, 0);
// Between the controls of the hours row.
constexpr int kRowGap = 4;
// Between the entry field and 选择, and 选择 and 试打开.
constexpr int kButtonGap = 10;

constexpr int kWeekdayBoxes[] = {IDC_TASK_MONDAY,   IDC_TASK_TUESDAY, IDC_TASK_WEDNESDAY,
                                 IDC_TASK_THURSDAY, IDC_TASK_FRIDAY,  IDC_TASK_SATURDAY,
                                 IDC_TASK_SUNDAY};

// Hidden by every mode view before the mode shows its own.
constexpr int kModeControls[] = {
    IDC_TASK_DATE,     IDC_TASK_EVERY,         IDC_TASK_EVERY_DAYS, IDC_TASK_DAYS_LABEL,
    IDC_TASK_MONDAY,   IDC_TASK_TUESDAY,       IDC_TASK_WEDNESDAY,  IDC_TASK_THURSDAY,
    IDC_TASK_FRIDAY,   IDC_TASK_SATURDAY,      IDC_TASK_SUNDAY,     IDC_TASK_MONTH_DAY,
    IDC_TASK_MONTH,    IDC_TASK_YEAR_DAY,      IDC_TASK_HOURS,      IDC_TASK_HOURS_LABEL,
    IDC_TASK_MINUTES,  IDC_TASK_MINUTES_LABEL, IDC_TASK_ENTRY,      IDC_TASK_BROWSE,
    IDC_TASK_TRY_OPEN, IDC_TASK_IS_URL};

constexpr int kWarningRow[] = {IDC_TASK_WARN_CAPTION, IDC_TASK_WARN_BEFORE, IDC_TASK_WARN_AFTER,
                               IDC_TASK_WARN};

constexpr int kButtons[] = {IDOK, IDCANCEL, IDC_TASK_BROWSE, IDC_TASK_TRY_OPEN};

void SetText(HWND control, std::u16string_view text) {
  SetTextOverSkin(control, ToWide(text).c_str());
}

int Selection(HWND list) {
  return static_cast<int>(::SendMessageW(list, CB_GETCURSEL, 0, 0));
}

void Select(HWND list, int index) {
  ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// A control's rectangle in its dialog's client coordinates.
RECT Bounds(HWND dialog, int id) {
  return BoundsInParent(::GetDlgItem(dialog, id));
}

int Width(const RECT& area) {
  return area.right - area.left;
}

// The mode row is laid out in 96-DPI pixels and placed at the dialog's DPI,
// so that rounding does not add up along a row. The controls' 96-DPI sizes
// come back exactly from their scaled ones, the scale being at least 1.
class RowLayout {
 public:
  explicit RowLayout(HWND dialog) : dialog_(dialog), dpi_(WindowDpi(dialog)) {}

  RECT Bounds(int id) const {
    const RECT area = nightlatch::Bounds(dialog_, id);
    const int left = Base(area.left);
    const int top = Base(area.top);
    return RECT{left, top, left + Base(area.right - area.left), top + Base(area.bottom - area.top)};
  }

  // Moves a control, keeping its size; returns where its right edge now is.
  int MoveTo(int id, int x, int y) const {
    ::SetWindowPos(::GetDlgItem(dialog_, id), nullptr, ScaleToDpi(x, dpi_), ScaleToDpi(y, dpi_), 0,
                   0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return x + Width(Bounds(id));
  }

  void Resize(int id, int width, int height) const {
    ::SetWindowPos(::GetDlgItem(dialog_, id), nullptr, 0, 0, ScaleToDpi(width, dpi_),
                   ScaleToDpi(height, dpi_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  int Base(LONG pixels) const { return ::MulDiv(static_cast<int>(pixels), kBaseDpi, dpi_); }

  HWND dialog_;
  int dpi_;
};

// Centred over an owner near the screen's edge, the dialog would reach past
// it; it is moved back into the work area.
void KeepInWorkArea(HWND window) {
  RECT own{};
  MONITORINFO monitor{sizeof monitor};
  if (!::GetWindowRect(window, &own) ||
      !::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
    return;
  const RECT& work = monitor.rcWork;
  const int x =
      std::clamp<int>(own.left, work.left, std::max<int>(work.left, work.right - Width(own)));
  const int y = std::clamp<int>(own.top, work.top,
                                std::max<int>(work.top, work.bottom - (own.bottom - own.top)));
  ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TaskFileRecord FlavourTask(int flavour) {
  TaskFileRecord task;
  if (flavour == CAddTaskDlg::kOpenFlavour)
    task.action = kOpen;
  else if (flavour == CAddTaskDlg::kReminderFlavour)
    task.action = kReminder;
  return task;
}

}  // namespace

CAddTaskDlg::CAddTaskDlg(SystemClock& clock, SystemCalls& system)
    : CAddTaskDlg(TaskFileRecord{}, clock, system) {}

CAddTaskDlg::CAddTaskDlg(int flavour, SystemClock& clock, SystemCalls& system)
    : CAddTaskDlg(FlavourTask(flavour), clock, system) {}

CAddTaskDlg::CAddTaskDlg(const CTask& task, SystemClock& clock, SystemCalls& system)
    : CAddTaskDlg(task.ToRecord(), clock, system) {}

CAddTaskDlg::CAddTaskDlg(const TaskFileRecord& working, SystemClock& clock, SystemCalls& system)
    : working_(working), clock_(clock), system_(system) {}

INT_PTR CAddTaskDlg::Run() {
  return RunModal(::GetActiveWindow());
}

bool CAddTaskDlg::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_TIMER:
      return HideWhenDue(hwnd, Item(IDC_TASK_MESSAGE), kMessageTimer, wParam);
    case WM_DESTROY:
      ::KillTimer(hwnd, kMessageTimer);
      return false;
    default:
      return false;
  }
}

HBRUSH CAddTaskDlg::OnStaticColor(HDC dc, HWND control) {
  const int id = ::GetDlgCtrlID(control);
  if (id == IDC_TASK_MESSAGE) {
    ::SetTextColor(dc, kMessageColor);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
  }
  const bool weekday = id >= IDC_TASK_MONDAY && id <= IDC_TASK_SUNDAY;
  if (weekday || id == IDC_TASK_IS_URL) {
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::SetBkColor(dc, RGB(255, 255, 255));
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  }
  return nullptr;
}

void CAddTaskDlg::OnPaintBackground(HDC dc, const RECT& client) {
  const int height = client.bottom - client.top;
  const int topBand = client.top + height / 8;
  const int bottomBand = client.top + height * 4 / 5;
  FillSolid(dc, RECT{client.left, client.top, client.right, topBand}, kBand);
  FillSolid(dc, RECT{client.left, bottomBand, client.right, client.bottom}, kBand);
  FillSolid(dc, RECT{client.left, topBand, client.right, topBand + 1}, kFrame);
  FillSolid(dc, RECT{client.left, bottomBand - 1, client.right, bottomBand}, kFrame);
  FillSolid(dc, RECT{client.left, client.top, client.right, client.top + 1}, kFrame);
  FillSolid(dc, RECT{client.left, client.bottom - 1, client.right, client.bottom}, kFrame);
  FillSolid(dc, RECT{client.left, client.top, client.left + 1, client.bottom}, kFrame);
  FillSolid(dc, RECT{client.right - 1, client.top, client.right, client.bottom}, kFrame);
}

bool CAddTaskDlg::OnInitDialog() {
  for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i)
    buttons_[i].Attach(Item(kButtons[i]));
  actionList_.Attach(Item(IDC_TASK_ACTION));
  warnList_.Attach(Item(IDC_TASK_WARN));
  CenterOver(::GetWindow(hwnd(), GW_OWNER));
  KeepInWorkArea(hwnd());

  titleFont_ = CreateTitleFont(hwnd());
  ::SendMessageW(Item(IDC_TASK_TITLE), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()),
                 FALSE);
  SetText(Item(IDC_TASK_TITLE), working_.id != 0 ? u"定时任务-修改" : u"定时任务-添加");

  Show(IDC_TASK_MESSAGE, false);
  if (IsOpen()) {
    ::SendMessageW(Item(IDC_TASK_ENTRY), EM_LIMITTEXT, static_cast<WPARAM>(kOpenTargetMaxLength),
                   0);
  }
  LayOutModeRow();
  FillLists();
  ApplyModeView(0);
  const PassClock clock = PassClock::At(clock_.Now(), clock_.Zone());
  WriteForm(FormForTask(working_, clock));
  return true;
}

bool CAddTaskDlg::OnCommand(int id, int code) {
  if (id >= IDC_TASK_MODE_FIXED && id <= IDC_TASK_MODE_COUNTDOWN) {
    if (code == BN_CLICKED)
      ApplyModeView(id - IDC_TASK_MODE_FIXED + kFixed);
    return true;
  }
  switch (id) {
    case IDOK:
      OnOk();
      return true;
    case IDCANCEL:
      EndDialog(IDCANCEL);
      return true;
    case IDC_TASK_BROWSE:
      Browse();
      return true;
    case IDC_TASK_TRY_OPEN:
      TryOpen();
      return true;
    case IDC_TASK_IS_URL:
      if (code == BN_CLICKED)
        OnWebAddressToggled();
      return true;
    default:
      return false;
  }
}

void CAddTaskDlg::FillLists() {
  const auto fill = [this](int id, int first, int last, std::u16string_view pattern) {
    HWND list = Item(id);
    for (int value = first; value <= last; ++value) {
      const std::wstring text = ToWide(FormatText(pattern, {value}));
      ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  };
  for (int32_t action = kShutdown; action <= kMonitorOff; ++action) {
    const std::wstring name = ToWide(ActionName(action));
    ::SendMessageW(Item(IDC_TASK_ACTION), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  fill(IDC_TASK_EVERY_DAYS, 1, 31, u"%2d");
  fill(IDC_TASK_MONTH_DAY, 1, 31, u"%2d日");
  fill(IDC_TASK_MONTH, 1, 12, u"%2d月");
  fill(IDC_TASK_YEAR_DAY, 1, 31, u"%2d日");
  fill(IDC_TASK_HOURS, 0, 24, u"%2d");
  fill(IDC_TASK_MINUTES, 0, 59, u"%2d");
  fill(IDC_TASK_WARN, 0, 99, u"%d");
}

// Every mode's controls share the 执行时间 row, from the corner of 每 on;
// the entry field takes the action list's place.
void CAddTaskDlg::LayOutModeRow() {
  const RowLayout row(hwnd());
  const RECT every = row.Bounds(IDC_TASK_EVERY);
  const int x = every.left;
  const int y = every.top;
  row.MoveTo(IDC_TASK_DATE, x, y);

  const int dayStep = Width(row.Bounds(IDC_TASK_TUESDAY));
  int right = row.MoveTo(IDC_TASK_MONDAY, x, y);
  for (int i = 1; i < static_cast<int>(std::size(kWeekdayBoxes)); ++i) {
    row.MoveTo(kWeekdayBoxes[i], right, y);
    right += dayStep;
  }

  row.MoveTo(IDC_TASK_MONTH_DAY, x, y);
  right = row.MoveTo(IDC_TASK_MONTH, x, y);
  row.MoveTo(IDC_TASK_YEAR_DAY, right + kButtonGap, y);

  right = every.right;
  for (const int id :
       {IDC_TASK_HOURS, IDC_TASK_HOURS_LABEL, IDC_TASK_MINUTES, IDC_TASK_MINUTES_LABEL})
    right = row.MoveTo(id, right + kRowGap, y);

  const RECT action = row.Bounds(IDC_TASK_ACTION);
  const int buttonWidth = Width(row.Bounds(IDC_TASK_BROWSE));
  if (IsReminder()) {
    const RECT entry = row.Bounds(IDC_TASK_ENTRY);
    row.Resize(IDC_TASK_ENTRY, Width(entry) + 3 * buttonWidth, entry.bottom - entry.top);
  }
  right = row.MoveTo(IDC_TASK_ENTRY, action.left, action.top);
  right = row.MoveTo(IDC_TASK_BROWSE, right + kButtonGap, action.top);
  row.MoveTo(IDC_TASK_TRY_OPEN, right + kButtonGap, action.top);
}

void CAddTaskDlg::Show(int id, bool shown) const {
  ::ShowWindow(Item(id), shown ? SW_SHOWNA : SW_HIDE);
}

void CAddTaskDlg::ApplyModeView(int mode) {
  for (const int id : kModeControls)
    Show(id, false);
  Show(IDC_TASK_TIME, true);

  if (IsOpen() || IsReminder()) {
    Show(IDC_TASK_ACTION, false);
    Show(IDC_TASK_ENTRY, true);
    for (const int id : kWarningRow)
      Show(id, false);
  } else {
    Show(IDC_TASK_ACTION, true);
  }
  if (IsOpen()) {
    for (const int id : {IDC_TASK_BROWSE, IDC_TASK_TRY_OPEN, IDC_TASK_IS_URL})
      Show(id, true);
    if (::IsDlgButtonChecked(hwnd(), IDC_TASK_IS_URL) != BST_CHECKED)
      ::SendMessageW(Item(IDC_TASK_ENTRY), EM_SETREADONLY, TRUE, 0);
    ::SetWindowTextW(hwnd(), L"定时打开任务");
    SetText(Item(IDC_TASK_ACTION_CAPTION), u"选择程序");
  } else if (IsReminder()) {
    ::SetWindowTextW(hwnd(), L"闹钟提醒任务");
    SetText(Item(IDC_TASK_ACTION_CAPTION), u"提醒内容");
  }

  if (mode < kFixed || mode > kCountdown)
    return;
  ::CheckRadioButton(hwnd(), IDC_TASK_MODE_FIXED, IDC_TASK_MODE_COUNTDOWN,
                     IDC_TASK_MODE_FIXED + mode - kFixed);
  switch (mode) {
    case kFixed:
      Show(IDC_TASK_DATE, true);
      break;
    case kEveryNDays:
      for (const int id : {IDC_TASK_EVERY, IDC_TASK_EVERY_DAYS, IDC_TASK_DAYS_LABEL})
        Show(id, true);
      break;
    case kWeekly:
      for (const int id : kWeekdayBoxes)
        Show(id, true);
      break;
    case kMonthly:
      Show(IDC_TASK_MONTH_DAY, true);
      break;
    case kYearly:
      Show(IDC_TASK_MONTH, true);
      Show(IDC_TASK_YEAR_DAY, true);
      break;
    default: {
      Show(IDC_TASK_EVERY, mode == kInterval);
      for (const int id : {IDC_TASK_HOURS, IDC_TASK_HOURS_LABEL, IDC_TASK_MINUTES})
        Show(id, true);
      Show(IDC_TASK_TIME, false);
      const char16_t* label = mode == kInterval ? u"分钟执行一次"
                              : mode == kIdle   ? u"分钟 无人操作执行"
                                                : u"分钟后 执行";
      SetText(Item(IDC_TASK_MINUTES_LABEL), label);
      Show(IDC_TASK_MINUTES_LABEL, true);
      break;
    }
  }
}

void CAddTaskDlg::WriteForm(const TaskForm& form) {
  ApplyModeView(form.mode);
  Select(Item(IDC_TASK_ACTION), IsOpen() || IsReminder() ? kShutdown : form.action);
  Select(Item(IDC_TASK_WARN), form.warnSeconds);
  if (IsOpen() && form.isWebAddress) {
    ::CheckDlgButton(hwnd(), IDC_TASK_IS_URL, BST_CHECKED);
    OnWebAddressToggled();
  }
  if (IsOpen() || IsReminder())
    ::SetDlgItemTextW(hwnd(), IDC_TASK_ENTRY, ToWide(form.text).c_str());

  SetPickerTime(Item(IDC_TASK_DATE), form.picked);
  SetPickerTime(Item(IDC_TASK_TIME), form.picked);
  Select(Item(IDC_TASK_EVERY_DAYS), form.everyDaysIndex);
  for (int i = 0; i < static_cast<int>(std::size(kWeekdayBoxes)); ++i) {
    ::CheckDlgButton(hwnd(), kWeekdayBoxes[i],
                     (form.weekdayMask & (1 << i)) ? BST_CHECKED : BST_UNCHECKED);
  }
  Select(Item(IDC_TASK_MONTH_DAY), form.monthDayIndex);
  Select(Item(IDC_TASK_MONTH), form.monthIndex);
  Select(Item(IDC_TASK_YEAR_DAY), form.yearDayIndex);
  Select(Item(IDC_TASK_HOURS), form.hours);
  Select(Item(IDC_TASK_MINUTES), form.minutes);
}

TaskForm CAddTaskDlg::ReadForm() const {
  TaskForm form;
  for (int id = IDC_TASK_MODE_FIXED; id <= IDC_TASK_MODE_COUNTDOWN; ++id) {
    if (::IsDlgButtonChecked(hwnd(), id) == BST_CHECKED) {
      form.mode = id - IDC_TASK_MODE_FIXED + kFixed;
      break;
    }
  }
  form.action = IsOpen() || IsReminder() ? working_.action : Selection(Item(IDC_TASK_ACTION));
  const SYSTEMTIME date = PickerTime(Item(IDC_TASK_DATE));
  const SYSTEMTIME time = PickerTime(Item(IDC_TASK_TIME));
  form.picked.year = date.wYear;
  form.picked.month = date.wMonth;
  form.picked.day = date.wDay;
  form.picked.hour = time.wHour;
  form.picked.minute = time.wMinute;
  form.picked.second = time.wSecond;
  form.everyDaysIndex = Selection(Item(IDC_TASK_EVERY_DAYS));
  for (int i = 0; i < static_cast<int>(std::size(kWeekdayBoxes)); ++i) {
    if (::IsDlgButtonChecked(hwnd(), kWeekdayBoxes[i]) == BST_CHECKED)
      form.weekdayMask |= 1 << i;
  }
  form.monthDayIndex = Selection(Item(IDC_TASK_MONTH_DAY));
  form.monthIndex = Selection(Item(IDC_TASK_MONTH));
  form.yearDayIndex = Selection(Item(IDC_TASK_YEAR_DAY));
  form.hours = Selection(Item(IDC_TASK_HOURS));
  form.minutes = Selection(Item(IDC_TASK_MINUTES));
  form.warnSeconds = Selection(Item(IDC_TASK_WARN));
  form.isWebAddress = ::IsDlgButtonChecked(hwnd(), IDC_TASK_IS_URL) == BST_CHECKED;
  form.text = EntryText();
  return form;
}

std::u16string CAddTaskDlg::EntryText() const {
  return FromWide(WindowText(Item(IDC_TASK_ENTRY)));
}

void CAddTaskDlg::OnOk() {
  const PassClock clock = PassClock::At(clock_.Now(), clock_.Zone());
  const FormOutcome outcome = FinishTask(ReadForm(), working_, clock);
  if (!outcome.accepted()) {
    ShowMessage(outcome.message);
    return;
  }
  working_ = outcome.task;
  EndDialog(IDOK);
}

void CAddTaskDlg::OnWebAddressToggled() {
  const bool isWebAddress = ::IsDlgButtonChecked(hwnd(), IDC_TASK_IS_URL) == BST_CHECKED;
  ::EnableWindow(Item(IDC_TASK_BROWSE), !isWebAddress);
  ::SendMessageW(Item(IDC_TASK_ENTRY), EM_SETREADONLY, !isWebAddress, 0);
  TaskText text;
  text.AssignUnits(working_.text);
  const std::u16string shown = EntryTextForToggle(isWebAddress, text.View());
  ::SetDlgItemTextW(hwnd(), IDC_TASK_ENTRY, ToWide(shown).c_str());
}

void CAddTaskDlg::Browse() {
  const std::u16string path =
      ChooseFileToOpen(hwnd(), L"文件或程序(*.*)\0*.*\0", L"选择文件或程序", nullptr);
  if (path.empty())
    return;
  // A path the task cannot hold is refused, not cut.
  if (path.size() > kOpenTargetMaxLength) {
    ShowMessage(kOpenTargetTooLong);
    return;
  }
  SetText(Item(IDC_TASK_ENTRY), path);
}

// The entry stays in the working copy, so a later toggle of 是网址 shows it.
void CAddTaskDlg::TryOpen() {
  const TaskText text(EntryText());
  working_.text = text.Units();
  OpenTarget(text.View(), system_);
}

void CAddTaskDlg::ShowMessage(std::u16string_view text) {
  SetText(Item(IDC_TASK_MESSAGE), text);
  ShowForAWhile(hwnd(), Item(IDC_TASK_MESSAGE), kMessageTimer, kMessageMilliseconds);
}

}  // namespace nightlatch
