// The service log and the system's error texts, for real.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "service/service_events.h"

namespace nightlatch {

// Registers the source "NightlatchSrv" on the local computer for this one
// report and deregisters it again; does nothing when it cannot register.
void ReportServiceEvent(EventType type, uint32_t eventId, std::u16string_view text);

// "<prefix> <message>" with the system's message for the code (language
// neutral). A code without a message gives "<prefix> ". Returned by value:
// the dispatcher's and the service's threads both call it.
std::u16string FormatSystemError(uint32_t code, std::u16string_view prefix);
}  // namespace nightlatch
