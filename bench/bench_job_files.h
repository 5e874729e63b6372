// The benchmark's job files: what each one holds and the job document it is
// written from. make_bench_jobs writes them with the job file writer;
// bench_exact runs them as the batch program's --exact does.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job/job.h"
#include "job/job_document.h"

namespace yobina::bench {

inline constexpr std::string_view kRealisticFolder = "realistic";
inline constexpr std::string_view kPlantedFolder = "planted";

struct BenchJobFile {
  std::string Folder;       // kRealisticFolder or kPlantedFolder
  std::string FileName;     // "r001.qzl"
  TJob Job;                 // rows in the order they are typed
  std::string ProjectName;  // UTF-8
  std::string MemberName;   // UTF-8
  double UnitWeight = 0;    // kg/m
  int32_t Year = 2026, Month = 1, Day = 1;
};

// The 200 realistic jobs, then the 40 planted ones.
std::vector<BenchJobFile> BenchJobFiles();

// The job as a user would have typed it on a fresh page. Throws
// std::logic_error when the job does not fit the page (too many rows, names
// over their byte limit): the file would not hold what the job says.
JobDocument DocumentOf(const BenchJobFile& file);

// The optimum a planted job's project name states: K bars of length L.
struct PlantedOptimum {
  int32_t Bars = 0;
  int32_t StockLength = 0;
};
std::optional<PlantedOptimum> PlantedOptimumOf(std::string_view projectName);

}  // namespace yobina::bench
