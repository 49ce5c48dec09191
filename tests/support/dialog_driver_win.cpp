#include "support/dialog_driver_win.h"

#include <gtest/gtest.h>

namespace nightlatch::testing {
namespace {

thread_local OnNextDialog* armed = nullptr;

constexpr UINT kTickMilliseconds = 20;
// How long a dialog may stay open after the action: 5 s.
constexpr int kTicksBeforeAbandon = 5000 / kTickMilliseconds;

bool IsDialogBox(HWND hwnd, const CBT_CREATEWNDW& creation) {
  wchar_t className[16] = {};
  ::GetClassNameW(hwnd, className, 16);
  return ::lstrcmpW(className, L"#32770") == 0 && (creation.lpcs->style & WS_CHILD) == 0;
}

}  // namespace

OnNextDialog::OnNextDialog(std::function<void(HWND)> action)
    : action_(std::move(action)), previous_(armed) {
  armed = this;
  hook_ = ::SetWindowsHookExW(WH_CBT, CbtHook, nullptr, ::GetCurrentThreadId());
  EXPECT_NE(hook_, nullptr) << "the dialog hook could not be set";
}

OnNextDialog::~OnNextDialog() {
  if (hook_)
    ::UnhookWindowsHookEx(hook_);
  if (timer_)
    ::KillTimer(nullptr, timer_);
  armed = previous_;
}

LRESULT CALLBACK OnNextDialog::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  OnNextDialog* driver = armed;
  // The window is only being made here: wait until its loop runs.
  if (code == HCBT_CREATEWND && driver && !driver->candidate_) {
    const auto hwnd = reinterpret_cast<HWND>(wParam);
    if (IsDialogBox(hwnd, *reinterpret_cast<const CBT_CREATEWNDW*>(lParam))) {
      driver->candidate_ = hwnd;
      driver->timer_ = ::SetTimer(nullptr, 0, kTickMilliseconds, Tick);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK OnNextDialog::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  for (OnNextDialog* driver = armed; driver; driver = driver->previous_) {
    if (driver->timer_ == timer) {
      driver->OnTick();
      return;
    }
  }
  ::KillTimer(nullptr, timer);
}

void OnNextDialog::OnTick() {
  if (!ran_) {
    if (!::IsWindow(candidate_) || !::IsWindowVisible(candidate_))
      return;
    ran_ = true;
    dialog_ = candidate_;
    action_(dialog_);
    return;
  }
  if (!::IsWindow(dialog_)) {
    ::KillTimer(nullptr, timer_);
    timer_ = 0;
    return;
  }
  if (++ticksSinceAction_ >= kTicksBeforeAbandon) {
    ADD_FAILURE() << "the dialog was still open 5 s after the test's action; ended it";
    ::EndDialog(dialog_, kAbandonedDialog);
    ::KillTimer(nullptr, timer_);
    timer_ = 0;
  }
}

void ClickButton(HWND dialog, int id) {
  ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, UINT virtualKey) {
  HWND focus = ::GetFocus();
  HWND target = focus && (focus == dialog || ::IsChild(dialog, focus)) ? focus : dialog;
  ::PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
  ::PostMessageW(target, WM_KEYUP, virtualKey, 0xC0000001);
}

void PumpMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

void PumpMessagesFor(DWORD milliseconds) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  for (ULONGLONG now = ::GetTickCount64(); now < end; now = ::GetTickCount64()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    PumpMessages();
  }
}

}  // namespace nightlatch::testing
