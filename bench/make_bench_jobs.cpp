// make_bench_jobs [--check] [DIR]: writes the benchmark's job files to
// DIR/realistic and DIR/planted (DIR: the source tree's bench/jobs), or with
// --check says which files differ from what it would write (exit 1).
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "bench_job_files.h"
#include "file/data_file.h"

namespace {

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  bool check = false;
  std::filesystem::path folder = YOBINA_BENCH_JOBS_DIR;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--check") == 0) {
      check = true;
    } else if (argv[i][0] == '-') {
      std::fprintf(stderr, "usage: make_bench_jobs [--check] [DIR]\n");
      return 2;
    } else {
      folder = argv[i];
    }
  }
  int differing = 0;
  try {
    for (const yobina::bench::BenchJobFile& job : yobina::bench::BenchJobFiles()) {
      const yobina::JobDocument document = yobina::bench::DocumentOf(job);
      const std::filesystem::path target = folder / job.Folder / job.FileName;
      if (!check) {
        std::filesystem::create_directories(target.parent_path());
        yobina::SaveDataFile(document, target);
      } else if (!std::filesystem::is_regular_file(target) ||
                 ReadBytes(target) != yobina::FormatDataFile(document)) {
        std::printf("differs: %s\n", target.c_str());
        ++differing;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_bench_jobs: %s\n", error.what());
    return 2;
  }
  return differing == 0 ? 0 : 1;
}
