// The files a planned building gives, as bytes (BuildingFolder writes them).
//
//  purchase.csv  UTF-8 with a byte-order mark, CR LF: "部材名,長さ,本数,重量(t),金額",
//                a line a section and length bought (sections with a plan, in
//                the parts list's order), then the totals line "合計".
//  summary.csv   likewise: "部材名,部品数,素材延長(m),重量(t),ロス率(%),証明,金額",
//                a line a section; stock and weight of every bar the plan cuts
//                (on hand too), the price of the bars bought.
//  project.json  everything above, with each section's cut rows, patterns and notes.
//  NNN_<section>.qzl  a job file a section (the bars the plan cuts as stock
//                rows) for sections with a plan that fits the input page.
// Weights are to the whole kg a line and prices to the whole yen a line, so
// that totals are the sums of the lines; a cell is empty where the figure is
// unknown (no unit weight, no price), and so is a total over such a cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "job/job_document.h"
#include "project/project_result.h"

namespace yobina {

struct PurchaseTotals {
  int64_t Bars = 0;
  std::optional<int64_t> WeightKg = 0;
  std::optional<int64_t> Yen = 0;
};

// Over the bars bought of every section with a plan.
PurchaseTotals TotalsOf(const ProjectResult& result);

// A section's line of the summary; for a section with a plan.
struct SectionFigures {
  int64_t Pieces = 0;
  int64_t StockMm = 0;              // every bar the plan cuts
  std::optional<int64_t> WeightKg;  // of those bars, to the whole kg a length
  std::optional<int64_t> Yen;       // of the bars bought
};

SectionFigures FiguresOf(const ProjectResult& result, size_t section);

// The section's 証明 cell (code page 932): 証明済, 最安未証明, 未証明(差 x m),
// 計画なし, 時間切れ, 中断 or 対象外, with "ジョブファイルなし" where it has none.
std::string ProofText(const ProjectResult& result, size_t section);

// Thrown where a stop ends the writing of a building's files.
class WritingStopped : public std::exception {
 public:
  const char* what() const noexcept override { return "stopped"; }
};

// A section's full result read back (see SectionStore); throws IoError.
using SectionReader = std::function<SectionResult(size_t section)>;

std::string PurchaseCsv(const ProjectResult& result);
std::string SummaryCsv(const ProjectResult& result);
// project.json is the head, each section's piece in order (`full` is the
// section's result), then the tail.
std::string ProjectJsonHead(const ProjectResult& result);
std::string ProjectJsonSection(const ProjectResult& result, size_t section, const SectionResult& full);
std::string ProjectJsonTail(const ProjectResult& result);

// The section's job as the window would show it: project and section names,
// unit weight, margin, kerf, the tables of SectionResult::Job. Only for a
// section with a plan; rows past the page's lists are left out.
JobDocument SectionDocument(const ProjectResult& result, size_t section, const SectionResult& full);

// Whether the section gets a job file: it has a plan and its tables fit the page's grids.
bool HasJobFile(const ProjectResult& result, size_t section);

// "NNN_<section>.qzl": the section's number from 001, its name in UTF-8 with
// the characters file names cannot hold as "_".
std::string JobFileName(const ProjectInput& input, size_t section);
inline std::string JobFileName(const ProjectResult& result, size_t section) {
  return JobFileName(result.Input, section);
}

}  // namespace yobina
