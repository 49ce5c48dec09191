// The task list page driven with real messages: rows from the task file,
// adding and modifying through the editor, deleting, pausing and resuming
// through the buttons and the context menu, the 7-second refresh with a
// chosen clock, Rebuild, and what the cells look like on screen.
#include "editor/plan_dlg_win.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/task_file.h"
#include "engine/task_texts.h"
#include "engine/trigger_rules.h"
#include "platform/wide_string_win.h"
#include "platform/window_geometry_win.h"
#include "shell/program_win.h"
#include "support/control_host_win.h"
#include "support/dialog_driver_win.h"
#include "support/fake_clock.h"
#include "support/pixels_win.h"
#include "support/printable_text.h"
#include "support/recording_system_calls.h"
#include "support/task_records.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

using testing::ClickButton;
using testing::ControlHost;
using testing::FakeClock;
using testing::MakeRecord;
using testing::OnNextDialog;
using testing::PixelCanvas;
using testing::PumpMessages;
using testing::RecordingSystemCalls;
using testing::Rgb;
using testing::TempFolder;
using testing::Text;

constexpr int kHour = 3600;

struct Row {
  std::u16string type;
  std::u16string time;
  std::u16string status;
  std::u16string state;
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << "{" << testing::ToUtf8(row.type) << " | " << testing::ToUtf8(row.time) << " | "
      << testing::ToUtf8(row.status) << " | " << testing::ToUtf8(row.state) << "}";
}

bool operator==(const Row& a, const Row& b) {
  return a.type == b.type && a.time == b.time && a.status == b.status && a.state == b.state;
}

struct Message {
  std::u16string title;
  std::u16string text;
};

std::u16string DialogText(HWND dialog, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(dialog, id, text, static_cast<int>(std::size(text)));
  return FromWide(text);
}

class PlanDlgTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Open(620, 400)); }

  void TearDown() override {
    page_.reset();
    PumpMessages();
  }

  std::filesystem::path TaskFile() const { return folder_ / "helper.dat"; }

  void WriteTaskFile(std::initializer_list<TaskFileRecord> records) {
    const std::vector<uint8_t> bytes = testing::FileBytes(records);
    std::ofstream(TaskFile(), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }

  std::vector<TaskFileRecord> ReadTaskFile() const {
    std::ifstream in(TaskFile(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::vector<TaskFileRecord> records;
    for (std::size_t at = 0; at + kTaskFileRecordSize <= bytes.size(); at += kTaskFileRecordSize)
      records.push_back(DecodeRecord(std::span(bytes).subspan(at).first<kTaskFileRecordSize>()));
    return records;
  }

  void Open() {
    page_ = std::make_unique<CPlanDlg>(program_, clock_, calls_);
    ASSERT_TRUE(page_->CreateModeless(host_.hwnd()));
    ::ShowWindow(page_->hwnd(), SW_SHOW);
    list_ = page_->list();
    ASSERT_TRUE(list_);
  }

  int32_t Now() const { return static_cast<int32_t>(clock_.now); }

  int Rows() const { return ListView_GetItemCount(list_); }

  std::u16string Cell(int row, int column) const {
    wchar_t text[256] = {};
    ListView_GetItemText(list_, row, column, text, static_cast<int>(std::size(text)));
    return FromWide(text);
  }

  Row RowAt(int row) const { return Row{Cell(row, 0), Cell(row, 1), Cell(row, 2), Cell(row, 3)}; }

  LVITEMW Item(int row) const {
    LVITEMW item{LVIF_IMAGE | LVIF_STATE};
    item.iItem = row;
    item.stateMask = LVIS_SELECTED;
    ListView_GetItem(list_, &item);
    return item;
  }

  int32_t RowId(int row) const { return page_->RowTaskId(row); }
  int RowImage(int row) const { return Item(row).iImage; }
  bool RowSelected(int row) const { return (Item(row).state & LVIS_SELECTED) != 0; }

  POINT RowPoint(int row) const {
    RECT area{};
    ListView_GetItemRect(list_, row, &area, LVIR_BOUNDS);
    return {area.left + 200, (area.top + area.bottom) / 2};
  }

  // As the user clicks a row: it becomes the selection mark.
  void ClickRow(int row) {
    const POINT at = RowPoint(row);
    ::SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(list_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ASSERT_EQ(ListView_GetSelectionMark(list_), row);
  }

  void DoubleClickAt(POINT at) {
    ::SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(list_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    ::SendMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(list_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }

  // Commands from buttons and menu items; posted follow-ups run too.
  void Command(int id) {
    ::SendMessageW(page_->hwnd(), WM_COMMAND, static_cast<WPARAM>(id), 0);
    PumpMessages();
  }

  void Refresh() { ::SendMessageW(page_->hwnd(), WM_TIMER, CPlanDlg::kRefreshTimer, 0); }

  // The message box `trigger` shows, closed with 确定; empty when none came.
  Message MessageFrom(const std::function<void()>& trigger) {
    Message shown;
    OnNextDialog driver([&](HWND box) {
      shown = Message{DialogText(box, IDC_MESSAGE_TITLE), DialogText(box, IDC_MESSAGE_TEXT)};
      ClickButton(box, IDOK);
    });
    trigger();
    return shown;
  }

  // Runs `trigger`, which should open the editor; `fill` then drives it.
  bool ThroughEditor(const std::function<void()>& trigger, std::function<void(HWND)> fill) {
    OnNextDialog driver(std::move(fill));
    trigger();
    return driver.ran();
  }

  FakeClock clock_;
  RecordingSystemCalls calls_;
  TempFolder folder_{u"plan dlg"};
  Program program_{folder_.u16()};
  ControlHost host_;
  std::unique_ptr<CPlanDlg> page_;
  HWND list_ = nullptr;
};

void ChooseCountdown(HWND editor, int hours, int minutes) {
  ClickButton(editor, IDC_TASK_MODE_COUNTDOWN);
  ::SendDlgItemMessageW(editor, IDC_TASK_HOURS, CB_SETCURSEL, hours, 0);
  ::SendDlgItemMessageW(editor, IDC_TASK_MINUTES, CB_SETCURSEL, minutes, 0);
}

TEST_F(PlanDlgTest, LoadsTheFileSortedOneRowPerTask) {
  WriteTaskFile({MakeRecord(kFixed, kShutdown, Now() - kHour, 0, kStopped),
                 MakeRecord(kInterval, kLock, Now() + 2 * kHour, 90),
                 MakeRecord(kWeekly, kRestart, Now() + 30 * 60, 1 | 4 | 64)});
  Open();
  ASSERT_EQ(Rows(), 3);
  // 2026-11-29 08:53:20 in the clock's zone; the interval counts afresh from
  // the load.
  EXPECT_EQ(RowAt(0), (Row{u"重启\n每周-1,3,7", u"今天 \n09:23:20", u"30分钟", u"正常"}));
  EXPECT_EQ(RowAt(1), (Row{u"锁屏\n间隔-1小时30分钟", u"今天 \n10:23:20", u"1小时30分", u"正常"}));
  EXPECT_EQ(RowAt(2), (Row{u"关机\n自定时", u"今天 \n07:53:20", u"已停止", u"停止"}));
  EXPECT_EQ(RowId(0), 3);
  EXPECT_EQ(RowId(1), 2);
  EXPECT_EQ(RowId(2), 1);
  EXPECT_EQ(RowImage(0), 1);
  EXPECT_EQ(RowImage(2), 0);
  EXPECT_EQ(ListView_GetSelectionMark(list_), -1);
}

TEST_F(PlanDlgTest, ImageListGivesFiftyPixelRows) {
  Open();
  HIMAGELIST images = ListView_GetImageList(list_, LVSIL_SMALL);
  ASSERT_TRUE(images);
  EXPECT_EQ(::ImageList_GetImageCount(images), 4);
  int width = 0;
  int height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 30);
  EXPECT_EQ(height, 50);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(list_) & LVS_EX_FULLROWSELECT);
  for (const auto& [column, expected] : {std::pair{0, 160}, {1, 180}, {2, 130}, {3, 30}})
    EXPECT_EQ(ListView_GetColumnWidth(list_, column), expected) << "column " << column;
}

TEST_F(PlanDlgTest, AddAppendsTheEditorsTaskUnsortedAndSavesAtTheRefresh) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + 2 * kHour, 120)});
  Open();
  const bool shown = ThroughEditor([&] { Command(IDC_PLAN_ADD); },
                                   [](HWND editor) {
                                     ChooseCountdown(editor, 0, 30);
                                     ClickButton(editor, IDOK);
                                   });
  ASSERT_TRUE(shown);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(RowAt(1), (Row{u"关机\n倒计时-0小时30分钟", u"今天 \n09:23:20", u"30分钟", u"正常"}))
      << "last, though it runs first";
  EXPECT_EQ(RowId(1), 2);
  EXPECT_TRUE(RowSelected(1));
  EXPECT_EQ(ListView_GetSelectionMark(list_), 1);
  EXPECT_TRUE(program_.tasks().dirty());
  EXPECT_FALSE(std::filesystem::exists(TaskFile()) && std::filesystem::file_size(TaskFile()) > 520)
      << "written at the refresh, not at once";

  Refresh();
  const std::vector<TaskFileRecord> saved = ReadTaskFile();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(saved[1].mode, kCountdown);
  EXPECT_EQ(saved[1].param, 30);
  EXPECT_EQ(saved[1].nextRun, Now() + 30 * 60);
  EXPECT_FALSE(program_.tasks().dirty());
}

