#pragma once
// The function record: the formula and the six bound texts exactly as the user
// typed them, and the value stored where the formula fails.

#include <string>

namespace orbisk {

struct FunctionRecord {
  std::string SFCyl = "r+sqrt((x-1)*(x-1))";  // F(x,y,r)
  std::string SFiStart = "0.0";
  std::string SFiEnd = "2*pi";
  std::string SRInt = "1.0";
  std::string SRExt = "2.0";
  std::string SNFi = "100";
  std::string SNR = "100";
  long double ErrorValue = -1.3e-13L;  // stored at grid points where the formula fails

  bool operator==(const FunctionRecord&) const = default;
};

}  // namespace orbisk
