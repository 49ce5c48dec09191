#include "editor/plan_dlg_win.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include <commctrl.h>

#include "controls/song_font_win.h"
#include "editor/add_task_dlg_win.h"
#include "editor/plan_rows.h"
#include "engine/system_clock.h"
#include "engine/trigger_rules.h"
#include "platform/dpi_win.h"
#include "platform/popup_menu_win.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
#include "prompts/message_box_win.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

constexpr int kImageWidth = 30;
constexpr COLORREF kTypeColor = RGB(0, 86, 146);
constexpr COLORREF kGreyText = RGB(110, 110, 110);
constexpr std::u16string_view kTitle = u"提示";

constexpr int kButtons[] = {IDC_PLAN_ADD, IDC_PLAN_ADD_OPEN, IDC_PLAN_ADD_REMINDER, IDC_PLAN_MODIFY,
                            IDC_PLAN_DELETE};

struct Column {
  const wchar_t* title;  // kept, not shown: the list has no header
  int width;
};
constexpr Column kColumns[] = {{L"类型", 160}, {L"时间", 180}, {L"周期", 130}, {L"状态", 30}};

// Word-wrapped text in `area`, its height measured first.
int MeasureText(HDC dc, std::wstring_view text, const RECT& area) {
  RECT measured = area;
  return ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured,
                     DT_WORDBREAK | DT_CALCRECT);
}

void DrawWrapped(HDC dc, std::wstring_view text, RECT area) {
  ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area, DT_WORDBREAK);
}

}  // namespace

PassClock CPlanDlg::Now() const {
  return PassClock::At(clock_.Now(), clock_.Zone(), clock_.IdleSeconds());
}

bool CPlanDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    case WM_NOTIFY:
      // Custom drawing is left to the list's own reflection.
      return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) != list_.hwnd())
        return false;
      ShowContextMenu();
      return true;
    case WM_TIMER:
      if (wParam != kRefreshTimer)
        return false;
      OnRefreshTimer();
      return true;
    case WM_SIZE:
      FitList(LOWORD(lParam));
      return false;
    case WM_DESTROY:
      OnDestroy();
      return true;
    default:
      return false;
  }
}

bool CPlanDlg::OnInitDialog() {
  HWND list = Item(IDC_PLAN_LIST);
  list_.Attach(list);
  const RECT placed = BoundsInParent(list);
  listBaseWidth_ = ::MulDiv(placed.right - placed.left, kBaseDpi, WindowDpi(list));
  for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i)
    buttons_[i].Attach(Item(kButtons[i]));

  images_ = LoadImageList(IDB_TASK_STATES, kImageWidth, RGB(255, 255, 255));
  ListView_SetImageList(list, images_.get(), LVSIL_SMALL);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  ListView_SetBkColor(list, RGB(255, 255, 255));
  ListView_SetTextBkColor(list, RGB(255, 255, 255));
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNW column{LVCF_TEXT | LVCF_WIDTH};
    column.pszText = const_cast<wchar_t*>(kColumns[i].title);
    column.cx = ScaleForWindow(list, kColumns[i].width);
    ListView_InsertColumn(list, i, &column);
  }

  // 12 pixels of character height: SimSun has no internal leading, so on
  // Windows this is its 12-pixel cell, and a substitute font stays legible.
  nameFont_ = CreateSongFont(hwnd(), -12, FW_BOLD);
  modeFont_ = CreateSongFont(hwnd(), -12, FW_NORMAL);
  cellFont_ = CreateSongFontOfPoints(list, 10, FW_NORMAL);
  list_.SetCellPainter([this](HDC dc, const CListViewCtrlBT::Cell& cell) { PaintCell(dc, cell); });

  program_.LoadTasks(Now());  // also sorts
  FillAllRows(/*insert=*/true);
  ::SetTimer(hwnd(), kRefreshTimer, kRefreshMilliseconds, nullptr);
  return true;
}

