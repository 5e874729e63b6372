#include "file/temporary_name.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace yobina {
namespace {

constexpr std::string_view kSuffix = ".tmp";

// "." and eight hex digits of the name's FNV-1a hash, then ".".
std::string PrefixFor(std::string_view targetName) {
  uint32_t hash = 2166136261U;
  for (const char c : targetName) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619U;
  }
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, ".%08x.", static_cast<unsigned>(hash));
  return prefix;
}

bool ProcessIsGone(pid_t process) {
  return ::kill(process, 0) != 0 && errno == ESRCH;
}

}  // namespace

std::string TemporaryNameFor(std::string_view targetName, pid_t process) {
  return PrefixFor(targetName) + std::to_string(process) + std::string(kSuffix);
}

void RemoveStaleTemporaries(const std::filesystem::path& folder, std::string_view targetName) {
  const std::string prefix = PrefixFor(targetName);
  std::error_code error;
  std::filesystem::directory_iterator it(folder.empty() ? std::filesystem::path(".") : folder, error);
  for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.size() <= prefix.size() + kSuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kSuffix))
      continue;
    const std::string_view digits(name.data() + prefix.size(), name.size() - prefix.size() - kSuffix.size());
    pid_t process = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), process);
    if (status != std::errc() || end != digits.data() + digits.size() || process <= 0) continue;
    if (process != ::getpid() && ProcessIsGone(process)) ::unlink(it->path().c_str());
  }
}

}  // namespace yobina
