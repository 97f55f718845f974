#include "support/unprivileged.h"

#include <grp.h>
#include <unistd.h>

#include <sys/wait.h>

namespace orbisk::testing {

std::optional<int> RunUnprivileged(const std::function<int()>& work) {
  if (::geteuid() != 0) return work();
  pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    const gid_t nogroup = 65534;
    if (::setgroups(1, &nogroup) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(255);
    ::_exit(work() & 0xFF);
  }
  int status = 0;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255) return std::nullopt;
  return WEXITSTATUS(status);
}

}  // namespace orbisk::testing
