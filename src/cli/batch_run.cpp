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
#include <utility>
#include <vector>

#include "app/job_shop_input.h"
#include "app/messages.h"
#include "app/number_cells.h"
#include "app/optimal_planner.h"
#include "app/plan_export.h"
#include "app/run_labels.h"
#include "app/run_planner.h"
#include "cli/batch_outputs.h"
#include "cli/offcut_commands.h"
#include "cli/terminal_text.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "file/readable_name.h"
#include "inventory/inventory.h"
#include "job/job_io.h"
#include "plan/no_plan_reason.h"
#include "project/input_file.h"
#include "project/list_import.h"
#include "project/stock_trace.h"
#include "report/report_builder.h"
#include "text/codec.h"

namespace yobina {
namespace {

void WriteMessage(std::FILE* err, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), err);
  std::fputc('\n', err);
}

// What either planner tells while it works, as lines on stderr when asked
// for: a Run's labels after each trial, the optimal planner's better plans and bounds.
class ProgressLines : public PlanProgress {
 public:
  explicit ProgressLines(std::FILE* err) : err_(err) {}
  void TrialPlanned(int32_t trial, double lossRate, double bestLossRate) override {
    if (err_ == nullptr) return;
    std::fprintf(err_, "%s\t%s\n", FormatTrialLossLabel(lossRate, trial).c_str(),
                 FormatBestLossLabel(bestLossRate).c_str());
  }
  void BetterPlan(double lossRate) override { Write("計画 ロス率", lossRate, lastPlan_); }
  void BetterBound(double boundLossRate) override { Write("下限 ロス率", boundLossRate, lastBound_); }

 private:
  // The planner's searches side by side each report their own better figures:
  // a line only when the figure as written differs from the last one of its kind.
  void Write(const char* what, double rate, std::string& last) {
    if (err_ == nullptr) return;
    const std::lock_guard<std::mutex> lock(mutex_);  // the planner may report from more than one thread
    std::string figure = FormatBestLossLabel(rate);
    if (figure == last) return;
    std::fprintf(err_, "%s %s\n", what, figure.c_str());
    last = std::move(figure);
  }

  std::FILE* err_;
  std::mutex mutex_;
  std::string lastPlan_;
  std::string lastBound_;
};

// The exit status and what to say on stderr (UTF-8; empty: nothing).
struct BatchOutcome {
  int ExitCode = kExitPlanFound;
  std::string Message;
};

