#pragma once
// The time of day, as the formula engine's RND function reads it at every call.

namespace orbisk {

// Source of the UTC time of day; tests replace it by a fixed clock.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since midnight UTC: ((h * 60 + m) * 60 + s) * 1000 + ms, 0..86399999.
  virtual int MillisecondsSinceMidnightUtc() = 0;
};

// The machine's real-time clock.
class SystemClock : public Clock {
 public:
  int MillisecondsSinceMidnightUtc() override;
};

// One shared system clock for everyone who has no other.
Clock& TheSystemClock();

}  // namespace orbisk
