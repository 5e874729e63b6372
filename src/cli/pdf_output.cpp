#include "cli/pdf_output.h"

#include <cstdio>

#include "cli/batch_run.h"
#include "cli/project_run.h"

#ifdef YOBINA_HAVE_PRINT
#include <QFile>
#include <QGuiApplication>
#include <clocale>

#include "app/commands.h"
#include "diagram/cutting_diagram.h"
#include "print/project_pdf.h"
#include "print/qt_print_device.h"
#include "shop/label_sheet.h"
#endif

namespace yobina {

#ifdef YOBINA_HAVE_PRINT
namespace {

// A normal run writes nothing to stderr but what it means to: the toolkit's
// warnings (font cache, runtime folder) are dropped.
void KeepQuiet(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void PrintPdf(const PlanResult& result, const std::filesystem::path& file, const FileWriter& write) {
  const std::unique_ptr<QPrinter> printer = MakePdfPrinter(QFile::decodeName(file.c_str()));
  QtPrintDevice device(*printer, file, write);  // the name byte for byte, whatever the locale
  PrintReport(result, device);
}

void PrintDiagramsPdf(const PlanResult& result, const std::filesystem::path& file, const FileWriter& write) {
  const std::unique_ptr<QPrinter> printer = MakePdfPrinter(QFile::decodeName(file.c_str()));
  QtPrintDevice device(*printer, file, write);
  PrintCuttingDiagrams(result, device);
}

void PrintLabelsPdf(const CutList& list, const LabelSheet& sheet, const std::filesystem::path& file,
                    const FileWriter& write) {
  const std::unique_ptr<QPrinter> printer = MakePdfPrinter(QFile::decodeName(file.c_str()));
  QtPrintDevice device(*printer, file, write);
  PrintLabels(list, sheet, device);
}

void StartOffscreen() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(KeepQuiet);
}

}  // namespace

int RunProjectWithPdf(const ProjectOptions& options, int& argc, char** argv, const StopToken& stop) {
  StartOffscreen();
  QGuiApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  return RunProject(options, stdout, stderr, WriteProjectPdf, WriteLabelsPdf, stop);
}

int RunBatchWithPdf(const CliOptions& options, int& argc, char** argv, StopToken& stop) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(KeepQuiet);
  QGuiApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");  // the toolkit took the user's locale
  return RunBatch(options, stdout, stderr, PrintPdf, PrintDiagramsPdf, PrintLabelsPdf, stop);
}

#else

int RunBatchWithPdf(const CliOptions& options, int&, char**, StopToken& stop) {
  return RunBatch(options, stdout, stderr, {}, {}, {}, stop);
}

int RunProjectWithPdf(const ProjectOptions& options, int&, char**, const StopToken& stop) {
  return RunProject(options, stdout, stderr, {}, {}, stop);
}

#endif

}  // namespace yobina
