#pragma once
// How much more memory this process may take without failing or pushing the
// machine into swapping.

#include <cstdint>

namespace orbisk {

// The least of: the memory the system reports available, what the address
// space and data limits (ulimit -v, -d) leave, and what the process's control
// group still allows. UINT64_MAX when none of them can be read.
std::uint64_t AvailableMemory();

}  // namespace orbisk
