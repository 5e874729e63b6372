#include "job/job_io.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "job/memory_input_page.h"

namespace yobina {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;  // (length, count) cell texts
using Values = std::vector<std::pair<int32_t, int32_t>>;        // (Length, Count)

void FillGrid(MemoryInputPage& page, GridId grid, const Rows& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    page.SetCellText(grid, 1, static_cast<int>(i) + 1, rows[i].first);
    page.SetCellText(grid, 2, static_cast<int>(i) + 1, rows[i].second);
  }
}

Rows GridRows(const MemoryInputPage& page, GridId grid, int count) {
  Rows rows;
  for (int r = 1; r <= count; ++r) rows.emplace_back(page.CellText(grid, 1, r), page.CellText(grid, 2, r));
  return rows;
}

Values TableValues(const TLengthTable& table, int32_t count) {
  Values values;
  for (int32_t r = 1; r <= count; ++r) {
    values.emplace_back(table[static_cast<std::size_t>(r)].Length, table[static_cast<std::size_t>(r)].Count);
  }
  return values;
}

void SetLengths(TLengthTable& table, int32_t& count, const std::vector<int32_t>& lengths) {
  count = static_cast<int32_t>(lengths.size());
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    // The count tells equal lengths apart after the sort.
    table[i + 1] = TLengthRow{lengths[i], static_cast<int32_t>(i) + 1, 0};
  }
}

TEST(ReadJobFromInput, SkipsBlankRowsAndCompactsOnWrite) {
  MemoryInputPage page;
  FillGrid(page, GridId::Stock, {{"6000", "10"}, {"", ""}, {"5500", "4"}});
  TJob job;
  ReadJobFromInput(page, job);
  EXPECT_EQ(TableValues(job.StockTable, job.StockCount), (Values{{6000, 10}, {5500, 4}}));

  WriteJobToInput(job, page);
  EXPECT_EQ(GridRows(page, GridId::Stock, 3), (Rows{{"  6000", "   10"}, {"  5500", "    4"}, {"", ""}}));
}

TEST(ReadJobFromInput, KeepsRowsByLengthOnly) {
  MemoryInputPage page;
  FillGrid(
      page, GridId::Cut,
      {{"", "3"}, {"2500", ""}, {"6000.9", "2"}, {"-1.7", "1"}, {"0", "9"}, {"abc", "1"}, {" 300mm", "x"}});
  TJob job;
  ReadJobFromInput(page, job);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{2500, 0}, {6000, 2}, {-1, 1}, {300, 0}}));

  WriteJobToInput(job, page);
  EXPECT_EQ(GridRows(page, GridId::Cut, 5),
            (Rows{{"  2500", ""}, {"  6000", "    2"}, {"    -1", "    1"}, {"   300", ""}, {"", ""}}));
}

TEST(ReadJobFromInput, ReadsTheLastGridRow) {
  MemoryInputPage page;
  page.SetCellText(GridId::Stock, 1, kGridDataRows, "9000");
  page.SetCellText(GridId::Stock, 2, kGridDataRows, "1");
  TJob job;
  ReadJobFromInput(page, job);
  EXPECT_EQ(TableValues(job.StockTable, job.StockCount), (Values{{9000, 1}}));
}

TEST(WriteJobToInput, EmptyGridsClearEveryDataCell) {
  MemoryInputPage page;
  for (int r = 1; r <= kGridDataRows; ++r) {
    page.SetCellText(GridId::Stock, 2, r, "7");  // counts without lengths
    page.SetCellText(GridId::Cut, 2, r, "7");
  }
  TJob job;
  ReadJobFromInput(page, job);
  EXPECT_EQ(job.StockCount, 0);
  EXPECT_EQ(job.CutCount, 0);
  WriteJobToInput(job, page);
  for (int r = 1; r <= kGridDataRows; ++r) {
    for (GridId grid : {GridId::Stock, GridId::Cut}) {
      EXPECT_EQ(page.CellText(grid, 1, r), "");
      EXPECT_EQ(page.CellText(grid, 2, r), "");
    }
  }
  EXPECT_EQ(page.CellText(GridId::Stock, 0, 7), "  7");  // row numbers stay
}