TEST_F(PlanDlgTest, EachAddCommandOpensItsFlavour) {
  Open();
  const struct {
    int command;
    int32_t action;
    const char16_t* entry;
  } cases[] = {
      {IDC_PLAN_ADD_OPEN, kOpen, u"C:\\windows\\notepad.exe"},
      {IDC_PLAN_ADD_REMINDER, kReminder, u"喝水"},
      {IDM_PLAN_ADD_POWER, kShutdown, nullptr},
      {IDM_PLAN_ADD_OPEN, kOpen, u"C:\\windows\\notepad.exe"},
      {IDM_PLAN_ADD_REMINDER, kReminder, u"开会"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const int before = Rows();
    const bool shown =
        ThroughEditor([&] { Command(c.command); },
                      [&](HWND editor) {
                        ChooseCountdown(editor, 1, 0);
                        if (c.entry) {
                          ::SendDlgItemMessageW(editor, IDC_TASK_ENTRY, EM_SETREADONLY, FALSE, 0);
                          ::SetDlgItemTextW(editor, IDC_TASK_ENTRY, ToWide(c.entry).c_str());
                        }
                        ClickButton(editor, IDOK);
                      });
    ASSERT_TRUE(shown);
    ASSERT_EQ(Rows(), before + 1);
    const CTask* added = program_.tasks().Find(RowId(before));
    ASSERT_TRUE(added);
    EXPECT_EQ(added->action, c.action);
    EXPECT_EQ(Text(added->text.View()), Text(c.entry ? c.entry : u""));
  }
}

TEST_F(PlanDlgTest, CancelledEditorChangesNothing) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + 2 * kHour, 120)});
  Open();
  const Row before = RowAt(0);
  ClickRow(0);
  ASSERT_TRUE(ThroughEditor([&] { Command(IDC_PLAN_MODIFY); },
                            [](HWND editor) {
                              ChooseCountdown(editor, 5, 0);
                              ClickButton(editor, IDCANCEL);
                            }));
  ASSERT_TRUE(ThroughEditor([&] { Command(IDC_PLAN_ADD); },
                            [](HWND editor) { ClickButton(editor, IDCANCEL); }));
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(RowAt(0), before);
  EXPECT_FALSE(program_.tasks().dirty());
}

