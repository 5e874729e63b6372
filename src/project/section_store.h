// The full results of a building's sections, kept on disk while the building
// is planned and written: each is put once it is done and read back one at a
// time, so that memory follows the largest section rather than their number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "project/project_result.h"

namespace yobina {

class SectionStore {
 public:
  // A file without a name in `folder` for `sections` results: it goes with
  // the process, however that ends. Throws IoError (Japanese text).
  SectionStore(const std::filesystem::path& folder, size_t sections);
  ~SectionStore();
  SectionStore(const SectionStore&) = delete;
  SectionStore& operator=(const SectionStore&) = delete;

  // From any thread. Throws IoError (a full disk).
  void Put(size_t section, const SectionResult& result);
  bool Has(size_t section) const;
  // The result put for the section, field for field (a plan's patterns past
  // its count are left empty); a section never put comes back as Stopped.
  // Throws IoError.
  SectionResult Get(size_t section) const;

 private:
  [[noreturn]] void Fail(int errorNumber) const;

  struct Record {
    int64_t Offset = -1;
    int64_t Size = 0;
  };
  std::string folder_;  // for messages
  int fd_ = -1;
  mutable std::mutex mutex_;
  std::vector<Record> records_;
  int64_t end_ = 0;
};

}  // namespace yobina
