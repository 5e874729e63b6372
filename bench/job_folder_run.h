// bench_exact --realistic: the optimal planner over folders of job files, one
// job after the other, each loaded and planned as `yobina-cli JOB --exact`
// does. Prints a line per job (status, bars, stock, gap, wall seconds; for a
// planted job whether it reached its optimum) and a summary per folder: the
// proven share, the median, 90th percentile and slowest time, and how the
// times spread. Every plan is checked against the job's rules.
#pragma once

#include <cstdio>
#include <filesystem>
#include <vector>

namespace yobina::bench {

struct FolderRunOptions {
  std::vector<std::filesystem::path> Folders;
  double TimeLimitSeconds = 10;
};

// 0 when every job ran and every plan keeps the job's rules (and a proven
// plan of a planted job is its optimum); 1 else.
int RunJobFolders(const FolderRunOptions& options, std::FILE* out);

}  // namespace yobina::bench
