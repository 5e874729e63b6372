#include "file/memory_input_page.h"

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
  for (GridId grid : {GridId::Stock, GridId::Cut}) {
    EXPECT_EQ(page.RowCount(grid), 36);
    EXPECT_EQ(page.ColumnCount(grid), 3);
    EXPECT_EQ(page.CellText(grid, 0, 0), "");
    EXPECT_EQ(page.CellText(grid, 1, 0), Cp932("長さmm"));
    EXPECT_EQ(page.CellText(grid, 2, 0), Cp932(" 本数"));
    EXPECT_EQ(page.CellText(grid, 0, 1), "  1");
    EXPECT_EQ(page.CellText(grid, 0, 35), " 35");
    EXPECT_EQ(page.CellText(grid, 1, 35), "");
  }
  EXPECT_EQ(page.FieldText(FieldId::Margin), "");
}

TEST(MemoryInputPage, KeepsFieldsAndCellsApart) {
  MemoryInputPage page;
  page.SetFieldText(FieldId::Year, "2026");
  page.SetFieldText(FieldId::Kerf, "3");
  page.SetCellText(GridId::Stock, 1, 4, "6000");
  EXPECT_EQ(page.FieldText(FieldId::Year), "2026");
  EXPECT_EQ(page.FieldText(FieldId::Kerf), "3");
  EXPECT_EQ(page.FieldText(FieldId::Month), "");
  EXPECT_EQ(page.CellText(GridId::Stock, 1, 4), "6000");
  EXPECT_EQ(page.CellText(GridId::Cut, 1, 4), "");
}

TEST(MemoryInputPage, IgnoresCellsOutsideTheGridAndItemsOutsideTheGroup) {
  MemoryInputPage page;
  for (const auto& [column, row] : {std::pair{-1, 1}, std::pair{3, 1}, std::pair{1, -1}, std::pair{1, 36}}) {
    page.SetCellText(GridId::Stock, column, row, "x");
    EXPECT_EQ(page.CellText(GridId::Stock, column, row), "");
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
  page.SetCellText(GridId::Cut, 0, 2, "  5");
  page.SetCellText(GridId::Cut, 1, 0, "x");
  page.SetGridHeaders();
  EXPECT_EQ(page.CellText(GridId::Cut, 0, 2), "  2");
  EXPECT_EQ(page.CellText(GridId::Cut, 1, 0), Cp932("長さmm"));
}

}  // namespace
}  // namespace yobina
