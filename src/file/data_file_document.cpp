// The job file for job documents: through a page in memory, so that a
// document and the page it came from give the same bytes.
#include "file/data_file.h"
#include "file/memory_input_page.h"
#include "file/page_document.h"

namespace yobina {
namespace {

MemoryInputPage PageOf(const JobDocument& document) {
  MemoryInputPage page;
  WriteDocument(document, page);
  return page;
}

}  // namespace

std::string FormatDataFile(const JobDocument& document) {
  return FormatDataFile(PageOf(document));
}

void SaveDataFile(const JobDocument& document, const std::filesystem::path& file) {
  SaveDataFile(PageOf(document), file);
}

LoadResult LoadDataFile(JobDocument& document, const std::filesystem::path& file) {
  MemoryInputPage page = PageOf(document);
  const LoadResult result = LoadDataFile(page, file);
  if (result == LoadResult::Loaded) document = ReadDocument(page);
  return result;
}

}  // namespace yobina
