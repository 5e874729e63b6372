#include "cli/project_run.h"

#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <optional>
#include <string_view>
#include <vector>

#include "cli/batch_run.h"
#include "file/io_error.h"
#include "project/input_file.h"
#include "project/parts_source.h"
#include "project/project_input.h"
#include "project/project_outputs.h"
#include "project/project_planner.h"
#include "project/section_offcuts.h"
#include "project/section_store.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

void Say(std::FILE* err, std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), err);
  std::fputc('\n', err);
}

std::string FileText(const std::filesystem::path& file, std::string_view utf8) {
  return file.string() + ": " + std::string(utf8);
}

// "[12/300] H-400×200 SS400: 証明済 (1.2 s)" as each section is done, whose
// full result goes to the store.
class ProgressLines : public ProjectObserver {
 public:
  ProgressLines(const ProjectInput& input, SectionStore& store, std::FILE* err)
      : input_(input), store_(store), err_(err) {}
  void SectionStarted(size_t) override {}
  void SectionFinished(size_t section, const SectionResult& result) override {
    store_.Put(section, result);
    const std::lock_guard<std::mutex> lock(mutex_);
    ProjectResult one;  // ProofText reads a section of a project
    one.Input.Sections = {input_.Sections[section]};
    one.Sections = {SummaryOf(result)};
    std::fprintf(err_, "[%zu/%zu] %s: %s (%.1f s)\n", ++done_, input_.Sections.size(),
                 Cp932ToUtf8(input_.Sections[section].Name).c_str(), Cp932ToUtf8(ProofText(one, 0)).c_str(),
                 result.Seconds);
  }

 private:
  const ProjectInput& input_;
  SectionStore& store_;
  std::FILE* err_;
  std::mutex mutex_;
  size_t done_ = 0;
};

// The folder is written only after planning: a folder that cannot be is
// refused before the user waits for the plans.
std::optional<std::string> FolderFault(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::path existing = folder.empty() ? std::filesystem::path(".") : folder;
  while (!std::filesystem::exists(existing, error)) {
    if (!existing.has_parent_path() || existing.parent_path() == existing) break;
    existing = existing.parent_path();
  }
  if (!std::filesystem::exists(existing, error)) existing = ".";
  if (!std::filesystem::is_directory(existing, error)) return "フォルダではありません。";
  if (::access(existing.c_str(), W_OK | X_OK) != 0) return PlatformErrorText(errno);
  return std::nullopt;
}

std::optional<std::string> ReadOptional(const std::optional<std::filesystem::path>& file) {
  if (!file) return std::nullopt;
  return ReadInputFile(*file);
}

// Every section's offcuts in the inventory join its bars on hand; false, said
// on `err`, when the inventory cannot be read.
bool TakeOffcuts(const ProjectOptions& options, ProjectInput& input, std::FILE* err) {
  InventoryResult<Inventory> inventory =
      options.OffcutsFile ? Inventory::Open(*options.OffcutsFile) : Inventory::OpenDefault();
  if (!inventory) {
    Say(err, Cp932ToUtf8(inventory.Error().Message));
    return false;
  }
  const InventoryResult<int64_t> bars = TakeSectionOffcuts(inventory.Value(), input);
  if (!bars) {
    Say(err, Cp932ToUtf8(bars.Error().Message));
    return false;
  }
  Say(err, "在庫の残材 " + std::to_string(bars.Value()) + " 本を手持ちに加えました。");
  return true;
}

// The inputs, each with the name messages give it.
std::vector<NamedInput> InputsOf(const ProjectOptions& options) {
  std::vector<NamedInput> inputs = {{"部品表", options.PartsFile}};
  if (options.CatalogueFile) inputs.push_back({"定尺表", *options.CatalogueFile});
  if (options.StockFile) inputs.push_back({"在庫表", *options.StockFile});
  if (options.TakeOffcuts) {
    const std::optional<std::filesystem::path> inventory =
        options.OffcutsFile ? options.OffcutsFile : DefaultInventoryPath();
    if (inventory) inputs.push_back({"残材在庫", *inventory});
  }
  return inputs;
}

// What the run would replace or remove in the folder, checked before the planning.
std::optional<std::string> FolderRefusal(const BuildingFolder& folder, const ProjectInput& input,
                                         const ProjectOptions& options) {
  std::vector<std::string> names = BuildingFileNames(input);
  try {
    folder.CheckTargets(names);
  } catch (const IoError& error) {
    return error.what();
  }
  const std::vector<std::string> earlier = folder.EarlierFiles();
  names.insert(names.end(), earlier.begin(), earlier.end());
  return InputInFolder(folder.Folder(), names, InputsOf(options));
}

constexpr std::string_view kStoppedText = "中断しました。何も書いていません。";