bool CPlanDlg::OnCommand(int id) {
  switch (id) {
    case IDC_PLAN_ADD:
      Add(0);
      return true;
    case IDC_PLAN_ADD_OPEN:
      Add(CAddTaskDlg::kOpenFlavour);
      return true;
    case IDC_PLAN_ADD_REMINDER:
      Add(CAddTaskDlg::kReminderFlavour);
      return true;
    case IDC_PLAN_MODIFY:
      Modify();
      return true;
    case IDC_PLAN_DELETE:
      Delete();
      return true;
    case IDM_PLAN_ADD_POWER:
    case IDM_PLAN_ADD_OPEN:
    case IDM_PLAN_ADD_REMINDER:
    case IDM_PLAN_MODIFY:
    case IDM_PLAN_DELETE:
    case IDM_PLAN_PAUSE:
      OnMenuCommand(id);
      return true;
    default:
      return false;
  }
}

bool CPlanDlg::OnNotify(NMHDR& header) {
  if (header.hwndFrom != list_.hwnd())
    return false;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header));
      return true;
    case NM_DBLCLK: {
      const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
      // Below the last row there is nothing to modify.
      if (activate.iItem >= 0 && activate.iItem < static_cast<int>(rows_.size()))
        ::PostMessageW(hwnd(), WM_COMMAND, IDC_PLAN_MODIFY, 0);
      return true;
    }
    default:
      return false;
  }
}

void CPlanDlg::OnGetDisplayInfo(NMLVDISPINFOW& info) const {
  LVITEMW& item = info.item;
  if (item.iItem < 0 || item.iItem >= static_cast<int>(rows_.size()))
    return;
  const TaskRow& texts = rows_[static_cast<std::size_t>(item.iItem)].texts;
  if (item.mask & LVIF_IMAGE)
    item.iImage = texts.image;
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
    const std::u16string* cells[] = {&texts.type, &texts.time, &texts.status, &texts.state};
    const std::u16string& text =
        item.iSubItem >= 0 && item.iSubItem < 4 ? *cells[item.iSubItem] : texts.state;
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(AsWide(text.c_str()), length, item.pszText);
    item.pszText[length] = L'\0';
  }
}

int32_t CPlanDlg::RowTaskId(int row) const {
  return row >= 0 && row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)].id
                                                          : 0;
}