TEST_F(PlanDlgTest, CommandsThatNeedARowSaySo) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + 2 * kHour, 120)});
  Open();
  const struct {
    int command;
    const char16_t* message;
  } cases[] = {
      {IDC_PLAN_MODIFY, u"请选择要修改的行"},     {IDC_PLAN_DELETE, u"请选择要删除的行"},
      {IDM_PLAN_MODIFY, u"请选择要修改的行"},     {IDM_PLAN_DELETE, u"请选择要删除的行"},
      {IDM_PLAN_PAUSE, u"请选择要停止/恢复的行"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    const Message shown = MessageFrom([&] { Command(c.command); });
    EXPECT_EQ(Text(shown.title), Text(u"提示"));
    EXPECT_EQ(Text(shown.text), Text(c.message));
  }
  EXPECT_EQ(Rows(), 1);
  EXPECT_FALSE(program_.tasks().dirty());
}

TEST_F(PlanDlgTest, ModifyReplacesTheSelectedTaskInPlace) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + kHour, 60),
                 MakeRecord(kCountdown, kShutdown, Now() + 2 * kHour, 120, kNormal)});
  Open();
  ClickRow(1);
  const int32_t id = RowId(1);
  ASSERT_TRUE(ThroughEditor([&] { Command(IDC_PLAN_MODIFY); },
                            [](HWND editor) {
                              EXPECT_EQ(Text(DialogText(editor, IDC_TASK_TITLE)),
                                        Text(u"定时任务-修改"));
                              ChooseCountdown(editor, 0, 10);
                              ClickButton(editor, IDOK);
                            }));
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(RowId(1), id);
  EXPECT_EQ(RowAt(1), (Row{u"关机\n倒计时-0小时10分钟", u"今天 \n09:03:20", u"10分钟", u"正常"}))
      << "stays in its place, not sorted";
  EXPECT_TRUE(RowSelected(1));
  EXPECT_EQ(program_.tasks().Find(id)->param, 10);
  EXPECT_TRUE(program_.tasks().dirty());
}

TEST_F(PlanDlgTest, DoubleClickModifiesARowButNotTheEmptySpace) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + kHour, 60)});
  Open();
  {
    OnNextDialog unexpected([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    RECT client{};
    ::GetClientRect(list_, &client);
    DoubleClickAt({client.right / 2, client.bottom - 5});
    PumpMessages();
    EXPECT_FALSE(unexpected.ran()) << "below the last row";
  }
  bool opened = false;
  ThroughEditor(
      [&] {
        DoubleClickAt(RowPoint(0));
        PumpMessages();
      },
      [&](HWND editor) {
        opened = true;
        EXPECT_TRUE(::IsDlgButtonChecked(editor, IDC_TASK_MODE_COUNTDOWN));
        ClickButton(editor, IDCANCEL);
      });
  EXPECT_TRUE(opened);
}

TEST_F(PlanDlgTest, DeleteAsksNothingAndTheFileFollowsAtTheRefresh) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + kHour, 60),
                 MakeRecord(kCountdown, kShutdown, Now() + 2 * kHour, 120)});
  Open();
  ClickRow(0);
  {
    OnNextDialog unexpected([](HWND dialog) { ClickButton(dialog, IDCANCEL); });
    Command(IDC_PLAN_DELETE);
    EXPECT_FALSE(unexpected.ran()) << "no question";
  }
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(RowId(0), 2);
  EXPECT_EQ(program_.tasks().tasks().size(), 1u);
  EXPECT_EQ(program_.tasks().Find(1), nullptr);
  Refresh();
  EXPECT_EQ(ReadTaskFile().size(), 1u);
}

