#include "cli/batch_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/exact_command.h"
#include "app/messages.h"
#include "app/plan_export.h"
#include "app/run_labels.h"
#include "cli/batch_outputs.h"
#include "cli/terminal_text.h"
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
  RunOptions run;
  run.TrialsOverride = options.Trials;
  run.Stop = &stop;
  ProgressLines progress(options.Progress ? err : nullptr);
  RunOutcome outcome = RunCommand(page, workspace, progress, run);
  BatchOutcome batch;
  if (outcome.Stopped) {
    batch.ExitCode = kExitStopped;
    batch.Message = message::kStopped;
  } else if (!outcome.PlanFound) {
    batch.ExitCode = kExitNoPlan;
    batch.Message = message::kNoPlan;
  }
  batch.ReportLines = std::move(outcome.ReportLines);
  return batch;
}

BatchOutcome PlanExactly(MemoryInputPage& page, Workspace& workspace, const CliOptions& options,
                         const StopFlag& stop, std::FILE* err) {
  ExactOptions exact;
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
  } else if (outcome.Status == ExactStatus::NoPlan) {
    batch.ExitCode = kExitNoPlan;
    batch.Message = message::kNoPlan;
  } else if (stopped) {
    batch.ExitCode = kExitStopped;
    batch.Message = message::kStopped;
  } else if (!outcome.PlanFound) {
    batch.ExitCode = kExitNoPlan;
    batch.Message = message::kNoPlanInTime;
  }
  batch.ReportLines = std::move(outcome.ReportLines);
  batch.Proof = outcome.Proof;
  return batch;
}

// False, with errno set, when the output could not be written.
bool WriteReport(std::FILE* out, const std::vector<std::string>& lines, OutputEncoding encoding) {
  const bool terminal = ::isatty(fileno(out)) != 0;
  for (const std::string& line : lines) {
    std::string text = encoding == OutputEncoding::Utf8 ? Cp932ToUtf8(line) : line;
    if (terminal) text = WithoutControlCharacters(text, encoding);
    std::fwrite(text.data(), 1, text.size(), out);
    std::fputc('\n', out);
  }
  return std::fflush(out) == 0 && !std::ferror(out);
}

bool WriteText(std::FILE* out, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), out);
  return std::fflush(out) == 0 && !std::ferror(out);
}

// --save, plan or not (as the Run leaves the job), and with a plan the
// exports: each is written beside its target, and all are put in place once
// all are written. Throws IoError with the message naming the file.
void WriteOutputFiles(const CliOptions& options, const InputPage& page, Workspace& workspace, bool withPlan,
                      const PdfWriter& pdf, const PdfWriter& diagrams) {
  StagedOutputs staged;
  for (const OutputFile& file : OutputFilesOf(options)) {
    if (file.What != OutputFile::Kind::Save && !withPlan) continue;
    const FileWriter stage = [&](const std::filesystem::path&, std::string_view bytes) {
      staged.Stage(file, bytes);
    };
    try {
      switch (file.What) {
        case OutputFile::Kind::Save:
          stage(file.Path, FormatDataFile(page));
          break;
        case OutputFile::Kind::Pdf:
          pdf(page, workspace, file.Path, stage);
          break;
        case OutputFile::Kind::Diagrams:
          diagrams(page, workspace, file.Path, stage);
          break;
        case OutputFile::Kind::Csv:
          stage(file.Path, PlanCsv(workspace.lastRunJob, workspace.lastPlan));
          break;
      }
    } catch (const IoError& error) {
      const bool printer = file.What == OutputFile::Kind::Pdf || file.What == OutputFile::Kind::Diagrams;
      if (printer) throw;  // its text names the file
      throw IoError(OutputFailureText(file, error.what()));
    }
  }
  staged.CommitAll();
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
  try {
    try {
      if (LoadDataFile(page, options.JobFile) == LoadResult::WrongVersion) {
        WriteMessage(err, message::kWrongVersion);
        return kExitFailure;
      }
    } catch (const IoError& error) {
      WriteMessage(err, ReadableFileName(options.JobFile) + ": " + error.what());
      return kExitFailure;
    }
    if (const std::optional<std::string> problem = CheckOutputFiles(options)) {
      WriteMessage(err, *problem);
      return kExitFailure;
    }
    outcome = options.Exact ? PlanExactly(page, *workspace, options, stop, err)
                            : RunTrials(page, *workspace, options, stop, err);
    WriteOutputFiles(options, page, *workspace, !outcome.ReportLines.empty(), pdf, diagrams);
  } catch (const IoError& error) {
    WriteMessage(err, error.what());
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    WriteMessage(err, PlatformErrorText(ENOMEM));
    return kExitFailure;
  }
  if (outcome.ReportLines.empty()) {
    WriteMessage(err, outcome.Message);
    return outcome.ExitCode;
  }

  const bool written =
      options.Json ? WriteText(out, PlanJson(page, workspace->lastRunJob, workspace->lastPlan, outcome.Proof))
                   : WriteReport(out, outcome.ReportLines, options.Encoding);
  if (!written) {
    WriteMessage(err, std::string(message::kStandardOutput) + ": " + PlatformErrorText(errno));
    return kExitFailure;
  }
  if (!outcome.Message.empty()) WriteMessage(err, outcome.Message);
  return outcome.ExitCode;
}

}  // namespace yobina