BatchOutcome OutcomeOf(const PlanResult& result) {
  switch (result.Status) {
    case PlanStatus::Refused:
      return {kExitFailure, Cp932ToUtf8(result.Message)};
    case PlanStatus::NoPlan: {
      // The optimal planner says why on a second line; a Run's output stays as it always was.
      std::string text(message::kNoPlan);
      const std::string reason = OptimalMethodOf(result) != nullptr ? NoPlanReason(result.Plan.Job()) : "";
      if (!reason.empty()) text.append("\n").append(Cp932ToUtf8(reason));
      return {kExitNoPlan, text};
    }
    default:
      break;
  }
  if (result.Stopped) return {kExitStopped, std::string(message::kStopped)};
  if (result.Status == PlanStatus::NotFound) return {kExitNoPlan, std::string(message::kNoPlanInTime)};
  return {};
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

// The plan for the saw: the taken offcuts' bars are those entries, every
// other bar on hand; offcuts carry the source and date "keep" would record.
CutList CutListOf(const CliOptions& options, const PlanResult& result,
                  const std::vector<PlacedOffcutRow>& takenRows, const std::vector<SteelTrace>& rowTraces) {
  const std::string source = OffcutSource(result.Document, options.JobFile.filename().string());
  return MakeCutList(result, JobShopInput(result, takenRows, source, TodayDate(), rowTraces));
}

// --save, plan or not (the job as the planner was given it), and with a plan
// the exports: each is written beside its target, and all are put in place
// once all are written. Throws IoError with the message naming the file.
void WriteOutputFiles(const CliOptions& options, const PlanResult& result,
                      const std::vector<PlacedOffcutRow>& takenRows, const std::vector<SteelTrace>& rowTraces,
                      const PdfWriter& pdf, const PdfWriter& diagrams, const LabelsWriter& labels) {
  const bool withPlan = result.Status == PlanStatus::Planned;
  std::optional<CutList> cutList;
  if (withPlan && (options.CutListFile || options.LabelsFile))
    cutList = CutListOf(options, result, takenRows, rowTraces);
  StagedOutputs staged;
  for (const OutputFile& file : OutputFilesOf(options)) {
    if (file.What != OutputFile::Kind::Save && !withPlan) continue;
    const FileWriter stage = [&](const std::filesystem::path&, std::string_view bytes) {
      staged.Stage(file, bytes);
    };
    try {
      switch (file.What) {
        case OutputFile::Kind::Save:
          stage(file.Path, FormatDataFile(result.Document));
          break;
        case OutputFile::Kind::Pdf:
          pdf(result, file.Path, stage);
          break;
        case OutputFile::Kind::Diagrams:
          diagrams(result, file.Path, stage);
          break;
        case OutputFile::Kind::Csv:
          stage(file.Path, PlanCsv(result));
          break;
        case OutputFile::Kind::CutList:
          stage(file.Path, CutListCsv(*cutList));
          break;
        case OutputFile::Kind::Labels:
          if (const std::optional<std::string> fault = LabelsFault(*cutList))
            throw IoError(OutputFailureText(file, *fault));
          labels(*cutList, options.SingleLabels ? SingleLabelSheet() : LabelSheet(), file.Path, stage);
          break;
      }
    } catch (const IoError& error) {
      const bool printer = file.What == OutputFile::Kind::Pdf || file.What == OutputFile::Kind::Diagrams ||
                           file.What == OutputFile::Kind::Labels;
      if (printer) throw;  // its text names the file
      throw IoError(OutputFailureText(file, error.what()));
    }
  }
  staged.CommitAll();
}

// --import-cut and --import-stock: the lists replaced by the files' rows.
// False when a file is refused (said on `err`); the job is then as it was.
bool ImportLists(const CliOptions& options, JobDocument& document, std::FILE* err) {
  JobDocument imported = document;
  for (const auto& [file, grid] :
       {std::pair{options.ImportCut, GridId::Cut}, {options.ImportStock, GridId::Stock}}) {
    if (!file) continue;
    const std::string name = ReadableFileName(*file);
    ListCsvRead read;
    try {
      read = ReadListCsv(ReadInputFile(*file), grid);
    } catch (const IoError& error) {
      WriteMessage(err, name + ": " + error.what());
      return false;
    }
    for (const std::string& problem : read.Problems) WriteMessage(err, name + ": " + Cp932ToUtf8(problem));
    if (!read.Problems.empty()) return false;
    ApplyListCsv(imported, grid, read);
  }
  document = std::move(imported);
  return true;
}

// --stock-trace: the steel of the stock rows, by row of the tidied job. False
// when the file is refused (said on `err`).
bool ReadStockTraceFile(const CliOptions& options, const JobDocument& document,
                        std::vector<SteelTrace>& rowTraces, std::FILE* err) {
  if (!options.StockTrace) return true;
  const std::string name = ReadableFileName(*options.StockTrace);
  StockTraceRead read;
  try {
    read = ReadStockTrace(ReadInputFile(*options.StockTrace), document);
  } catch (const IoError& error) {
    WriteMessage(err, name + ": " + error.what());
    return false;
  }
  for (const std::string& problem : read.Problems) WriteMessage(err, name + ": " + Cp932ToUtf8(problem));
  if (!read.Problems.empty()) return false;
  // The rows keep their steel as the job is tidied for planning.
  rowTraces = FollowTidying(document, read.Rows);
  return true;
}

}  // namespace

