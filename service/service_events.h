// The service log (the system's event log) and the system's texts for error
// codes: what every part of the service mode reports through.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nightlatch {

enum class EventType : uint16_t {
  kError = 1,        // EVENTLOG_ERROR_TYPE
  kInformation = 4,  // EVENTLOG_INFORMATION_TYPE
};

class ServiceEvents {
 public:
  // One report under the event source "NightlatchSrv"; `eventId` is the
  // error code the report is about (0 when none). Nothing happens when the
  // source cannot be registered.
  virtual void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text) = 0;
  // "<prefix> <the system's message for code>".
  virtual std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix) = 0;

 protected:
  ~ServiceEvents() = default;
};

}  // namespace nightlatch
