// Chimebox's only window: a frame that is never shown. It gives the program
// a message loop to live in while one worker plays the announcement, and
// the worker ends the program by closing it.
#pragma once

#include "framework/message_loop_win.h"
#include "framework/window_win.h"

namespace nightlatch {

class CMainFrame : public Window, public MessageFilter, public IdleHandler {
 public:
  CMainFrame() = default;

  // Hidden until shown; false when the window could not be made or the
  // worker could not start.
  bool CreateFrame();

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;
  bool PreTranslateMessage(MSG& message) override;
  bool OnIdle() override { return false; }

 private:
  bool OnCreate(HWND hwnd);
  void OnDestroy();

  HACCEL accelerators_ = nullptr;
};

}  // namespace nightlatch
