#include "prompts/prompt_sound_win.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include "platform/system_library_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {
namespace {

constexpr DWORD kShortPathUnits = 520;

class SystemMci final : public MciCommands {
 public:
  void Send(std::u16string_view command) override {
    static const auto sendString =
        SystemFunction<decltype(::mciSendStringW)>(L"winmm.dll", "mciSendStringW");
    if (!sendString)
      return;
    const std::wstring text = ToWide(command);
    sendString(text.c_str(), nullptr, 0, nullptr);
  }
};

}  // namespace

MciCommands& SystemMciCommands() {
  static SystemMci mci;
  return mci;
}

std::u16string ShortPathOf(std::u16string_view path) {
  const std::wstring longPath = ToWide(path);
  wchar_t shortPath[kShortPathUnits] = {};
  const DWORD length = ::GetShortPathNameW(longPath.c_str(), shortPath, kShortPathUnits);
  if (length == 0 || length >= kShortPathUnits)
    return {};
  return FromWide(std::wstring_view(shortPath, length));
}

}  // namespace nightlatch
