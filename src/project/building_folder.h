// A building's output folder, written as one run.
//
// A run holds the folder's lock (flock on ".yobina-lock" in it) from before
// planning to the end of the writing; a second run is refused. Every file is
// written into a staging folder inside it (".yobina-staging-XXXXXX", removed
// by the next run when a killed one left it), and only then put in place:
//  1. the staged files are flushed to the disk and every target checked;
//  2. the manifest ".yobina-manifest" is replaced by one marked "writing"
//     that lists the earlier run's files and the new ones;
//  3. each staged file is renamed over its target;
//  4. the earlier run's files the new one does not write are removed, each
//     only while it is still as that run wrote it (inode, size, time);
//  5. the manifest is replaced by one marked "complete" listing the new files.
// A run killed before 2 leaves the folder as it was; one killed between 2
// and 5 leaves a manifest marked "writing", and the next run removes every
// file it lists. Files yobina did not write are never touched. A folder's
// files are replaced as names: a link named like an output is replaced, not
// followed.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/project_outputs.h"
#include "project/project_result.h"
#include "text/io_error.h"

namespace yobina {

// Another run holds the folder's lock; what() is "DIR: 出力フォルダは別の計画が書いています".
class FolderBusy : public IoError {
 public:
  using IoError::IoError;
};

class BuildingFolder {
 public:
  // Makes the folder when missing, takes its lock, removes staging folders
  // killed runs left and reads the manifest. Throws FolderBusy, or IoError
  // whose text names the path.
  explicit BuildingFolder(std::filesystem::path folder);
  // Without Commit: the staging folder goes and the folder stays as it was
  // (a folder this run made goes too, when nothing else is in it).
  ~BuildingFolder();
  BuildingFolder(const BuildingFolder&) = delete;
  BuildingFolder& operator=(const BuildingFolder&) = delete;

  const std::filesystem::path& Folder() const { return folder_; }
  const std::filesystem::path& Staging() const { return staging_; }
  // The names of the earlier run's files, from the manifest.
  std::vector<std::string> EarlierFiles() const;

  // Throws IoError naming the first of `names` that a file of the folder
  // cannot be replaced by: a folder, a read-only file, not a regular file.
  void CheckTargets(const std::vector<std::string>& names) const;

  // A new file `name` (no folder) in the staging folder. Throws IoError naming it.
  void Write(const std::string& name, std::string_view bytes);
  // Takes `name` as written into Staging() by other code.
  void Adopt(const std::string& name) { staged_.push_back(name); }
  // The folder's name for `name`, as messages show it (UTF-8).
  std::string Shown(const std::string& name) const;

  // Puts the staged files in place as the header says. Throws IoError naming
  // the file that failed.
  void Commit();

 private:
  struct Entry {
    std::string Name;
    uint64_t Inode = 0;
    int64_t Size = 0;
    int64_t ModifiedNs = 0;
  };
  void Lock();
  void Unlock() noexcept;
  void ReadManifest();
  void WriteManifest(const std::vector<Entry>& entries, bool complete);
  bool StillAsWritten(const Entry& entry) const;

  std::filesystem::path folder_;
  std::filesystem::path staging_;
  bool made_ = false;
  int lockFd_ = -1;
  std::vector<Entry> earlier_;
  std::vector<std::string> staged_;
  bool committed_ = false;
};

// Every name a run may write in the folder: its fixed files, the manifest,
// the lock and the job file each section may get.
std::vector<std::string> BuildingFileNames(const ProjectInput& input);

// An input file of the building and what the messages call it ("部品表").
struct NamedInput {
  std::string What;  // UTF-8
  std::filesystem::path File;
};

// The message (UTF-8) for the first input that is one of the files `names`
// in `folder` (links and hard links followed); none when none is. The names
// are what a run writes (BuildingFileNames) and removes (EarlierFiles).
std::optional<std::string> InputInFolder(const std::filesystem::path& folder,
                                         const std::vector<std::string>& names,
                                         const std::vector<NamedInput>& inputs);

// Writes project.pdf into `file` (a new file in the staging folder), reading
// each section as it is printed; `shown` is the name messages give it. Throws
// IoError, or WritingStopped once `stop` is set.
using ProjectPdfWriter = std::function<void(const ProjectResult& result, const SectionReader& read,
                                            const std::filesystem::path& file, const std::string& shown,
                                            const std::atomic<bool>* stop)>;

// Writes purchase.csv, summary.csv, project.json, cutlist.csv, the job files
// and, with `pdf`, project.pdf and, with `labels`, labels.pdf into the
// folder's staging folder, one section's full result at a time. Throws IoError naming the file, or
// WritingStopped once `stop` is set (looked at between sections). Commit puts them in place.
void WriteBuildingFiles(const ProjectResult& result, const SectionReader& read, BuildingFolder& folder,
                        const ProjectPdfWriter& pdf, const std::atomic<bool>* stop,
                        const ProjectPdfWriter& labels = {});

}  // namespace yobina
