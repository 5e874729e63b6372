// A small tmpfs mounted over a test's folder: a disk that fills up, or a
// folder that is read-only even to root. Mounting needs the right to (root in
// CI's container); without it the test is skipped.
#pragma once

#include <sys/mount.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace yobina::test {

class TmpfsMount {
 public:
  TmpfsMount(const std::filesystem::path& folder, std::size_t bytes) : folder_(folder) {
    const std::string options = "size=" + std::to_string(bytes);
    mounted_ = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~TmpfsMount() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  TmpfsMount(const TmpfsMount&) = delete;
  TmpfsMount& operator=(const TmpfsMount&) = delete;

  bool Mounted() const { return mounted_; }
  bool MakeReadOnly() {
    return ::mount("tmpfs", folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

}  // namespace yobina::test
