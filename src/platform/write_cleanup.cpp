#include "platform/write_cleanup.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace orbisk {

namespace {

// Read by the signal handler: only plain data, set before the flag that
// announces it.
volatile std::sig_atomic_t temporaryActive = 0;
int temporaryDirFd = -1;
char temporaryName[NAME_MAX + 1];

volatile std::sig_atomic_t rewriteActive = 0;
int rewriteFd = -1;
const char* rewriteOld = nullptr;
std::size_t rewriteOldSize = 0;

void CleanUp() {
  if (temporaryActive) ::unlinkat(temporaryDirFd, temporaryName, 0);
  if (rewriteActive) {
    std::size_t done = 0;
    while (done < rewriteOldSize) {
      ssize_t n = ::pwrite(rewriteFd, rewriteOld + done, rewriteOldSize - done, static_cast<off_t>(done));
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    if (::ftruncate(rewriteFd, static_cast<off_t>(rewriteOldSize)) != 0) {
      // nothing more can be done while the process ends
    }
  }
}

extern "C" void OnEndingSignal(int signal) {
  CleanUp();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

}  // namespace

void BeginTemporaryFile(int dirFd, const std::string& name) {
  temporaryActive = 0;
  temporaryDirFd = dirFd;
  std::strncpy(temporaryName, name.c_str(), NAME_MAX);
  temporaryName[NAME_MAX] = '\0';
  temporaryActive = 1;
}

void EndTemporaryFile() { temporaryActive = 0; }

void BeginInPlaceRewrite(int fd, const std::string& old) {
  rewriteActive = 0;
  rewriteFd = fd;
  rewriteOld = old.data();
  rewriteOldSize = old.size();
  rewriteActive = 1;
}

void EndInPlaceRewrite() { rewriteActive = 0; }

void InstallWriteCleanup() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = static_cast<int>(SA_RESETHAND);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace orbisk
