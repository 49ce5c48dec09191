#include "chimebox/announcer_win.h"

#include <windows.h>

#include <mmsystem.h>  // needs windows.h first

#include <iterator>
#include <string>
#include <string_view>

#include "chimebox/spoken_time.h"
#include "platform/scoped_handle_win.h"
#include "platform/system_library_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {
namespace {

// Without the log variable nothing is opened and nothing is written.
class ChainLog {
 public:
  ChainLog() {
    wchar_t name[kMaxPathUnits] = {};
    const DWORD length = ::GetEnvironmentVariableW(kChainLogVariable, name, std::size(name));
    if (length == 0 || length >= std::size(name))
      return;
    file_.Reset(::CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A file grows; a pipe has no end to seek to, and that is harmless.
    if (file_.valid())
      ::SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_END);
  }

  void Write(std::u16string_view path) {
    if (!file_.valid())
      return;
    const std::wstring wide = ToWide(path);
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string line(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), line.data(), size,
                          nullptr, nullptr);
    line += '\n';
    DWORD written = 0;
    ::WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  }

 private:
  ScopedHandle file_;
};

// The running program's file name, or nothing when it does not fit: then no
// recording path would fit either.
std::u16string ModuleFile() {
  wchar_t module[kMaxPathUnits] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, module, std::size(module));
  if (length == 0 || length >= std::size(module))
    return {};
  return FromWide(std::wstring_view(module, length));
}

}  // namespace

void SpeakCurrentTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  const SpokenTimeChain chain = BuildSpokenTimeChain(now.wHour, now.wMinute);
  const std::u16string moduleFile = ModuleFile();
  // Loaded here, on the worker: the main thread reaches its message loop
  // without the sound libraries, and the starter's wait ends sooner.
  static const auto playSound = SystemFunction<decltype(::PlaySoundW)>(L"winmm.dll", "PlaySoundW");
  ChainLog log;
  for (const std::u16string_view name : chain) {
    if (name.empty())
      continue;
    const std::u16string path = RecordingPath(moduleFile, name);
    if (path.empty())
      continue;
    log.Write(path);
    // Synchronous. Without SND_NODEFAULT a missing or unreadable recording
    // plays the system's default sound in its place, and the chain goes on.
    if (playSound)
      playSound(AsWide(path.c_str()), nullptr, SND_FILENAME);
  }
}

}  // namespace nightlatch