TEST(WriteJobToInput, WritesMarginAndKerfWidthThree) {
  MemoryInputPage page;
  page.SetFieldText(FieldId::Margin, "5");
  page.SetFieldText(FieldId::Kerf, "");
  TJob job;
  ReadJobFromInput(page, job);
  EXPECT_EQ(job.Margin, 5);
  EXPECT_EQ(job.Kerf, 0);
  WriteJobToInput(job, page);
  EXPECT_EQ(page.FieldText(FieldId::Margin), "  5");
  EXPECT_EQ(page.FieldText(FieldId::Kerf), "  0");
}

struct SortCase {
  std::vector<int32_t> lengths;
  Values sorted;  // (Length, original position)
};

class SortTest : public ::testing::TestWithParam<SortCase> {};

TEST_P(SortTest, LeavesTheExchangeSortOrder) {
  TJob job;
  SetLengths(job.StockTable, job.StockCount, GetParam().lengths);
  SetLengths(job.CutTable, job.CutCount, GetParam().lengths);
  SortStockTable(job);
  SortCutTable(job);
  EXPECT_EQ(TableValues(job.StockTable, job.StockCount), GetParam().sorted);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), GetParam().sorted);
}

INSTANTIATE_TEST_SUITE_P(Cases, SortTest,
                         ::testing::Values(SortCase{{7000, 5000, 5000, 3000},
                                                    {{3000, 4}, {5000, 3}, {5000, 2}, {7000, 1}}},
                                           SortCase{{5000, 5000, 3000}, {{3000, 3}, {5000, 2}, {5000, 1}}},
                                           SortCase{{3000, 5000, 5000}, {{3000, 1}, {5000, 2}, {5000, 3}}},
                                           SortCase{{-5, 0, 10, -20}, {{-20, 4}, {-5, 1}, {0, 2}, {10, 3}}},
                                           SortCase{{4000}, {{4000, 1}}}, SortCase{{}, {}}));

TEST(Sort, LeavesRowsPastTheCountAlone) {
  TJob job;
  SetLengths(job.CutTable, job.CutCount, {9, 8, 7});
  job.CutCount = 2;
  job.CutTable[1].Remaining = 42;
  SortCutTable(job);
  EXPECT_EQ(TableValues(job.CutTable, 3), (Values{{8, 2}, {9, 1}, {7, 3}}));
  EXPECT_EQ(job.CutTable[2].Remaining, 42);  // whole rows move
}

TEST(MergeEqualCutLengths, SumsCountsIntoTheFirstRowOfEachLength) {
  MemoryInputPage page;
  FillGrid(page, GridId::Cut, {{"3000", "2"}, {"2500", "1"}, {"3000", "5"}, {"2500", "4"}});
  FillGrid(page, GridId::Stock, {{"", ""}, {"6000", "3"}});
  TJob job;
  MergeEqualCutLengths(page, job);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{3000, 7}, {2500, 5}}));
  EXPECT_EQ(GridRows(page, GridId::Cut, 3), (Rows{{"  3000", "    7"}, {"  2500", "    5"}, {"", ""}}));
  EXPECT_EQ(GridRows(page, GridId::Stock, 2), (Rows{{"  6000", "    3"}, {"", ""}}));
}

TEST(MergeEqualCutLengths, KeepsOrderAndDropsEveryMergedRow) {
  MemoryInputPage page;
  FillGrid(page, GridId::Cut,
           {{"900", "1"}, {"", "8"}, {"900", "1"}, {"100", ""}, {"900", "1"}, {"100", "2"}});
  TJob job;
  MergeEqualCutLengths(page, job);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{900, 3}, {100, 2}}));
}

TEST(MergeEqualCutLengths, SaturatesHugeCounts) {
  MemoryInputPage page;
  FillGrid(page, GridId::Cut, {{"100", "2147483647"}, {"100", "2147483647"}, {"100", "-5"}});
  TJob job;
  MergeEqualCutLengths(page, job);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{100, 2147483642}}));
}

}  // namespace
}  // namespace yobina
