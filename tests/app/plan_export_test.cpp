#include "app/plan_export.h"

#include <csv.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "optimizer/optimizer.h"
#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina {
namespace {

// The reference job's sorted tables and its plan of 10 trials.
struct Reference {
  Reference() {
    job = test::SortedJob({{6000, 30}, {7000, 10}}, {{900, 11}, {1300, 5}, {1700, 9}, {2300, 7}}, 0, 5);
    TJob working = job;
    Optimizer optimizer;
    test::SilentProgress progress;
    optimizer.RunTrials(working, 10, progress);
    optimizer.OrderPatterns();
    plan = optimizer.BestPlan();
  }
  PlanResult Result(const JobDocument& document = {}) const { return test::ResultOf(document, job, plan); }
  TJob job;
  TCutPlan plan;
};

using Rows = std::vector<std::vector<std::string>>;

// Parsed by libcsv in strict mode; the byte-order mark is taken off first.
Rows ParseCsv(const std::string& text) {
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(text.substr(0, 3), bom);
  const std::string body = text.substr(3);
  Rows rows(1);
  csv_parser parser;
  EXPECT_EQ(csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI), 0);
  const auto field = [](void* data, size_t size, void* out) {
    static_cast<Rows*>(out)->back().emplace_back(static_cast<const char*>(data), size);
  };
  const auto row = [](int, void* out) { static_cast<Rows*>(out)->emplace_back(); };
  EXPECT_EQ(csv_parse(&parser, body.data(), body.size(), field, row, &rows), body.size());
  EXPECT_EQ(csv_fini(&parser, field, row, &rows), 0);
  csv_free(&parser);
  rows.pop_back();  // opened by the last row's end
  return rows;
}

TEST(PlanExport, CsvOpensAsTheTableOfThePlan) {
  const Reference ref;
  ASSERT_EQ(ref.plan.PatternCount, 4);
  const std::string csv = PlanCsv(ref.Result());
  // Every line ends in CR LF, the last one too.
  EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
  for (size_t at = csv.find('\n'); at != std::string::npos; at = csv.find('\n', at + 1)) {
    ASSERT_EQ(csv[at - 1], '\r') << "bare line feed at " << at;
  }

  const Rows rows = ParseCsv(csv);
  ASSERT_EQ(rows.size(), 6U);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"パターン", "素材長(mm)", "本数", "900", "1300", "1700",
                                               "2300", "残材長(mm)"}));
  for (int32_t p = 1; p <= 4; ++p) {
    const TCutPattern& pattern = ref.plan.Patterns[p];
    std::vector<std::string> expected = {std::to_string(p),
                                         std::to_string(ref.job.StockTable[pattern.StockRow].Length),
                                         std::to_string(pattern.BarCount)};
    for (int32_t k = 1; k <= 4; ++k) expected.push_back(std::to_string(pattern.PieceCount[k]));
    expected.push_back(std::to_string(static_cast<int64_t>(pattern.Leftover)));
    EXPECT_EQ(rows[p], expected);
  }
  // Totals: the stock and leftover lengths of the plan, all bars, and every piece the job asked for.
  EXPECT_EQ(rows[5], (std::vector<std::string>{"合計", "50000", "8", "11", "5", "9", "7", "2040"}));
  EXPECT_EQ(ref.plan.StockLength, 50000);
  EXPECT_EQ(ref.plan.LeftoverLength, 2040);
}

