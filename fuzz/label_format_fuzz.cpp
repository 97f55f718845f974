// The ratio label's number format: any bytes as the format body, applied to
// ordinary and extreme ratios. Only InputError may escape.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "contour/label_format.h"
#include "platform/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const long double kValues[] = {
      0.5L,
      -0.0L,
      1.0L / 3,
      123456789.0L,
      std::numeric_limits<long double>::denorm_min(),
      std::numeric_limits<long double>::max(),
      -std::numeric_limits<long double>::max(),
  };
  const std::string body(reinterpret_cast<const char*>(data), size);
  for (long double value : kValues) {
    try {
      std::string text = orbisk::FormatLabelNumber(body, value, ',');
      // Bounded by the body plus one number of at most ~8000 characters.
      if (text.size() > body.size() + 10000) __builtin_trap();
    } catch (const orbisk::InputError&) {
    }
  }
  return 0;
}
