#include "print/project_pdf.h"

#include <unistd.h>

#include <QFile>
#include <string_view>
#include <system_error>

#include "print/qt_print_device.h"
#include "project/project_print.h"

namespace yobina {

std::string ProjectPdfBytes(const ProjectResult& result, const std::filesystem::path& target) {
  // The device checks its target before drawing; the folder is checked when
  // the files are written, so a name in the temporary folder stands in until it exists.
  std::error_code error;
  const std::filesystem::path checked = std::filesystem::is_directory(target.parent_path(), error)
                                            ? target
                                            : std::filesystem::temp_directory_path() /
                                                  ("yobina-project-" + std::to_string(::getpid()) + ".pdf");
  const std::unique_ptr<QPrinter> printer = MakePdfPrinter(QFile::decodeName(checked.c_str()));
  std::string bytes;
  QtPrintDevice device(*printer, checked,
                       [&](const std::filesystem::path&, std::string_view pdf) { bytes.assign(pdf); });
  PrintProject(result, device);
  return bytes;
}

}  // namespace yobina