TEST(PlanExport, JsonParsesToThePlanAndItsTotals) {
  const Reference ref;
  JobDocument document;
  document.ProjectName = Cp932("港北\"倉庫\"\\新築");
  document.MemberName = std::string("L\x81", 2);  // a lead byte without its trail byte

  const nlohmann::json json = nlohmann::json::parse(PlanJson(ref.Result(document)));
  EXPECT_EQ(json["project"], "港北\"倉庫\"\\新築");
  EXPECT_EQ(json["member"].get<std::string>().substr(0, 1), "L");
  EXPECT_EQ(json["kerf_mm"], 5);
  EXPECT_FALSE(json.contains("proof"));

  ASSERT_EQ(json["patterns"].size(), 4U);
  int64_t bars = 0;
  for (int32_t p = 1; p <= 4; ++p) {
    const TCutPattern& pattern = ref.plan.Patterns[p];
    const nlohmann::json& entry = json["patterns"][p - 1];
    EXPECT_EQ(entry["stock_length_mm"], ref.job.StockTable[pattern.StockRow].Length);
    EXPECT_EQ(entry["bars"], pattern.BarCount);
    EXPECT_EQ(entry["leftover_mm"], pattern.Leftover);
    EXPECT_DOUBLE_EQ(entry["leftover_percent"].get<double>(), pattern.LeftoverPercent);
    int32_t listed = 0;
    for (int32_t k = 1; k <= 4; ++k) {
      if (pattern.PieceCount[k] == 0) continue;
      const nlohmann::json& piece = entry["pieces"][listed++];
      EXPECT_EQ(piece["length_mm"], ref.job.CutTable[k].Length);
      EXPECT_EQ(piece["count"], pattern.PieceCount[k]);
    }
    EXPECT_EQ(entry["pieces"].size(), static_cast<size_t>(listed));
    bars += pattern.BarCount;
  }
  const nlohmann::json& totals = json["totals"];
  EXPECT_EQ(totals["bars"], bars);
  EXPECT_EQ(totals["stock_length_mm"], 50000);
  EXPECT_EQ(totals["member_length_mm"], 47800);
  EXPECT_EQ(totals["leftover_length_mm"], 2040);
  EXPECT_DOUBLE_EQ(totals["leftover_rate_percent"].get<double>(), ref.plan.LeftoverRate);
  EXPECT_DOUBLE_EQ(totals["loss_rate_percent"].get<double>(), ref.plan.LossRate);

  PlanResult optimal = ref.Result(document);
  optimal.Method = OptimalMethod{true, 4.25, 1.5, {4, 3, false}, std::nullopt, std::nullopt};
  const nlohmann::json proven = nlohmann::json::parse(PlanJson(optimal));
  EXPECT_EQ(proven["proof"],
            (nlohmann::json{{"proven", true}, {"bound_loss_rate_percent", 4.25}, {"gap_m", 1.5}}));
  EXPECT_EQ(proven["setups"], (nlohmann::json{{"patterns", 4}, {"lower_bound", 3}, {"proven", false}}));
}

}  // namespace
}  // namespace yobina

namespace yobina {
namespace {

// Offcuts on: each pattern's leftover is either its offcut or its scrap, and
// the totals of both add up to the leftover total, in CSV and JSON alike.
TEST(PlanExport, OffcutsOnSplitEachLeftoverIntoOffcutOrScrap) {
  const Reference ref;
  JobDocument document;
  document.OffcutMin = 200;
  const Rows rows = ParseCsv(PlanCsv(ref.Result(document)));
  const size_t leftover = rows.front().size() - 3;
  EXPECT_EQ(rows.front()[leftover + 1], Cp932ToUtf8(Cp932("残材(mm)")));
  for (size_t r = 1; r < rows.size(); ++r) {
    const long offcut = std::stol(rows[r][leftover + 1]);
    const long scrap = std::stol(rows[r][leftover + 2]);
    EXPECT_EQ(offcut + scrap, std::stol(rows[r][leftover])) << r;
    if (r + 1 == rows.size()) continue;  // the totals
    EXPECT_TRUE(offcut == 0 || scrap == 0) << r;
    EXPECT_TRUE(offcut >= 200 || (scrap > 0 && scrap < 200) || std::stol(rows[r][leftover]) == 0) << r;
  }

  const nlohmann::json json = nlohmann::json::parse(PlanJson(ref.Result(document)));
  EXPECT_EQ(json["offcuts"]["offcut_length_mm"].get<long>() + json["offcuts"]["scrap_length_mm"].get<long>(),
            json["totals"]["leftover_length_mm"].get<long>());
  for (const auto& pattern : json["patterns"])
    EXPECT_EQ(pattern["offcut_mm"].get<long>() + pattern["scrap_mm"].get<long>(),
              pattern["leftover_mm"].get<long>());
}

}  // namespace
}  // namespace yobina