TEST_F(PlanDlgTest, PauseAndResumeThroughTheMenuCommand) {
  WriteTaskFile({MakeRecord(kWeekly, kLock, Now() + kHour, 127)});
  Open();
  ClickRow(0);
  Command(IDM_PLAN_PAUSE);
  EXPECT_EQ(program_.tasks().Find(1)->state, kStopped);
  EXPECT_EQ(Cell(0, 2), u"已停止");
  EXPECT_EQ(Cell(0, 3), u"停止");
  EXPECT_EQ(RowImage(0), 0);
  EXPECT_TRUE(RowSelected(0));

  // Long stopped: a weekly task may always come back.
  clock_.now += 30 * 86400;
  Command(IDM_PLAN_PAUSE);
  EXPECT_EQ(program_.tasks().Find(1)->state, kNormal);
  EXPECT_EQ(Cell(0, 3), u"正常");
  EXPECT_EQ(RowImage(0), 1);
}

TEST_F(PlanDlgTest, APassedOneShotTaskIsNotSwitchedBackOn) {
  WriteTaskFile({MakeRecord(kFixed, kShutdown, Now() - 60, 0, kStopped),
                 MakeRecord(kCountdown, kShutdown, Now() + 600, 10, kStopped)});
  Open();
  // Sorted: stopped tasks keep their file order.
  ClickRow(0);
  const Message refused = MessageFrom([&] { Command(IDM_PLAN_PAUSE); });
  EXPECT_EQ(Text(refused.title), Text(u"提示"));
  EXPECT_EQ(Text(refused.text), Text(u"不能立即开启,该任务时间小于当前时间,请选择双击修改!"));
  EXPECT_EQ(program_.tasks().Find(RowId(0))->state, kStopped);
  EXPECT_FALSE(program_.tasks().dirty());

  ClickRow(1);
  const Message none = MessageFrom([&] { Command(IDM_PLAN_PAUSE); });
  EXPECT_TRUE(none.text.empty()) << "a countdown still ahead comes back";
  EXPECT_EQ(program_.tasks().Find(RowId(1))->state, kNormal);
}

// The menu's items as the real pop-up shows them; keys typed into it.
struct MenuPeek {
  std::vector<std::pair<UINT, std::u16string>> items;
  std::vector<UINT> keys;
  bool seen = false;
};
MenuPeek* menuPeek = nullptr;

void CALLBACK PeekAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
  if (!menuWindow || !::IsWindowVisible(menuWindow) || !menuPeek)
    return;
  ::KillTimer(nullptr, timer);
  menuPeek->seen = true;
  constexpr UINT kGetMenu = 0x01E1;  // MN_GETHMENU
  const auto menu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, kGetMenu, 0, 0));
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
    menuPeek->items.emplace_back(::GetMenuItemID(menu, i), FromWide(text));
  }
  for (const UINT key : menuPeek->keys)
    ::PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
}

TEST_F(PlanDlgTest, ContextMenuOffersSixItemsAndActsOnTheChosenOne) {
  WriteTaskFile({MakeRecord(kWeekly, kLock, Now() + kHour, 127, kStopped)});
  Open();
  ClickRow(0);
  MenuPeek peek{{}, {VK_DOWN, VK_RETURN}};
  menuPeek = &peek;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, PeekAtMenu);
  ::SendMessageW(page_->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_),
                 MAKELPARAM(300, 300));
  ::KillTimer(nullptr, timer);
  menuPeek = nullptr;
  ASSERT_TRUE(peek.seen) << "no pop-up menu appeared";
  const std::vector<std::pair<UINT, std::u16string>> expected = {
      {IDM_PLAN_PAUSE, u"恢复任务"},
      {IDM_PLAN_MODIFY, u"修改任务"},
      {IDM_PLAN_DELETE, u"删除任务"},
      {IDM_PLAN_ADD_POWER, u"添加关机任务"},
      {IDM_PLAN_ADD_REMINDER, u"添加闹钟提醒"},
      {IDM_PLAN_ADD_OPEN, u"添加打开任务"}};
  ASSERT_EQ(peek.items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(peek.items[i].first, expected[i].first) << "item " << i;
    EXPECT_EQ(Text(peek.items[i].second), Text(expected[i].second)) << "item " << i;
  }
  EXPECT_EQ(program_.tasks().Find(1)->state, kNormal) << "the first item resumed the task";
}

