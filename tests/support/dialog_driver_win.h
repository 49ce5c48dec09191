// Drives a modal dialog from a test. Arm an OnNextDialog before the call
// that shows the dialog; the action then runs once, with the dialog's
// window, as soon as the next top-level dialog box made on this thread is
// on screen, from inside the dialog's own message loop:
//
//   OnNextDialog driver([](HWND dialog) {
//     ::SetDlgItemTextW(dialog, IDC_PASSWORD_EDIT, L"secret");
//     ClickButton(dialog, IDOK);
//   });
//   EXPECT_TRUE(PasswordCheck(program));
//   EXPECT_TRUE(driver.ran());
//
// The action is expected to end the dialog. One it leaves open is ended
// with kAbandonedDialog a few seconds later and reported as a failure, so a
// faulty test fails instead of hanging.
#pragma once

#include <functional>

#include <windows.h>

namespace nightlatch::testing {

inline constexpr INT_PTR kAbandonedDialog = -77;

class OnNextDialog {
 public:
  explicit OnNextDialog(std::function<void(HWND dialog)> action);
  ~OnNextDialog();
  OnNextDialog(const OnNextDialog&) = delete;
  OnNextDialog& operator=(const OnNextDialog&) = delete;

  bool ran() const { return ran_; }
  // The dialog the action got; null before it ran.
  HWND dialog() const { return dialog_; }

 private:
  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  std::function<void(HWND)> action_;
  OnNextDialog* previous_ = nullptr;
  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  HWND candidate_ = nullptr;
  HWND dialog_ = nullptr;
  bool ran_ = false;
  int ticksSinceAction_ = 0;
};

// The button pressed as the user would: BM_CLICK, so the button itself
// sends BN_CLICKED.
void ClickButton(HWND dialog, int id);
// A key pressed in the dialog, posted to its focus so that the dialog's
// loop translates it (Escape becomes IDCANCEL, Enter the default button).
void PressKey(HWND dialog, UINT virtualKey);
// Runs the messages already queued for this thread.
void PumpMessages();
// Runs this thread's messages, timers included, for `milliseconds`.
void PumpMessagesFor(DWORD milliseconds);

}  // namespace nightlatch::testing
