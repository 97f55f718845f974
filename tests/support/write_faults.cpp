#include "support/write_faults.h"

#include <unistd.h>

#include "platform/atomic_file.h"
#include "support/temp_dir.h"

namespace orbisk::testing {

namespace fs = std::filesystem;

std::map<std::string, std::string> FolderContent(const fs::path& folder) {
  std::map<std::string, std::string> content;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory()) {
      content[name + "/"] = "";
    } else {
      content[name] = ReadFile(entry.path().string());
    }
  }
  return content;
}

UnwritableTarget::UnwritableTarget(const fs::path& folder, const std::string& name) : folder_(folder) {
  if (::geteuid() != 0) {
    fs::permissions(folder_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    chmodded_ = true;
    path_ = (folder_ / name).string();
  } else {
    const fs::path plain = folder_ / "plain.txt";
    if (!fs::exists(plain)) WriteFile(plain.string(), "a regular file");
    path_ = (plain / name).string();
  }
}

UnwritableTarget::~UnwritableTarget() {
  if (chmodded_) fs::permissions(folder_, fs::perms::owner_write, fs::perm_options::add);
}

DiskFull::DiskFull(std::size_t failAfter) {
  SetWriteFaultForTesting([failAfter](std::size_t written) { return written >= failAfter; });
}

DiskFull::~DiskFull() { SetWriteFaultForTesting({}); }

}  // namespace orbisk::testing