int PlanBuilding(const ProjectOptions& options, std::FILE* out, std::FILE* err, const ProjectPdfWriter& pdf,
                 const ProjectPdfWriter& labels, const StopToken& stop) {
  PartsListRead parts;
  std::optional<std::string> catalogue;
  std::optional<std::string> stock;
  const std::filesystem::path* reading = &options.PartsFile;
  try {
    parts = ReadPartsSource(options.PartsFile, options.NcLengthChoice);
    reading = options.CatalogueFile ? &*options.CatalogueFile : reading;
    catalogue = ReadOptional(options.CatalogueFile);
    reading = options.StockFile ? &*options.StockFile : reading;
    stock = ReadOptional(options.StockFile);
  } catch (const IoError& error) {
    Say(err, FileText(*reading, error.what()));
    return kExitFailure;
  }

  // An input named like a file of the folder is said before its faults are.
  if (const std::optional<std::string> refusal =
          InputInFolder(options.OutFolder, BuildingFileNames(ProjectInput{}), InputsOf(options))) {
    Say(err, *refusal);
    return kExitFailure;
  }

  ProjectSettings settings;
  settings.ProjectName = ProjectNameOf(options.PartsFile);
  settings.Kerf = options.Kerf;
  settings.Margin = options.Margin;
  settings.MaxLengths = options.MaxLengths;
  settings.SectionSeconds = options.SectionSeconds;
  settings.SkipBadLines = options.SkipBadLines;
  ProjectInput input = ReadProject(parts, catalogue, stock, settings);
  for (const LineIssue& issue : input.Issues) Say(err, Cp932ToUtf8(IssueText(issue)));
  for (const std::string& note : input.Notes) Say(err, Cp932ToUtf8(note));
  // An NC folder's faults are its files'.
  const std::string bad = std::any_of(input.Issues.begin(), input.Issues.end(),
                                      [](const LineIssue& issue) { return !issue.Source.empty(); })
                              ? "ファイル"
                              : "行";
  if (!input.Ready) {
    Say(err, AnyUnskippable(input.Issues) || options.SkipBadLines
                 ? "入力に誤りがあります。何も書いていません。"
                 : "入力に誤りがあります。何も書いていません（誤った" + bad +
                       "を除いて計画するには --skip-bad-lines）。");
    return kExitFailure;
  }
  if (!input.Issues.empty()) Say(err, "誤りのある" + bad + "を除いて計画します。");
  if (const std::optional<std::string> fault = FolderFault(options.OutFolder)) {
    Say(err, FileText(options.OutFolder, *fault));
    return kExitFailure;
  }
  std::optional<BuildingFolder> folder;
  try {
    folder.emplace(options.OutFolder);
  } catch (const IoError& error) {
    Say(err, error.what());
    return kExitFailure;
  }
  if (const std::optional<std::string> refusal = FolderRefusal(*folder, input, options)) {
    Say(err, *refusal);
    return kExitFailure;
  }
  if (options.TakeOffcuts && !TakeOffcuts(options, input, err)) return kExitFailure;

  std::optional<ProjectResult> planned;
  try {
    SectionStore store(folder->Staging(), input.Sections.size());
    PlanningLimits limits;
    limits.Stop = &stop.StopFlag();
    ProgressLines progress(input, store, err);
    planned.emplace(PlanProject(input, limits, progress));
    if (planned->Stopped) {
      Say(err, kStoppedText);
      return kExitStopped;
    }
    WriteBuildingFiles(
        *planned, [&store](size_t section) { return store.Get(section); }, *folder, pdf, &stop.StopFlag(),
        labels);
    folder->Commit();
  } catch (const WritingStopped&) {
    Say(err, kStoppedText);
    return kExitStopped;
  } catch (const IoError& error) {
    Say(err, error.what());
    return kExitFailure;
  }
  const ProjectResult& result = *planned;

  const PurchaseTotals totals = TotalsOf(result);
  std::string line = "購入 " + IntText(totals.Bars, 0) + " 本";
  if (totals.WeightKg) line += ", " + FixedText(static_cast<double>(*totals.WeightKg) / 1000, 0, 3) + " t";
  if (totals.Yen) line += ", " + IntText(*totals.Yen, 0) + " 円";
  Say(out, line);
  std::vector<std::string> without;
  for (size_t s = 0; s < result.Sections.size(); ++s) {
    if (!result.Sections[s].HasPlan()) without.push_back(Cp932ToUtf8(result.Input.Sections[s].Name));
  }
  if (without.empty()) return kExitPlanFound;
  std::string names;
  for (const std::string& name : without) names += (names.empty() ? "" : ", ") + name;
  Say(err, "計画のない部材: " + names);
  return kExitNoPlan;
}

}  // namespace

int RunProject(const ProjectOptions& options, std::FILE* out, std::FILE* err, const ProjectPdfWriter& pdf,
               const ProjectPdfWriter& labels, const StopToken& stop) {
  try {
    return PlanBuilding(options, out, err, pdf, labels, stop);
  } catch (const std::bad_alloc&) {
    Say(err, "メモリが足りません。");
    return kExitFailure;
  }
}

}  // namespace yobina
