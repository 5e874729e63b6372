// The output folder, written all or none.
#include <system_error>

#include "file/atomic_file.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "project/project_outputs.h"

namespace yobina {

std::vector<FolderFile> ProjectOutputs(const ProjectResult& result) {
  std::vector<FolderFile> files;
  files.push_back({"purchase.csv", PurchaseCsv(result)});
  files.push_back({"summary.csv", SummaryCsv(result)});
  files.push_back({"project.json", ProjectJson(result)});
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    if (HasJobFile(result, s))
      files.push_back({JobFileName(result, s), FormatDataFile(SectionDocument(result, s))});
  }
  return files;
}

void WriteProjectFolder(const std::filesystem::path& folder, const std::vector<FolderFile>& files) {
  std::error_code error;
  const bool made = std::filesystem::create_directories(folder, error);
  if (error) throw IoError(PlatformErrorText(error.value()));
  try {
    std::vector<StagedFile> staged;
    staged.reserve(files.size());
    for (const FolderFile& file : files) staged.push_back(StageFile(folder / file.Name, file.Bytes));
    for (StagedFile& file : staged) file.Commit();
  } catch (const IoError&) {
    // A folder made for these files goes again; it holds nothing else.
    if (made) std::filesystem::remove(folder, error);
    throw;
  }
}

}  // namespace yobina
