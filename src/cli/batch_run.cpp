#include "cli/batch_run.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/messages.h"
#include "app/plan_export.h"
#include "file/atomic_file.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "job/memory_input_page.h"
#include "text/codec.h"

namespace yobina {
namespace {

void WriteMessage(std::FILE* err, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), err);
  std::fputc('\n', err);
}

// The labels of a Run, as lines on stderr when asked for.
class ProgressLines : public RunView {
 public:
  explicit ProgressLines(std::FILE* err) : err_(err) {}
  void SetLossLabels(const std::string& lbZhi, const std::string& lbZhiMin) override {
    if (err_ != nullptr) std::fprintf(err_, "%s\t%s\n", lbZhi.c_str(), lbZhiMin.c_str());
  }
  void SetTrialLabel(const std::string&) override {}
  void ProcessEvents() override {}

 private:
  std::FILE* err_;
};

// False, with errno set, when the output could not be written.
bool WriteReport(std::FILE* out, const std::vector<std::string>& lines, OutputEncoding encoding) {
  for (const std::string& line : lines) {
    const std::string text = encoding == OutputEncoding::Utf8 ? Cp932ToUtf8(line) : line;
    std::fwrite(text.data(), 1, text.size(), out);
    std::fputc('\n', out);
  }
  return std::fflush(out) == 0 && !std::ferror(out);
}

bool WriteText(std::FILE* out, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), out);
  return std::fflush(out) == 0 && !std::ferror(out);
}

}  // namespace

int RunBatch(const CliOptions& options, std::FILE* out, std::FILE* err, const PdfWriter& pdf,
             const PdfWriter& diagrams) {
  if ((options.PdfFile && !pdf) || (options.DiagramsFile && !diagrams)) {
    WriteMessage(err, "PDF output is not available in this build");
    return kExitFailure;
  }

  MemoryInputPage page;
  auto workspace = std::make_unique<Workspace>();
  RunOutcome outcome;
  try {
    if (LoadDataFile(page, options.JobFile) == LoadResult::WrongVersion) {
      WriteMessage(err, message::kWrongVersion);
      return kExitFailure;
    }
    // The page as the Run leaves it is what a backup would hold: --save writes it there.
    RunOptions run;
    run.BackupFile = options.SaveFile;
    run.TrialsOverride = options.Trials;
    ProgressLines progress(options.Progress ? err : nullptr);
    outcome = RunCommand(page, *workspace, progress, run);
    if (!outcome.PlanFound) {
      WriteMessage(err, message::kNoPlan);
      return kExitNoPlan;
    }
    if (options.PdfFile) pdf(page, *workspace, *options.PdfFile);
    if (options.DiagramsFile) diagrams(page, *workspace, *options.DiagramsFile);
    if (options.CsvFile) {
      WriteFileAtomically(*options.CsvFile, PlanCsv(workspace->lastRunJob, workspace->optimizer.BestPlan()));
    }
  } catch (const IoError& error) {
    WriteMessage(err, error.what());
    return kExitFailure;
  }

  const bool written = options.Json ? WriteText(out, PlanJson(page, workspace->lastRunJob,
                                                              workspace->optimizer.BestPlan(), std::nullopt))
                                    : WriteReport(out, outcome.ReportLines, options.Encoding);
  if (!written) {
    WriteMessage(err, PlatformErrorText(errno));
    return kExitFailure;
  }
  return kExitPlanFound;
}

}  // namespace yobina
