#pragma once
// A clock that tells the time it was set to, for RND.

#include "platform/clock.h"

namespace orbisk::testing {

class FixedClock : public Clock {
 public:
  explicit FixedClock(int milliseconds) : milliseconds_(milliseconds) {}
  int MillisecondsSinceMidnightUtc() override {
    ++reads_;
    return milliseconds_;
  }
  void Set(int milliseconds) { milliseconds_ = milliseconds; }
  int Reads() const { return reads_; }

 private:
  int milliseconds_;
  int reads_ = 0;
};

}  // namespace orbisk::testing
