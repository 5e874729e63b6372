#include "app/file_names.h"

#include <unistd.h>

#include <algorithm>
#include <optional>
#include <string>

namespace yobina {
namespace {

namespace fs = std::filesystem;

constexpr const char* kJobExtension = ".QZL";

bool IsQzlInAnyCase(const std::string& extension) {
  if (extension.size() != 4 || extension[0] != '.') return false;
  for (std::size_t i = 1; i < 4; ++i) {
    const char upper =
        static_cast<char>(extension[i] >= 'a' && extension[i] <= 'z' ? extension[i] - 32 : extension[i]);
    if (upper != kJobExtension[i]) return false;
  }
  return true;
}

// Rank of an existing spelling: lower is preferred.
int SpellingRank(const std::string& extension) {
  if (extension == ".QZL") return 0;
  if (extension == ".qzl") return 1;
  return 2;
}

std::optional<fs::path> ExistingSpelling(const fs::path& named) {
  const fs::path folder = named.parent_path().empty() ? fs::path(".") : named.parent_path();
  std::error_code error;
  fs::directory_iterator it(folder, error);
  std::optional<fs::path> best;
  for (; !error && it != fs::directory_iterator(); it.increment(error)) {
    const fs::path name = it->path().filename();
    const std::string extension = name.extension().string();
    if (name.stem() != named.stem() || !IsQzlInAnyCase(extension)) continue;
    const bool better = !best || SpellingRank(extension) < SpellingRank(best->extension().string()) ||
                        (SpellingRank(extension) == SpellingRank(best->extension().string()) && name < *best);
    if (better) best = name;
  }
  if (!best) return std::nullopt;
  return named.parent_path() / *best;
}

}  // namespace

fs::path JobFileName(const fs::path& chosen) {
  fs::path named = chosen;
  if (!IsQzlInAnyCase(named.extension().string())) named.replace_extension(kJobExtension);
  std::error_code error;
  if (fs::exists(fs::symlink_status(named, error))) return named;
  return ExistingSpelling(named).value_or(named);
}

fs::path ChooseWritableFolder(const fs::path& programFolder, const fs::path& fallback) {
  if (::access(programFolder.c_str(), W_OK | X_OK) == 0) return programFolder;
  std::error_code error;
  fs::create_directories(fallback, error);
  return fallback;
}

}  // namespace yobina
