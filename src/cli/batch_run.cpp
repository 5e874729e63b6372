#include "cli/batch_run.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/exact_command.h"
#include "app/messages.h"
#include "app/plan_export.h"
#include "app/run_labels.h"
#include "file/atomic_file.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "file/readable_name.h"
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

// The optimal planner's better plans and bounds, as lines on stderr when asked for.
class ExactProgressLines : public ExactObserver {
 public:
  explicit ExactProgressLines(std::FILE* err) : err_(err) {}
  void BetterPlan(double lossRate) override { Write("計画 ロス率", lossRate); }
  void BetterBound(double boundLossRate) override { Write("下限 ロス率", boundLossRate); }

 private:
  void Write(const char* what, double rate) {
    if (err_ == nullptr) return;
    const std::lock_guard<std::mutex> lock(mutex_);  // the planner may report from more than one thread
    std::fprintf(err_, "%s %s\n", what, FormatBestLossLabel(rate).c_str());
  }

  std::FILE* err_;
  std::mutex mutex_;
};

// What either planner leaves for the batch program to say.
struct BatchOutcome {
  int ExitCode = kExitPlanFound;
  std::string Message;  // UTF-8, for stderr; empty: nothing to say
  std::vector<std::string> ReportLines;
  std::optional<PlanProof> Proof;  // the optimal planner's bound and proof
};

BatchOutcome RunTrials(MemoryInputPage& page, Workspace& workspace, const CliOptions& options, StopFlag& stop,
                       std::FILE* err) {
  if (options.TimeLimitSeconds) stop.SetDeadline(*options.TimeLimitSeconds);
  // The page as the Run leaves it is what a backup would hold: --save writes it there.
  RunOptions run;
  run.BackupFile = options.SaveFile;
  run.TrialsOverride = options.Trials;
  run.Stop = &stop;
  ProgressLines progress(options.Progress ? err : nullptr);
  RunOutcome outcome = RunCommand(page, workspace, progress, run);
  BatchOutcome batch;
  if (!outcome.PlanFound) {
    batch.ExitCode = kExitNoPlan;
    batch.Message = outcome.Stopped ? message::kStopped : message::kNoPlan;
  } else if (outcome.Stopped) {
    batch.ExitCode = kExitStopped;
    batch.Message = message::kStopped;
  }
  batch.ReportLines = std::move(outcome.ReportLines);
  return batch;
}

BatchOutcome PlanExactly(MemoryInputPage& page, Workspace& workspace, const CliOptions& options,
                         const StopFlag& stop, std::FILE* err) {
  ExactOptions exact;
  exact.BackupFile = options.SaveFile;
  if (options.TimeLimitSeconds) exact.TimeLimitSeconds = *options.TimeLimitSeconds;
  exact.Stop = &stop.Flag();
  ExactProgressLines progress(options.Progress ? err : nullptr);
  ExactOutcome outcome = ExactCommand(page, workspace, progress, exact);
  BatchOutcome batch;
  // The time limit is part of this planner's method: a plan it could not prove
  // says so in the report. Only the stop flag interrupts it.
  const bool stopped = stop.Raised();
  if (outcome.Status == ExactStatus::Refused) {
    batch.ExitCode = kExitFailure;
    batch.Message = Cp932ToUtf8(outcome.Message);
  } else if (!outcome.PlanFound) {
    batch.ExitCode = kExitNoPlan;
    if (outcome.Status == ExactStatus::NoPlan) {
      batch.Message = message::kNoPlan;
    } else {
      batch.Message = stopped ? message::kStopped : message::kNoPlanInTime;
    }
  } else if (stopped) {
    batch.ExitCode = kExitStopped;
    batch.Message = message::kStopped;
  }
  batch.ReportLines = std::move(outcome.ReportLines);
  batch.Proof = outcome.Proof;
  return batch;
}

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
             const PdfWriter& diagrams, StopFlag& stop) {
  if ((options.PdfFile && !pdf) || (options.DiagramsFile && !diagrams)) {
    WriteMessage(err, "PDF output is not available in this build");
    return kExitFailure;
  }

  MemoryInputPage page;
  auto workspace = std::make_unique<Workspace>();
  BatchOutcome outcome;
  const std::filesystem::path* file = &options.JobFile;  // the one an IoError is about
  try {
    if (LoadDataFile(page, options.JobFile) == LoadResult::WrongVersion) {
      WriteMessage(err, message::kWrongVersion);
      return kExitFailure;
    }
    if (options.SaveFile) file = &*options.SaveFile;
    outcome = options.Exact ? PlanExactly(page, *workspace, options, stop, err)
                            : RunTrials(page, *workspace, options, stop, err);
    if (outcome.ReportLines.empty()) {
      WriteMessage(err, outcome.Message);
      return outcome.ExitCode;
    }
    file = nullptr;  // the printer's texts name their file
    if (options.PdfFile) pdf(page, *workspace, *options.PdfFile);
    if (options.DiagramsFile) diagrams(page, *workspace, *options.DiagramsFile);
    if (options.CsvFile) {
      file = &*options.CsvFile;
      WriteFileAtomically(*options.CsvFile, PlanCsv(workspace->lastRunJob, workspace->lastPlan));
    }
  } catch (const IoError& error) {
    WriteMessage(err, file != nullptr ? ReadableFileName(*file) + ": " + error.what() : error.what());
    return kExitFailure;
  }

  const bool written =
      options.Json ? WriteText(out, PlanJson(page, workspace->lastRunJob, workspace->lastPlan, outcome.Proof))
                   : WriteReport(out, outcome.ReportLines, options.Encoding);
  if (!written) {
    WriteMessage(err, PlatformErrorText(errno));
    return kExitFailure;
  }
  if (!outcome.Message.empty()) WriteMessage(err, outcome.Message);
  return outcome.ExitCode;
}

}  // namespace yobina
