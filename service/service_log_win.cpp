#include "service/service_log_win.h"

#include <windows.h>

#include "platform/service_handles_win.h"
#include "platform/wide_string_win.h"
#include "service/service_texts.h"

namespace nightlatch {

static_assert(static_cast<WORD>(EventType::kError) == EVENTLOG_ERROR_TYPE);
static_assert(static_cast<WORD>(EventType::kInformation) == EVENTLOG_INFORMATION_TYPE);

void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text) {
  const std::wstring source = ToWide(kServiceName);
  ScopedEventSource log(::RegisterEventSourceW(nullptr, source.c_str()));
  if (!log)
    return;
  const std::wstring message = ToWide(text);
  const wchar_t* strings[] = {message.c_str()};
  ::ReportEventW(log.get(), static_cast<WORD>(type), 0, eventId, nullptr, 1, 0, strings, nullptr);
}

std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&buffer),
      0, nullptr);
  ScopedLocalMemory owned(buffer);
  const std::wstring_view message = length && buffer ? std::wstring_view(buffer, length) : L"";
  return ComposeSystemError(prefix, FromWide(message));
}

}  // namespace nightlatch
