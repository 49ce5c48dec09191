#include <time.h>

#include "engine/calendar.h"

namespace nightlatch {

TimeZone SystemTimeZone() {
  tzset();
  return TimeZone{
      static_cast<int32_t>(-timezone)};  // `timezone` is the standard offset, west positive
}

}  // namespace nightlatch
