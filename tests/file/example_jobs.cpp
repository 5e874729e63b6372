#include "file/example_jobs.h"

#include <string_view>
#include <utility>

#include "text/codec.h"
#include "text/number_text.h"

namespace yobina::test {
namespace {

using Rows = std::vector<std::pair<int, int>>;

// What the fields and cells hold once the user has left each of them.
struct TypedJob {
  int Year, Month, Day;
  std::string_view ProjectName, MemberName;  // UTF-8
  double UnitWeight;
  int Margin, Kerf, TrialIndex;
  Rows Stock, Cut;
};

void FillGrid(InputPage& page, GridId grid, const Rows& rows) {
  int row = 1;
  for (const auto& [length, count] : rows) {
    page.SetCellText(grid, 1, row, RealToTextBlankZero(60, length));
    page.SetCellText(grid, 2, row, RealToTextBlankZero(50, count));
    ++row;
  }
}

void Fill(InputPage& page, const TypedJob& job) {
  page.SetFieldText(FieldId::Year, RealToText(50, job.Year));
  page.SetFieldText(FieldId::Month, RealToText(30, job.Month));
  page.SetFieldText(FieldId::Day, RealToText(30, job.Day));
  page.SetFieldText(FieldId::ProjectName, Cp932(job.ProjectName));
  page.SetFieldText(FieldId::MemberName, Cp932(job.MemberName));
  page.SetFieldText(FieldId::UnitWeight, RealToText(82, job.UnitWeight));
  page.SetFieldText(FieldId::Margin, RealToText(30, job.Margin));
  page.SetFieldText(FieldId::Kerf, RealToText(30, job.Kerf));
  page.SetTrialIndex(job.TrialIndex);
  FillGrid(page, GridId::Stock, job.Stock);
  FillGrid(page, GridId::Cut, job.Cut);
}

const TypedJob kReference{2026,
                          4,
                          15,
                          "港北物流センター新築工事",
                          "Ｌ－７５×７５×６",
                          6.85,
                          0,
                          5,
                          0,
                          {{6000, 30}, {7000, 10}},
                          {{2300, 7}, {1700, 9}, {1300, 5}, {900, 11}}};

// Girts of a warehouse: every row of the cut list in use.
const TypedJob kFullCutList{
    2026,
    5,
    8,
    "南部倉庫増築工事　胴縁",
    "Ｃ－１００×５０×２０×２．３",
    4.06,
    10,
    3,
    1,
    {{5500, 12}, {6000, 40}, {7000, 25}, {8000, 20}, {9000, 15}},
    {{5950, 2}, {5725, 3}, {5480, 2}, {5210, 4}, {4985, 2}, {4750, 3}, {4520, 5}, {4300, 2}, {4125, 4},
     {3960, 3}, {3780, 6}, {3615, 2}, {3450, 4}, {3290, 3}, {3105, 5}, {2950, 2}, {2800, 6}, {2640, 3},
     {2485, 4}, {2310, 7}, {2175, 2}, {2020, 5}, {1890, 3}, {1745, 8}, {1600, 4}, {1480, 2}, {1355, 6},
     {1220, 3}, {1100, 5}, {985, 9},  {870, 4},  {760, 6},  {640, 3},  {525, 8},  {450, 10}}};

// A post longer than every bar on hand: no plan exists.
const TypedJob kNoPlan{2026, 6, 1, "北町駐輪場上屋",        "□－１００×１００×３．２",        9.52,
                       10,   3, 0, {{6000, 10}, {5500, 5}}, {{3000, 4}, {6500, 2}, {1200, 8}}};

// A job saved while still being typed: blank rows, numbers as typed, a length
// twice in the cut list. A Run compacts and normalises it.
void FillTypedInGaps(InputPage& page) {
  page.SetFieldText(FieldId::Year, "8");
  page.SetFieldText(FieldId::Month, "11");
  page.SetFieldText(FieldId::Day, " 3");
  page.SetFieldText(FieldId::ProjectName, Cp932("（仮称）西田邸新築工事"));
  page.SetFieldText(FieldId::MemberName, Cp932("Ｈ－２００×１００×５．５×８"));
  page.SetFieldText(FieldId::UnitWeight, "20.9");
  page.SetFieldText(FieldId::Margin, "5");
  page.SetFieldText(FieldId::Kerf, "");
  page.SetTrialIndex(1);
  const GridId stock = GridId::Stock;
  page.SetCellText(stock, 1, 1, "9000");
  page.SetCellText(stock, 2, 1, "6");
  page.SetCellText(stock, 1, 3, "  6000");
  page.SetCellText(stock, 2, 3, "12");
  page.SetCellText(stock, 1, 4, "5500.7");
  page.SetCellText(stock, 2, 4, "4");
  const GridId cut = GridId::Cut;
  page.SetCellText(cut, 1, 1, "4200");
  page.SetCellText(cut, 2, 1, "4");
  page.SetCellText(cut, 1, 3, "2650");
  page.SetCellText(cut, 2, 3, "6");
  page.SetCellText(cut, 1, 5, "4200");
  page.SetCellText(cut, 2, 5, "  2");
  page.SetCellText(cut, 1, 6, "");
  page.SetCellText(cut, 2, 6, "3");
  page.SetCellText(cut, 1, 8, "1875");
  page.SetCellText(cut, 2, 8, "9");
}

}  // namespace

std::vector<ExampleJob> ExampleJobs() {
  return {
      {"reference.qzl", [](InputPage& page) { Fill(page, kReference); }},
      {"full-cut-list.qzl", [](InputPage& page) { Fill(page, kFullCutList); }},
      {"no-plan.qzl", [](InputPage& page) { Fill(page, kNoPlan); }},
      {"typed-with-gaps.qzl", FillTypedInGaps},
  };
}

}  // namespace yobina::test