void CPlanDlg::OnMenuCommand(int id) {
  const std::pair<int, int> forwarded[] = {{IDM_PLAN_ADD_POWER, IDC_PLAN_ADD},
                                           {IDM_PLAN_ADD_OPEN, IDC_PLAN_ADD_OPEN},
                                           {IDM_PLAN_ADD_REMINDER, IDC_PLAN_ADD_REMINDER},
                                           {IDM_PLAN_MODIFY, IDC_PLAN_MODIFY},
                                           {IDM_PLAN_DELETE, IDC_PLAN_DELETE}};
  for (const auto& [item, command] : forwarded) {
    if (item == id) {
      ::PostMessageW(hwnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
      return;
    }
  }
  if (id == IDM_PLAN_PAUSE)
    PauseOrResume();
}

void CPlanDlg::ShowContextMenu() {
  ScopedMenu menu(::LoadMenuW(ModuleInstance(), MAKEINTRESOURCEW(IDR_PLAN_MENU)));
  HMENU popup = ::GetSubMenu(menu.get(), 0);
  if (!popup)
    return;
  const std::wstring pause = ToWide(PauseItemText(SelectedTask()));
  ::ModifyMenuW(popup, IDM_PLAN_PAUSE, MF_BYCOMMAND | MF_STRING, IDM_PLAN_PAUSE, pause.c_str());
  // Acted on after the menu has closed, not as a message of the menu.
  const int chosen = ShowPopupAtCursor(popup, hwnd(), TPM_RETURNCMD | TPM_RIGHTBUTTON);
  if (chosen != 0)
    OnMenuCommand(chosen);
}

int CPlanDlg::SelectionMark() const {
  return ListView_GetSelectionMark(list_.hwnd());
}

CTask* CPlanDlg::SelectedTask() {
  const int32_t id = RowTaskId(SelectionMark());
  return id > 0 ? program_.tasks().Find(id) : nullptr;
}

void CPlanDlg::Add(int flavour) {
  CAddTaskDlg editor(flavour, clock_, system_);
  if (editor.Run() != IDOK)
    return;
  const int row = static_cast<int>(rows_.size());
  const CTask& added = program_.tasks().Add(CTask(editor.task()));
  FillRow(row, added, /*insert=*/true, Now());
  SelectRow(row, /*scroll=*/true);
}

void CPlanDlg::Modify() {
  const int row = SelectionMark();
  if (row < 0) {
    ShowMessageBox(u"请选择要修改的行", kTitle);
    return;
  }
  const CTask* task = SelectedTask();
  if (!task)
    return;
  const int32_t id = task->id;
  CAddTaskDlg editor(*task, clock_, system_);
  if (editor.Run() != IDOK || !program_.tasks().Replace(id, editor.task()))
    return;
  // Found again: the timers kept running while the editor was open.
  const auto shown = std::find_if(rows_.begin(), rows_.end(),
                                  [id](const ShownRow& candidate) { return candidate.id == id; });
  if (shown == rows_.end())
    return;
  const int shownRow = static_cast<int>(shown - rows_.begin());
  FillRow(shownRow, *program_.tasks().Find(id), /*insert=*/false, Now());
  SelectRow(shownRow, /*scroll=*/true);
}

void CPlanDlg::Delete() {
  const int row = SelectionMark();
  if (row < 0) {
    ShowMessageBox(u"请选择要删除的行", kTitle);
    return;
  }
  const CTask* task = SelectedTask();
  if (task && program_.tasks().Remove(task->id)) {
    rows_.erase(rows_.begin() + row);
    ListView_DeleteItem(list_.hwnd(), row);
  }
}

void CPlanDlg::PauseOrResume() {
  const int row = SelectionMark();
  if (row < 0) {
    ShowMessageBox(u"请选择要停止/恢复的行", kTitle);
    return;
  }
  CTask* task = SelectedTask();
  if (!task)
    return;
  const PassClock clock = Now();
  if (ResumeRefused(*task, clock.now)) {
    ShowMessageBox(u"不能立即开启,该任务时间小于当前时间,请选择双击修改!", kTitle);
    return;
  }
  program_.tasks().ToggleState(task->id);
  FillRow(row, *task, /*insert=*/false, clock);
  SelectRow(row, /*scroll=*/true);
}

void CPlanDlg::FillRow(int row, const CTask& task, bool insert, const PassClock& clock) {
  HWND list = list_.hwnd();
  ShownRow shown{task.id, MakeTaskRow(task, clock)};
  if (insert) {
    rows_.insert(rows_.begin() + row, std::move(shown));
    ListView_SetItemCountEx(list, static_cast<int>(rows_.size()), LVSICF_NOSCROLL);
    return;
  }
  rows_[static_cast<std::size_t>(row)] = std::move(shown);
  ListView_SetItemState(list, row, 0, LVIS_SELECTED);
  ListView_RedrawItems(list, row, row);
}

void CPlanDlg::FillAllRows(bool insert) {
  const PassClock clock = Now();
  if (insert)
    rows_.clear();
  rows_.resize(program_.tasks().tasks().size());
  std::size_t row = 0;
  for (const CTask& task : program_.tasks().tasks())
    rows_[row++] = ShownRow{task.id, MakeTaskRow(task, clock)};
  HWND list = list_.hwnd();
  if (insert)
    ListView_SetItemCountEx(list, static_cast<int>(rows_.size()), 0);
  else
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ::InvalidateRect(list, nullptr, FALSE);
}

void CPlanDlg::SelectRow(int row, bool scroll) {
  HWND list = list_.hwnd();
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetSelectionMark(list, row);
  if (scroll)
    ListView_EnsureVisible(list, row, FALSE);
}

// The main dialog's page area is narrower than the page's template: the list
// keeps its left margin on the right too, so its scroll bar stays in sight,
// and the time column gives up what the four columns would overhang.
void CPlanDlg::FitList(int pageWidth) {
  HWND list = list_.hwnd();
  const RECT bounds = BoundsInParent(list);
  const int width =
      std::min<int>(ScaleForWindow(list, listBaseWidth_), pageWidth - 2 * bounds.left);
  if (width <= 0)
    return;
  ::SetWindowPos(list, nullptr, 0, 0, width, bounds.bottom - bounds.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  ::GetClientRect(list, &client);
  // Room for the vertical scroll bar whether or not it shows now.
  const bool scrollBarShown = (::GetWindowLongPtrW(list, GWL_STYLE) & WS_VSCROLL) != 0;
  const int room = client.right - (scrollBarShown ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
  int total = 0;
  for (const Column& column : kColumns)
    total += ScaleForWindow(list, column.width);
  constexpr int kTimeColumn = 1;
  const int overhang = std::max(0, total - room);
  const int timeWidth = ScaleForWindow(list, kColumns[kTimeColumn].width);
  ListView_SetColumnWidth(list, kTimeColumn, std::max(timeWidth - overhang, timeWidth / 2));
}

// The cells' fonts and the columns at the new DPI, fitted to the page.
void CPlanDlg::OnDpiChanged(int) {
  HWND list = list_.hwnd();
  nameFont_ = CreateSongFont(hwnd(), -12, FW_BOLD);
  modeFont_ = CreateSongFont(hwnd(), -12, FW_NORMAL);
  cellFont_ = CreateSongFontOfPoints(list, 10, FW_NORMAL);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
    ListView_SetColumnWidth(list, i, ScaleForWindow(list, kColumns[i].width));
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  FitList(client.right);
  ::InvalidateRect(list, nullptr, TRUE);
}

void CPlanDlg::OnRefreshTimer() {
  HWND list = list_.hwnd();
  if (::IsWindowVisible(list)) {
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    const int mark = SelectionMark();
    FillAllRows(/*insert=*/false);
    if (mark >= 0)
      SelectRow(mark, /*scroll=*/false);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, FALSE);
  }
  program_.SaveTasks();  // a failed save keeps the list dirty; the next tick tries again
}

void CPlanDlg::Rebuild() {
  HWND list = list_.hwnd();
  ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  program_.tasks().Sort();
  ListView_DeleteAllItems(list);
  FillAllRows(/*insert=*/true);
  ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(list, nullptr, FALSE);
}

void CPlanDlg::OnDestroy() {
  ::KillTimer(hwnd(), kRefreshTimer);
  program_.SaveTasks();
  rows_.clear();
}

// Column 0: the row's image, then the action's name in bold over the mode;
// the other columns one text, centred in the row's height, grey for a
// stopped task.
void CPlanDlg::PaintCell(HDC dc, const CListViewCtrlBT::Cell& cell) {
  if (cell.row < 0 || cell.row >= static_cast<int>(rows_.size()))
    return;
  const TaskRow& texts = rows_[static_cast<std::size_t>(cell.row)].texts;
  ::SetBkMode(dc, TRANSPARENT);

  if (cell.column == 0) {
    HWND list = list_.hwnd();
    ::ImageList_Draw(images_.get(), texts.image, dc, cell.area.left + ScaleForWindow(list, 5),
                     cell.area.top, ILD_TRANSPARENT);
    RECT words = cell.area;
    words.left += kImageWidth + ScaleForWindow(list, 10);
    const int height = MeasureText(dc, ToWide(texts.type), words);
    const auto [name, mode] = SplitTypeText(texts.type);
    ::SetTextColor(dc, kTypeColor);
    words.top = cell.area.top + static_cast<int>(height / 2.5);
    {
      ScopedSelect font(dc, nameFont_.get());
      DrawWrapped(dc, ToWide(name), words);
    }
    words.top += height / 2;
    ScopedSelect font(dc, modeFont_.get());
    DrawWrapped(dc, ToWide(mode), words);
    return;
  }

  const std::u16string* cells[] = {&texts.time, &texts.status, &texts.state};
  const std::wstring text = ToWide(*cells[std::clamp(cell.column, 1, 3) - 1]);
  ScopedSelect font(dc, cellFont_.get());
  ::SetTextColor(dc, texts.greyed() ? kGreyText : RGB(0, 0, 0));
  RECT area = cell.area;
  const int height = MeasureText(dc, text, area);
  area.top += (cell.area.bottom - cell.area.top - height) / 2;
  DrawWrapped(dc, text, area);
}

}  // namespace nightlatch
