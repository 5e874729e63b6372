// The model behind the solver interface: a scripted LP checks the pricing and
// the bounds of column generation; the stock totals and the arc-flow graph
// are checked on small cases.
#include <gtest/gtest.h>

#include <deque>

#include "exact/column_generation.h"
#include "exact/stock_totals.h"

namespace yobina {
namespace {

// Answers each Solve with the next scripted duals and keeps the columns it is given.
class ScriptedLp : public LpSolver {
 public:
  void AddRow(double, double) override { ++rows; }
  void AddColumn(double cost, double, const ColumnEntries& entries) override {
    columns.push_back({cost, entries});
  }
  bool Solve() override { return true; }
  double Objective() const override { return 0; }
  std::vector<double> Duals() const override {
    std::vector<double> duals = script.front();
    script.pop_front();
    return duals;
  }
  std::vector<double> Values() const override { return values; }

  struct Column {
    double Cost;
    ColumnEntries Entries;
  };
  int rows = 0;
  std::vector<Column> columns;
  mutable std::deque<std::vector<double>> script;
  std::vector<double> values;
};

StockType Type(int32_t length, int64_t capacity, int32_t minBars, int32_t maxBars) {
  StockType type;
  type.Length = length;
  type.Capacity = capacity;
  type.MinBars = minBars;
  type.MaxBars = maxBars;
  type.OnHand = maxBars;
  return type;
}

const Deadline kNoHurry(60, nullptr);

TEST(ColumnGeneration, PricesTheMostValuablePatternOfEveryType) {
  CuttingModel model;
  model.Items = {{1, 300, 5}, {2, 450, 5}};
  model.Types = {Type(1000, 1000, 0, 10), Type(600, 700, 0, 10)};
  ScriptedLp lp;
  // Piece values 350 and 520: on 1000 three 300s (1050) beat two 450s (1040);
  // on 700 two 300s (700) beat one 450 (520). Then nothing prices out.
  lp.script = {{350, 520, 0, 0}, {0, 0, 0, 0}};
  lp.values.assign(4, 0.0);
  std::vector<double> bounds;
  const ColumnGeneration result =
      GenerateColumns(model, {}, lp, kNoHurry, [&](double b) { bounds.push_back(b); });

  EXPECT_EQ(lp.rows, 4);
  ASSERT_EQ(lp.columns.size(), 4u);  // two stand-ins, then one pattern a type
  EXPECT_EQ(lp.columns[2].Cost, 1000);
  EXPECT_EQ(lp.columns[2].Entries, (ColumnEntries{{0, 3.0}, {2, 1.0}}));
  EXPECT_EQ(lp.columns[3].Cost, 600);
  EXPECT_EQ(lp.columns[3].Entries, (ColumnEntries{{0, 2.0}, {3, 1.0}}));
  ASSERT_EQ(result.Patterns.size(), 2u);
  EXPECT_TRUE(result.Converged);
  EXPECT_FALSE(result.Infeasible);
  // Lagrangian bound: 350*5 + 520*5, then 10 bars at reduced costs -50 and -100.
  EXPECT_DOUBLE_EQ(result.LowerBound, 4350 - 500 - 1000);
  EXPECT_EQ(bounds, std::vector<double>{2850});
}

TEST(ColumnGeneration, ProvesInfeasibilityWhenStandInsStay) {
  CuttingModel model;
  model.Items = {{1, 600, 2}};
  model.Types = {Type(1000, 1000, 0, 1)};
  ScriptedLp lp;
  lp.script = {{4000, -3000}};
  lp.values = {1.0, 1.0};  // a stand-in still supplies a piece
  const ColumnGeneration result = GenerateColumns(model, {{0, {1}}}, lp, kNoHurry, [](double) {});
  EXPECT_TRUE(result.Converged);
  EXPECT_TRUE(result.Infeasible);  // two pieces worth 4000 each, one bar worth at most 4000
}

TEST(StockTotals, BoundRisesToTheNextTotalTheBarsMake) {
  CuttingModel model;
  model.Types = {Type(6000, 0, 0, 30), Type(7000, 0, 0, 10)};
  EXPECT_EQ(RoundUpToStockTotal(model, 48000.5, 60000), 49000);
  EXPECT_EQ(RoundUpToStockTotal(model, 47000, 60000), 47000);  // 2 x 6000 + 5 x 7000
  EXPECT_EQ(RoundUpToStockTotal(model, 12999.9999999, 60000), 13000);
  // Forced bars count in full; with one 7000 bar left, 19000 cannot be reached.
  model.Types = {Type(6000, 0, 2, 2), Type(7000, 0, 0, 1)};
  EXPECT_EQ(RoundUpToStockTotal(model, 12001, 60000), 19000);
  EXPECT_EQ(RoundUpToStockTotal(model, 19001, 60000), INT64_MAX);
}

TEST(StockTotals, StepAndTheTotalUnderABound) {
  CuttingModel model;
  model.Types = {Type(6000, 0, 0, 30), Type(4500, 0, 1, 1), Type(9000, 0, 0, 5)};
  EXPECT_EQ(StockTotalStep(model), 3000);
  EXPECT_EQ(StockTotalUnder(model, 10500), 4500);  // 7500 is on the step, but no mix of bars makes it
  EXPECT_EQ(StockTotalUnder(model, 10501), 10500);
  // Lengths to the mm: only the totals the bars can make count.
  model.Types = {Type(9926, 0, 0, 50), Type(10679, 0, 0, 50)};
  EXPECT_EQ(StockTotalUnder(model, 20605), 19852);
  EXPECT_EQ(StockTotalUnder(model, 20606), 20605);
  // Past 1000 m a total one mm over a bar count is still the next count, not rounding noise.
  model.Types = {Type(6858, 0, 0, 300)};
  EXPECT_EQ(StockTotalFrom(model, 6858 * 173 + 1, INT64_MAX), 6858 * 174);
}

}  // namespace
}  // namespace yobina