TEST_F(PlanDlgTest, ContextMenuWithoutASelectionStillOffersPause) {
  Open();
  MenuPeek peek{{}, {VK_DOWN, VK_RETURN}};
  menuPeek = &peek;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, PeekAtMenu);
  const Message shown = MessageFrom([&] {
    ::SendMessageW(page_->hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list_),
                   MAKELPARAM(300, 300));
  });
  ::KillTimer(nullptr, timer);
  menuPeek = nullptr;
  ASSERT_TRUE(peek.seen);
  ASSERT_EQ(peek.items.size(), 6u);
  EXPECT_EQ(Text(peek.items[0].second), Text(u"暂停任务"));
  EXPECT_EQ(Text(shown.text), Text(u"请选择要停止/恢复的行"));
}

TEST_F(PlanDlgTest, RefreshShowsTheChosenClockAndKeepsTheSelection) {
  WriteTaskFile({MakeRecord(kFixed, kShutdown, Now() + kHour), MakeRecord(kIdle, kLock, 0, 10)});
  Open();
  // The idle task, ten minutes from running, sorts first.
  EXPECT_EQ(Cell(0, 2), u"10分钟");
  EXPECT_EQ(Cell(1, 2), u"1小时00分");
  ClickRow(1);

  clock_.now += 31 * 60;
  clock_.idleSeconds = 9 * 60;
  Refresh();
  EXPECT_EQ(Cell(0, 2), u"1分钟") << "an idle task counts down with the idle time";
  EXPECT_EQ(Cell(1, 2), u"29分钟");
  EXPECT_TRUE(RowSelected(1));
  EXPECT_FALSE(RowSelected(0));

  clock_.now += kHour;
  Refresh();
  EXPECT_EQ(Cell(1, 2), u"执行") << "due but not yet stopped by the tick";
}

TEST_F(PlanDlgTest, HiddenPageOnlySaves) {
  WriteTaskFile({MakeRecord(kFixed, kShutdown, Now() + kHour)});
  Open();
  ::ShowWindow(page_->hwnd(), SW_HIDE);
  program_.tasks().MarkDirty();
  clock_.now += 30 * 60;
  Refresh();
  EXPECT_EQ(Cell(0, 2), u"1小时00分") << "the rows of a hidden page wait";
  EXPECT_FALSE(program_.tasks().dirty()) << "but the file is written";
  EXPECT_EQ(ReadTaskFile().size(), 1u);
}

TEST_F(PlanDlgTest, RebuildSortsTheAddedTaskIntoPlace) {
  WriteTaskFile({MakeRecord(kCountdown, kLock, Now() + 2 * kHour, 120)});
  Open();
  ASSERT_TRUE(ThroughEditor([&] { Command(IDC_PLAN_ADD); },
                            [](HWND editor) {
                              ChooseCountdown(editor, 0, 5);
                              ClickButton(editor, IDOK);
                            }));
  ASSERT_EQ(RowId(1), 2);
  page_->Rebuild();
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(RowId(0), 2) << "the sooner task comes first";
  EXPECT_EQ(Cell(0, 2), u"5分钟");
  EXPECT_EQ(RowId(1), 1);
  EXPECT_EQ(ListView_GetSelectedCount(list_), 0u);
}

