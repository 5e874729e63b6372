#include "job/memory_input_page.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "text/codec.h"

namespace yobina {
namespace {

TEST(MemoryInputPage, StartsLikeTheWindow) {
  MemoryInputPage page;
  EXPECT_EQ(page.TrialIndex(), 1);
  ASSERT_EQ(page.TrialItemCount(), 3);
  EXPECT_EQ(page.TrialCaption(0), Cp932("10回"));
  EXPECT_EQ(page.TrialCaption(1), Cp932("100回"));
  EXPECT_EQ(page.TrialCaption(2), Cp932("500回"));
  for (std::string_view grid : {element::kStockGrid, element::kCutGrid}) {
    EXPECT_EQ(page.RowCount(grid), 36);
    EXPECT_EQ(page.ColumnCount(grid), 3);
    EXPECT_EQ(page.CellText(grid, 0, 0), "");
    EXPECT_EQ(page.CellText(grid, 1, 0), Cp932("長さmm"));
    EXPECT_EQ(page.CellText(grid, 2, 0), Cp932(" 本数"));
    EXPECT_EQ(page.CellText(grid, 0, 1), "  1");
    EXPECT_EQ(page.CellText(grid, 0, 35), " 35");
    EXPECT_EQ(page.CellText(grid, 1, 35), "");
  }
  EXPECT_EQ(page.FieldText(element::kMargin), "");
}

TEST(MemoryInputPage, KeepsFieldsAndCellsApart) {
  MemoryInputPage page;
  page.SetFieldText(element::kYear, "2026");
  page.SetFieldText(element::kKerf, "3");
  page.SetCellText(element::kStockGrid, 1, 4, "6000");
  EXPECT_EQ(page.FieldText(element::kYear), "2026");
  EXPECT_EQ(page.FieldText(element::kKerf), "3");
  EXPECT_EQ(page.FieldText(element::kMonth), "");
  EXPECT_EQ(page.CellText(element::kStockGrid, 1, 4), "6000");
  EXPECT_EQ(page.CellText(element::kCutGrid, 1, 4), "");
}

TEST(MemoryInputPage, IgnoresUnknownNamesAndCellsOutsideTheGrid) {
  MemoryInputPage page;
  page.SetFieldText("nothing", "x");
  EXPECT_EQ(page.FieldText("nothing"), "");
  EXPECT_EQ(page.RowCount("Grid3"), 0);
  page.SetCellText("Grid3", 1, 1, "x");
  EXPECT_EQ(page.CellText("Grid3", 1, 1), "");
  for (const auto& [column, row] : {std::pair{-1, 1}, std::pair{3, 1}, std::pair{1, -1}, std::pair{1, 36}}) {
    page.SetCellText(element::kStockGrid, column, row, "x");
    EXPECT_EQ(page.CellText(element::kStockGrid, column, row), "");
  }
  page.SetTrialIndex(3);
  EXPECT_EQ(page.TrialIndex(), -1);
  page.SetTrialIndex(2);
  EXPECT_EQ(page.TrialIndex(), 2);
  EXPECT_EQ(page.TrialCaption(3), "");
  EXPECT_EQ(page.TrialCaption(-1), "");
}

TEST(MemoryInputPage, RenumbersRowsAfterAMove) {
  MemoryInputPage page;
  page.SetCellText(element::kCutGrid, 0, 2, "  5");
  page.SetCellText(element::kCutGrid, 1, 0, "x");
  page.SetGridHeaders();
  EXPECT_EQ(page.CellText(element::kCutGrid, 0, 2), "  2");
  EXPECT_EQ(page.CellText(element::kCutGrid, 1, 0), Cp932("長さmm"));
}

}  // namespace
}  // namespace yobina
