// The edit commands, and printing the last Run whatever was edited since.
#include "app/commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/recording_run_view.h"
#include "job/memory_input_page.h"
#include "support/recording_print_device.h"

namespace yobina {
namespace {

using Rows = std::vector<std::pair<const char*, const char*>>;

void SetRows(InputPage& page, GridId grid, const Rows& rows) {
  for (int row = 1; row <= 35; ++row) {
    const bool used = row <= static_cast<int>(rows.size());
    page.SetCellText(grid, 1, row, used ? rows[row - 1].first : "");
    page.SetCellText(grid, 2, row, used ? rows[row - 1].second : "");
  }
}

// "length|count" of the first rows of a grid.
std::vector<std::string> GridRows(const InputPage& page, GridId grid, int count) {
  std::vector<std::string> rows;
  for (int row = 1; row <= count; ++row)
    rows.push_back(page.CellText(grid, 1, row) + "|" + page.CellText(grid, 2, row));
  return rows;
}

TEST(EditCommands, MergeAndSortOnlyTouchTheGrids) {
  auto workspace = std::make_unique<Workspace>();
  MemoryInputPage page;
  SetRows(page, GridId::Cut, {{"3000", "2"}, {"2500", "1"}, {"3000", "5"}, {"", ""}, {"2500", "4"}});
  MergeEqualLengthsCommand(page, *workspace);
  EXPECT_EQ(GridRows(page, GridId::Cut, 3), (std::vector<std::string>{"  3000|    7", "  2500|    5", "|"}));

  SetRows(page, GridId::Cut, {{"4000", "1"}, {"", ""}, {"2500", "3"}});
  SetRows(page, GridId::Stock, {{"", ""}, {"9000", "1"}, {"6000", "2"}});
  SortCutListCommand(page, *workspace);
  EXPECT_EQ(GridRows(page, GridId::Cut, 3), (std::vector<std::string>{"  2500|    3", "  4000|    1", "|"}));
  EXPECT_EQ(GridRows(page, GridId::Stock, 2),  // compacted, not sorted
            (std::vector<std::string>{"  9000|    1", "  6000|    2"}));
}

TEST(EditCommands, PrintAfterEditingPrintsTheLastRun) {
  auto workspace = std::make_unique<Workspace>();
  MemoryInputPage page;
  SetRows(page, GridId::Stock, {{"7000", "10"}, {"6000", "30"}});
  SetRows(page, GridId::Cut, {{"2300", "7"}, {"900", "11"}, {"1700", "9"}, {"1300", "5"}});
  test::RecordingRunView view;
  RunOptions options;
  options.TrialsOverride = 10;
  ASSERT_TRUE(RunCommand(page, *workspace, view, options).PlanFound);

  test::RecordingPrintDevice before;
  PrintReport(page, *workspace, before);

  // Editing rewrites the job tables from the grids: other rows, other order.
  SetRows(page, GridId::Cut, {{"5000", "1"}, {"2300", "2"}, {"5000", "3"}});
  MergeEqualLengthsCommand(page, *workspace);
  SortCutListCommand(page, *workspace);
  test::RecordingPrintDevice after;
  PrintReport(page, *workspace, after);

  const std::vector<test::RecordedCall> printed = before.Draws();
  const std::vector<test::RecordedCall> reprinted = after.Draws();
  ASSERT_FALSE(printed.empty());
  ASSERT_EQ(reprinted.size(), printed.size());
  for (std::size_t i = 0; i < printed.size(); ++i)
    EXPECT_EQ(reprinted[i].Text, printed[i].Text) << "draw " << i;
}

}  // namespace
}  // namespace yobina
