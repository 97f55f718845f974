#include <chrono>

#include "platform/clock.h"

namespace orbisk {

int SystemClock::MillisecondsSinceMidnightUtc() {
  using namespace std::chrono;
  const auto now = time_point_cast<milliseconds>(system_clock::now());
  const auto sinceMidnight = now - floor<days>(now);  // system_clock counts UTC without leap seconds
  return static_cast<int>(sinceMidnight.count());
}

Clock& TheSystemClock() {
  static SystemClock clock;
  return clock;
}

}  // namespace orbisk