TEST_F(PlanDlgTest, DestroyingThePageSavesTheProgramsList) {
  Open();
  CTask task;
  task.mode = kCountdown;
  task.param = 5;
  task.nextRun = Now() + 300;
  task.state = kNormal;
  program_.tasks().Add(task);
  page_->DestroyWindow();
  EXPECT_EQ(ReadTaskFile().size(), 1u);
  EXPECT_FALSE(program_.tasks().dirty());
  EXPECT_EQ(program_.tasks().tasks().size(), 1u) << "the list is the program's, not the page's";
}

// What the list shows on screen: the row's picture, the type in its colour,
// black texts for a normal task and grey ones for a stopped task.
TEST_F(PlanDlgTest, ANarrowerPageKeepsTheListAndAllFourColumnsInSight) {
  Open();
  RECT page{};
  ::GetClientRect(page_->hwnd(), &page);
  // The main dialog's page area is narrower than the page's template.
  const int placedWidth = page.right - 12;
  ::SetWindowPos(page_->hwnd(), nullptr, 0, 0, placedWidth, page.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT list = BoundsInParent(list_);
  EXPECT_EQ(list.right, placedWidth - list.left) << "the left margin on the right too";

  RECT client{};
  ::GetClientRect(list_, &client);
  const bool scrollBar = (::GetWindowLongPtrW(list_, GWL_STYLE) & WS_VSCROLL) != 0;
  const int room = client.right - (scrollBar ? 0 : ::GetSystemMetrics(SM_CXVSCROLL));
  int total = 0;
  for (int column = 0; column < 4; ++column)
    total += ListView_GetColumnWidth(list_, column);
  EXPECT_LE(total, room);
  EXPECT_EQ(ListView_GetColumnWidth(list_, 0), 160);
  EXPECT_EQ(ListView_GetColumnWidth(list_, 2), 130);
  EXPECT_EQ(ListView_GetColumnWidth(list_, 3), 30);
  EXPECT_GT(ListView_GetColumnWidth(list_, 1), 120) << "the time column only gives up the overhang";
}

TEST_F(PlanDlgTest, CellsAreDrawnWithImagesAndColours) {
  WriteTaskFile({MakeRecord(kInterval, kShutdown, Now(), 60),
                 MakeRecord(kFixed, kShutdown, Now() - kHour, 0, kStopped)});
  Open();
  ::RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  ScopedWindowDC dc(list_);
  const auto cellArea = [&](int row, int column) {
    RECT area{};
    ListView_GetSubItemRect(list_, row, column, LVIR_BOUNDS, &area);
    if (column == 0)
      area.right = area.left + ListView_GetColumnWidth(list_, 0);
    return area;
  };
  const auto count = [&](const RECT& area, COLORREF color) {
    return PixelCanvas::CountPixels(dc.get(), area, color);
  };
  constexpr COLORREF kType = RGB(0, 86, 146);
  constexpr COLORREF kGrey = RGB(110, 110, 110);
  constexpr COLORREF kBlack = RGB(0, 0, 0);
  for (int row = 0; row < 2; ++row) {
    SCOPED_TRACE(row);
    const RECT first = cellArea(row, 0);
    EXPECT_GT(count(first, kType), 10) << "the type text in " << Rgb(kType);
    // Inside the picture's disc, below its hands or bars.
    const COLORREF disc = row == 0 ? RGB(12, 128, 232) : RGB(150, 150, 150);
    EXPECT_EQ(Rgb(::GetPixel(dc.get(), first.left + 5 + 15, first.top + 35)), Rgb(disc));
    for (int column = 1; column <= 3; ++column) {
      const RECT area = cellArea(row, column);
      if (row == 0) {
        EXPECT_GT(count(area, kBlack), 5) << "column " << column;
        EXPECT_EQ(count(area, kGrey), 0) << "column " << column;
      } else {
        EXPECT_GT(count(area, kGrey), 5) << "column " << column;
        EXPECT_EQ(count(area, kBlack), 0) << "column " << column;
      }
    }
  }
}

}  // namespace
}  // namespace nightlatch
