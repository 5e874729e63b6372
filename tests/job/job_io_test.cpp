#include "job/job_io.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace yobina {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;  // (length, count) cell texts
using Values = std::vector<std::pair<int32_t, int32_t>>;        // (Length, Count)

void FillGrid(JobDocument& document, GridId grid, const Rows& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) RowsOf(document, grid)[i] = {rows[i].first, rows[i].second};
}

Rows GridRows(const JobDocument& document, GridId grid, int count) {
  Rows rows;
  for (int r = 0; r < count; ++r) {
    const JobRow& row = RowsOf(document, grid)[static_cast<std::size_t>(r)];
    rows.emplace_back(row.Length, row.Count);
  }
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

TEST(ReadJob, SkipsBlankRowsAndCompactsOnWrite) {
  JobDocument document;
  FillGrid(document, GridId::Stock, {{"6000", "10"}, {"", ""}, {"5500", "4"}});
  TJob job = ReadJob(document);
  EXPECT_EQ(TableValues(job.StockTable, job.StockCount), (Values{{6000, 10}, {5500, 4}}));

  WriteJob(job, document);
  EXPECT_EQ(GridRows(document, GridId::Stock, 3), (Rows{{"  6000", "   10"}, {"  5500", "    4"}, {"", ""}}));
}

TEST(ReadJob, KeepsRowsByLengthOnly) {
  JobDocument document;
  FillGrid(
      document, GridId::Cut,
      {{"", "3"}, {"2500", ""}, {"6000.9", "2"}, {"-1.7", "1"}, {"0", "9"}, {"abc", "1"}, {" 300mm", "x"}});
  TJob job = ReadJob(document);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{2500, 0}, {6000, 2}, {-1, 1}, {300, 0}}));

  WriteJob(job, document);
  EXPECT_EQ(GridRows(document, GridId::Cut, 5),
            (Rows{{"  2500", ""}, {"  6000", "    2"}, {"    -1", "    1"}, {"   300", ""}, {"", ""}}));
}

TEST(ReadJob, ReadsTheLastGridRow) {
  JobDocument document;
  document.StockRows[kGridDataRows - 1] = {"9000", "1"};
  TJob job = ReadJob(document);
  EXPECT_EQ(TableValues(job.StockTable, job.StockCount), (Values{{9000, 1}}));
}

TEST(WriteJob, EmptyGridsClearEveryDataCell) {
  JobDocument document;
  for (GridId grid : {GridId::Stock, GridId::Cut}) {
    for (JobRow& row : RowsOf(document, grid)) row = JobRow{"", "7"};  // counts without lengths
  }
  TJob job = ReadJob(document);
  EXPECT_EQ(job.StockCount, 0);
  EXPECT_EQ(job.CutCount, 0);
  WriteJob(job, document);
  for (GridId grid : {GridId::Stock, GridId::Cut}) {
    EXPECT_EQ(RowsOf(document, grid), std::vector<JobRow>(kGridDataRows));
  }
}

TEST(WriteJob, WritesMarginAndKerfWidthThree) {
  JobDocument document;
  document.Margin = "5";
  document.Kerf = "";
  TJob job = ReadJob(document);
  EXPECT_EQ(job.Margin, 5);
  EXPECT_EQ(job.Kerf, 0);
  WriteJob(job, document);
  EXPECT_EQ(document.Margin, "  5");
  EXPECT_EQ(document.Kerf, "  0");
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
  JobDocument document;
  FillGrid(document, GridId::Cut, {{"3000", "2"}, {"2500", "1"}, {"3000", "5"}, {"2500", "4"}});
  FillGrid(document, GridId::Stock, {{"", ""}, {"6000", "3"}});
  MergeEqualCutLengths(document);
  const TJob job = ReadJob(document);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{3000, 7}, {2500, 5}}));
  EXPECT_EQ(GridRows(document, GridId::Cut, 3), (Rows{{"  3000", "    7"}, {"  2500", "    5"}, {"", ""}}));
  EXPECT_EQ(GridRows(document, GridId::Stock, 2), (Rows{{"  6000", "    3"}, {"", ""}}));
}

TEST(MergeEqualCutLengths, KeepsOrderAndDropsEveryMergedRow) {
  JobDocument document;
  FillGrid(document, GridId::Cut,
           {{"900", "1"}, {"", "8"}, {"900", "1"}, {"100", ""}, {"900", "1"}, {"100", "2"}});
  MergeEqualCutLengths(document);
  const TJob job = ReadJob(document);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{900, 3}, {100, 2}}));
}

TEST(MergeEqualCutLengths, SaturatesHugeCounts) {
  JobDocument document;
  FillGrid(document, GridId::Cut, {{"100", "2147483647"}, {"100", "2147483647"}, {"100", "-5"}});
  MergeEqualCutLengths(document);
  const TJob job = ReadJob(document);
  EXPECT_EQ(TableValues(job.CutTable, job.CutCount), (Values{{100, 2147483642}}));
}

TEST(SortCutList, SortsTheCutListAndCompactsBothLists) {
  JobDocument document;
  FillGrid(document, GridId::Cut, {{"4000", "1"}, {"", ""}, {"2500", "3"}});
  FillGrid(document, GridId::Stock, {{"", ""}, {"9000", "1"}, {"6000", "2"}});
  SortCutList(document);
  EXPECT_EQ(GridRows(document, GridId::Cut, 3), (Rows{{"  2500", "    3"}, {"  4000", "    1"}, {"", ""}}));
  EXPECT_EQ(GridRows(document, GridId::Stock, 2),
            (Rows{{"  9000", "    1"}, {"  6000", "    2"}}));  // not sorted
}

}  // namespace
}  // namespace yobina
