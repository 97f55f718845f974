#pragma once
// What a file name given for writing stands for on this system: symbolic links
// followed to their final target, the kind of file found there, and whether
// the user may write it.

#include <optional>
#include <string>
#include <sys/stat.h>

namespace orbisk {

enum class TargetKind {
  Missing,     // nothing there yet: a new regular file is created
  Regular,     // an existing regular file
  Fifo,        // written in place, never replaced
  CharDevice,  // written in place, never replaced
  Stream,      // an open descriptor of this process (/dev/stdout, /proc/self/fd/N)
  Unwritable,  // a folder, a block device, a socket: never written
};

struct WriteTarget {
  std::string path;  // the final target; the folder of a new file must exist
  TargetKind kind = TargetKind::Missing;
  int streamFd = -1;    // the descriptor of a Stream target
  struct stat info {};  // the target's status when it exists
};

// Follows the symbolic links of path (at most 40) to the file they end at.
// Nothing when that fails: a loop, a name too long, a folder that cannot be
// searched, a missing folder.
std::optional<WriteTarget> ResolveWriteTarget(const std::string& path);

// Whether a regular target is rewritten through its own inode rather than
// replaced: it has other hard links, or a new file could not keep its owner.
bool RewrittenInPlace(const WriteTarget& target);

// Whether the user may write target. A file without any write permission bit
// is read-only for every user, root included; a new file, and a file replaced
// by a new one, need a folder the user may write and search.
bool MayWrite(const WriteTarget& target);

// Whether the user may create and remove files in the folder that holds path.
bool FolderMayChange(const std::string& path);

// The folder that holds path ("." for a bare name).
std::string FolderOf(const std::string& path);
// The last component of path.
std::string BaseNameOf(const std::string& path);

}  // namespace orbisk
