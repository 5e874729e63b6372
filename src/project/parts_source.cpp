#include "project/parts_source.h"

#include <optional>
#include <system_error>

#include "project/input_file.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

}  // namespace

PartsListRead ReadPartsSource(const std::filesystem::path& path, NcLength length) {
  if (IsFolder(path)) return ReadNcFolder(path, length);
  return ReadPartsList(ReadInputFile(path), InputFile::Parts);
}

std::string ProjectNameOf(const std::filesystem::path& path) {
  std::filesystem::path name = path.stem();
  if (IsFolder(path)) {
    std::error_code error;
    std::filesystem::path folder = std::filesystem::absolute(path, error).lexically_normal();
    if (!folder.has_filename()) folder = folder.parent_path();  // "dir/"
    name = folder.filename();
  }
  const std::optional<std::string> cp932 = Utf8ToCp932(name.string());
  return cp932 ? CutToBytes(*cp932, 32) : std::string();
}

}  // namespace yobina
