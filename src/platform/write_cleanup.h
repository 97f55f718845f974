#pragma once
// What a write in progress leaves to clean up when a signal ends the process:
// the temporary file beside the target, or the old content of a file that is
// being rewritten in place. One write at a time (the program writes from one
// thread).

#include <string>

namespace orbisk {

// A temporary file named name in the folder open as dirFd exists from now on.
void BeginTemporaryFile(int dirFd, const std::string& name);
// The temporary file is gone or renamed: nothing left to remove.
void EndTemporaryFile();

// The file open as fd is being rewritten in place; old is its previous content
// and stays alive until EndInPlaceRewrite.
void BeginInPlaceRewrite(int fd, const std::string& old);
void EndInPlaceRewrite();

// From now on SIGINT, SIGTERM, SIGHUP and SIGQUIT remove the temporary file of
// the write in progress (or put back the old content of an in-place rewrite)
// and then end the process as the signal would. Signals that are ignored stay
// ignored.
void InstallWriteCleanup();

}  // namespace orbisk
