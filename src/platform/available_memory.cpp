#include "platform/available_memory.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <sys/resource.h>

namespace orbisk {

namespace {

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

// The number after "key" on its line of a file such as /proc/meminfo ("key
// value kB"), in kibibytes.
std::optional<std::uint64_t> KibibytesOf(const char* file, const std::string& key) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.starts_with(key)) continue;
    try {
      return std::stoull(line.substr(key.size()));
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

// The first number in a file, or nothing ("max", missing file).
std::optional<std::uint64_t> NumberIn(const std::string& file) {
  std::ifstream in(file);
  std::uint64_t value = 0;
  if (in >> value) return value;
  return std::nullopt;
}

// What a resource limit leaves beyond the process's current size.
std::uint64_t LeftUnder(int resource, std::uint64_t used) {
  struct rlimit limit {};
  if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return kUnknown;
  return limit.rlim_cur > used ? limit.rlim_cur - used : 0;
}

// What a memory control group still allows, given its limit and usage files.
std::uint64_t LeftIn(const std::string& limitFile, const std::string& usageFile) {
  std::optional<std::uint64_t> max = NumberIn(limitFile);
  std::optional<std::uint64_t> current = NumberIn(usageFile);
  if (!max || !current) return kUnknown;
  return *max > *current ? *max - *current : 0;
}

// What the process's control group still allows (cgroup v2 or v1).
std::uint64_t LeftInControlGroup() {
  std::ifstream in("/proc/self/cgroup");
  std::string line;
  std::uint64_t left = kUnknown;
  while (std::getline(in, line)) {
    if (line.starts_with("0::")) {
      const std::string folder = "/sys/fs/cgroup" + line.substr(3);
      left = std::min(left, LeftIn(folder + "/memory.max", folder + "/memory.current"));
    } else if (std::string::size_type at = line.find(":memory:"); at != std::string::npos) {
      const std::string folder = "/sys/fs/cgroup/memory" + line.substr(at + 8);
      left = std::min(left, LeftIn(folder + "/memory.limit_in_bytes", folder + "/memory.usage_in_bytes"));
    }
  }
  return left;
}

}  // namespace

std::uint64_t AvailableMemory() {
  std::uint64_t available = kUnknown;
  if (std::optional<std::uint64_t> kib = KibibytesOf("/proc/meminfo", "MemAvailable:")) available = *kib << 10;
  std::uint64_t size = KibibytesOf("/proc/self/status", "VmSize:").value_or(0) << 10;
  std::uint64_t data = KibibytesOf("/proc/self/status", "VmData:").value_or(0) << 10;
  available = std::min(available, LeftUnder(RLIMIT_AS, size));
  available = std::min(available, LeftUnder(RLIMIT_DATA, data));
  return std::min(available, LeftInControlGroup());
}

}  // namespace orbisk
