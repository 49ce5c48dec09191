#pragma once

#include <optional>

#include "engine/system_clock.h"

namespace nightlatch {

class Win32SystemClock final : public SystemClock {
 public:
  int64_t Now() override;
  int64_t NowMilliseconds() override;
  uint32_t UptimeMilliseconds() override;
  // (tick count - tick of the last input) as an unsigned 32-bit difference,
  // read as signed, in whole seconds.
  int32_t IdleSeconds() override;
  // Read once and kept until TimeChanged: the tick asks every second.
  TimeZone Zone() override;
  void TimeChanged() override { zone_.reset(); }

 private:
  std::optional<TimeZone> zone_;
};

}  // namespace nightlatch
