// Starting the real Chimebox.exe from a test and looking at it from outside:
// its top-level windows, its exit code, and the chain it logs through
// NIGHTLATCH_CHIMEBOX_LOG (a file, or a pipe that holds the worker on each
// line until the test reads it).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/scoped_handle_win.h"

namespace nightlatch::testing {

struct StartOptions {
  std::wstring arguments;           // after the quoted program path
  std::optional<WORD> showCommand;  // none: no STARTF_USESHOWWINDOW
  std::wstring log;                 // value of NIGHTLATCH_CHIMEBOX_LOG, or none
};

// A started program; one still running when the object goes is ended.
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(ChildProcess&&) = default;
  ChildProcess& operator=(ChildProcess&&) = default;
  ~ChildProcess();

  bool Start(const std::wstring& program, const StartOptions& options);
  bool started() const { return process_.valid(); }
  HANDLE handle() const { return process_.get(); }
  DWORD id() const { return id_; }
  // The exit code, or none when the program still runs after `ms`.
  std::optional<DWORD> WaitForExit(DWORD ms);

 private:
  ScopedHandle process_;
  DWORD id_ = 0;
};

struct TopLevelWindow {
  HWND hwnd;
  std::wstring className;
  std::wstring title;
  bool visible;
};

// The process's top-level windows.
std::vector<TopLevelWindow> WindowsOf(DWORD processId);

// Polls the process's windows until it ends (or `ms` pass): true when any
// of them was ever visible.
bool EverShowedAWindow(ChildProcess& child, DWORD ms);

// The server end of a pipe with no buffer: each write of the program waits
// until the test reads it.
class ChainPipe {
 public:
  ChainPipe();
  const std::wstring& name() const { return name_; }
  bool WaitForWriter(DWORD ms);
  // The next line (without its line break), or none when the writer has
  // gone or nothing came in `ms`.
  std::optional<std::string> ReadLine(DWORD ms);

 private:
  std::wstring name_;
  ScopedHandle pipe_;
  ScopedHandle event_;
  std::string pending_;
};

// Lines of a UTF-8 text file, without their line breaks.
std::vector<std::string> ReadLines(const std::wstring& file);

std::string Utf8(const std::wstring& text);

}  // namespace nightlatch::testing
