#include "chimebox_run_win.h"

#include <iterator>

namespace nightlatch::testing {
namespace {

constexpr wchar_t kLogVariable[] = L"NIGHTLATCH_CHIMEBOX_LOG";

unsigned NextSerial() {
  static unsigned serial = 0;
  return ++serial;
}

}  // namespace

ChildProcess::~ChildProcess() {
  if (process_.valid() && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(process_.get(), 99);
    ::WaitForSingleObject(process_.get(), 5000);
  }
}

bool ChildProcess::Start(const std::wstring& program, const StartOptions& options) {
  // The child takes the environment as it is at its creation.
  ::SetEnvironmentVariableW(kLogVariable, options.log.empty() ? nullptr : options.log.c_str());
  std::wstring commandLine = L"\"" + program + L"\"" + options.arguments;
  STARTUPINFOW startup{sizeof startup};
  if (options.showCommand) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *options.showCommand;
  }
  PROCESS_INFORMATION info{};
  const BOOL created = ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &startup, &info);
  ::SetEnvironmentVariableW(kLogVariable, nullptr);
  if (!created)
    return false;
  ::CloseHandle(info.hThread);
  process_.Reset(info.hProcess);
  id_ = info.dwProcessId;
  return true;
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD ms) {
  if (::WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  return code;
}

std::vector<TopLevelWindow> WindowsOf(DWORD processId) {
  struct Search {
    DWORD processId;
    std::vector<TopLevelWindow> found;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM context) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner != search.processId)
          return TRUE;
        wchar_t className[128] = {};
        wchar_t title[128] = {};
        ::GetClassNameW(hwnd, className, std::size(className));
        ::GetWindowTextW(hwnd, title, std::size(title));
        search.found.push_back({hwnd, className, title, ::IsWindowVisible(hwnd) != FALSE});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool EverShowedAWindow(ChildProcess& child, DWORD ms) {
  const DWORD start = ::GetTickCount();
  do {
    for (const TopLevelWindow& window : WindowsOf(child.id())) {
      if (window.visible)
        return true;
    }
  } while (::WaitForSingleObject(child.handle(), 1) == WAIT_TIMEOUT &&
           ::GetTickCount() - start < ms);
  return false;
}

ChainPipe::ChainPipe()
    : name_(L"\\\\.\\pipe\\chimebox-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(NextSerial())),
      event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  pipe_.Reset(::CreateNamedPipeW(name_.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                                 PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 0, 0, 0,
                                 nullptr));
}

bool ChainPipe::WaitForWriter(DWORD ms) {
  OVERLAPPED overlapped{};
  overlapped.hEvent = event_.get();
  ::ResetEvent(event_.get());
  if (::ConnectNamedPipe(pipe_.get(), &overlapped))
    return true;
  switch (::GetLastError()) {
    case ERROR_PIPE_CONNECTED:
      return true;
    case ERROR_IO_PENDING:
      if (::WaitForSingleObject(event_.get(), ms) == WAIT_OBJECT_0)
        return true;
      ::CancelIo(pipe_.get());
      ::WaitForSingleObject(event_.get(), INFINITE);
      return false;
    default:
      return false;
  }
}

std::optional<std::string> ChainPipe::ReadLine(DWORD ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (const std::size_t end = pending_.find('\n'); end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= ms)
      return std::nullopt;
    char buffer[512];
    DWORD read = 0;
    OVERLAPPED overlapped{};
    overlapped.hEvent = event_.get();
    ::ResetEvent(event_.get());
    if (!::ReadFile(pipe_.get(), buffer, sizeof buffer, &read, &overlapped)) {
      if (::GetLastError() != ERROR_IO_PENDING)
        return std::nullopt;  // the writer has gone
      if (::WaitForSingleObject(event_.get(), ms - elapsed) != WAIT_OBJECT_0) {
        ::CancelIo(pipe_.get());
        ::GetOverlappedResult(pipe_.get(), &overlapped, &read, TRUE);
        pending_.append(buffer, read);
        return std::nullopt;
      }
      if (!::GetOverlappedResult(pipe_.get(), &overlapped, &read, FALSE))
        return std::nullopt;
    }
    pending_.append(buffer, read);
  }
}

std::vector<std::string> ReadLines(const std::wstring& file) {
  std::vector<std::string> lines;
  ScopedHandle handle(::CreateFileW(file.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  if (!handle.valid())
    return lines;
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(handle.get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
    text.append(buffer, read);
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

std::string Utf8(const std::wstring& text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
  return out;
}

}  // namespace nightlatch::testing
