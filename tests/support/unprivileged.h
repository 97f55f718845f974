#pragma once
// Running a piece of a test as an ordinary user: CI runs as root, whom
// permission bits do not stop, so rules about permissions are checked in a
// forked child that has dropped to the user "nobody".

#include <functional>
#include <optional>

namespace orbisk::testing {

// Runs work as an unprivileged user and returns its result (0 to 255): in a
// child process that dropped to uid/gid 65534 when the test runs as root,
// in this process otherwise. Nothing when the privileges cannot be dropped.
std::optional<int> RunUnprivileged(const std::function<int()>& work);

}  // namespace orbisk::testing
