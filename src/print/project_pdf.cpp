#include "print/project_pdf.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "file/io_error.h"
#include "print/qt_print_device.h"
#include "project/project_print.h"
#include "project/section_shop.h"

namespace yobina {
namespace {

std::string FailureText(const std::string& shown, int errorNumber) {
  return "PDF ファイル「" + shown + "」を作成できません。" + PlatformErrorText(errorNumber);
}

// Draws through `print` into a new file streamed as it is drawn.
template <typename Print>
void WritePdf(const std::filesystem::path& file, const std::string& shown, const Print& print) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw IoError(FailureText(shown, errno));
  try {
    const std::unique_ptr<QPrinter> printer = MakePdfPrinter(QFile::decodeName(file.c_str()));
    QtPrintDevice device(*printer, std::filesystem::path(shown));
    device.StreamPdfInto(fd);
    print(device);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0 && errno != EINTR) throw IoError(FailureText(shown, errno));
}

}  // namespace

void WriteProjectPdf(const ProjectResult& result, const SectionReader& read,
                     const std::filesystem::path& file, const std::string& shown,
                     const std::atomic<bool>* stop) {
  WritePdf(file, shown, [&](PrintDevice& device) { PrintProject(result, read, device, stop); });
}

void WriteLabelsPdf(const ProjectResult& result, const SectionReader& read, const std::filesystem::path& file,
                    const std::string& shown, const std::atomic<bool>* stop) {
  WritePdf(file, shown, [&](PrintDevice& device) { PrintBuildingLabels(result, read, device, stop); });
}

}  // namespace yobina