int RunBatch(const CliOptions& options, std::FILE* out, std::FILE* err, const PdfWriter& pdf,
             const PdfWriter& diagrams, const LabelsWriter& labels, StopToken& stop) {
  if ((options.PdfFile && !pdf) || (options.DiagramsFile && !diagrams) || (options.LabelsFile && !labels)) {
    WriteMessage(err, "PDF output is not available in this build");
    return kExitFailure;
  }

  std::unique_ptr<PlanResult> result;
  std::vector<std::string> reportLines;
  std::optional<Inventory> inventory;  // with --take-offcuts or --keep-offcuts
  std::vector<PlacedOffcutRow> takenRows;
  std::vector<SteelTrace> rowTraces;  // by stock row of the job as planned
  try {
    JobDocument document;
    try {
      if (LoadDataFile(document, options.JobFile) == LoadResult::WrongVersion) {
        WriteMessage(err, message::kWrongVersion);
        return kExitFailure;
      }
    } catch (const IoError& error) {
      WriteMessage(err, ReadableFileName(options.JobFile) + ": " + error.what());
      return kExitFailure;
    }
    if (!ImportLists(options, document, err)) return kExitFailure;
    if (!ReadStockTraceFile(options, document, rowTraces, err)) return kExitFailure;
    if (const std::optional<UnreadableCell> cell = FirstUnreadableCell(document)) {
      WriteMessage(err, Cp932ToUtf8(cell->Message));
      return kExitFailure;
    }
    if (const std::optional<std::string> problem = CheckOutputFiles(options)) {
      WriteMessage(err, *problem);
      return kExitFailure;
    }
    document.OffcutMin = options.OffcutMin;
    if (options.TakeOffcuts || options.KeepOffcuts) {
      InventoryResult<Inventory> opened = OpenOffcutInventory(options);
      if (!opened) {
        WriteMessage(err, Cp932ToUtf8(opened.Error().Message));
        return kExitFailure;
      }
      inventory.emplace(std::move(opened).Value());
    }
    if (options.TakeOffcuts) {
      // Recorded when the job can be met again: kept now, or saved.
      const bool record = options.KeepOffcuts || options.SaveFile.has_value();
      InventoryResult<std::vector<PlacedOffcutRow>> taken = TakeOffcuts(*inventory, document, record, err);
      if (!taken) return kExitFailure;
      takenRows = std::move(taken).Value();
    } else if (options.KeepOffcuts) {
      InventoryResult<std::vector<PlacedOffcutRow>> taken = RecordedTakenRows(*inventory, document, err);
      if (!taken) return kExitFailure;
      takenRows = std::move(taken).Value();
    }
    if (options.TimeLimitSeconds) stop.SetTimeLimit(*options.TimeLimitSeconds);
    std::unique_ptr<Planner> planner;
    if (options.Exact) {
      planner = std::make_unique<OptimalPlanner>();
    } else {
      planner = std::make_unique<RunPlanner>(options.Trials);
    }
    ProgressLines progress(options.Progress ? err : nullptr);
    result = std::make_unique<PlanResult>(planner->MakePlan(Normalized(document), progress, stop));
    WriteOutputFiles(options, *result, takenRows, rowTraces, pdf, diagrams, labels);
    if (result->Status == PlanStatus::Planned && !options.Json)
      reportLines = ReportBuilder().BuildReport(*result);
  } catch (const IoError& error) {
    WriteMessage(err, error.what());
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    WriteMessage(err, PlatformErrorText(ENOMEM));
    return kExitFailure;
  }
  const BatchOutcome outcome = OutcomeOf(*result);
  if (result->Status != PlanStatus::Planned) {
    WriteMessage(err, outcome.Message);
    return outcome.ExitCode;
  }

  const bool written =
      options.Json ? WriteText(out, PlanJson(*result)) : WriteReport(out, reportLines, options.Encoding);
  if (!written) {
    WriteMessage(err, std::string(message::kStandardOutput) + ": " + PlatformErrorText(errno));
    return kExitFailure;
  }
  if (!outcome.Message.empty()) WriteMessage(err, outcome.Message);
  // After the report, so a refused keep still leaves the plan on stdout; a
  // stopped planning keeps nothing and still says it was stopped.
  if (options.KeepOffcuts && !KeepOffcuts(*inventory, *result, takenRows, rowTraces, options, err))
    return result->Stopped ? outcome.ExitCode : kExitFailure;
  return outcome.ExitCode;
}

}  // namespace yobina
