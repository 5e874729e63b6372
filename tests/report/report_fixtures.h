// The reference job of the report tests: stock 5500 and 6000 mm, cut rows
// 1800 mm x 3 and 2500 mm x 4, and its two-pattern plan.
#pragma once

#include <string>
#include <vector>

#include "job/job.h"
#include "job/job_document.h"
#include "plan/plan_result.h"
#include "support/test_jobs.h"
#include "text/codec.h"

namespace yobina::test {

inline TJob ExampleJob() {
  TJob job;
  job.StockCount = 2;
  job.StockTable[1] = {5500, 1, 0};
  job.StockTable[2] = {6000, 5, 0};
  job.CutCount = 2;
  job.CutTable[1] = {1800, 3, 0};
  job.CutTable[2] = {2500, 4, 0};
  return job;
}

inline TCutPlan ExamplePlan() {
  TCutPlan plan;
  plan.PatternCount = 2;
  plan.Patterns[1].StockRow = 1;
  plan.Patterns[1].BarCount = 1;
  plan.Patterns[1].PieceCount[1] = 3;
  plan.Patterns[1].Leftover = 100;
  plan.Patterns[2].StockRow = 2;
  plan.Patterns[2].BarCount = 2;
  plan.Patterns[2].PieceCount[2] = 2;
  plan.Patterns[2].Leftover = 1000;
  plan.StockLength = 17500;
  plan.MemberLength = 15400;
  plan.LeftoverLength = 2100;
  plan.LeftoverRate = 12;
  plan.LossRate = 12;
  return plan;
}

// Fields as the user types them (UTF-8 here, code page 932 in the document).
inline JobDocument ExamplePage(const std::string& year = "", const std::string& unitWeight = "0") {
  JobDocument document;
  document.Year = year;
  document.Month = "4";
  document.Day = "1";
  document.ProjectName = Cp932("見本工事");
  document.MemberName = Cp932("H-200x100");
  document.UnitWeight = unitWeight;
  document.Margin = "0";
  document.Kerf = "0";
  return document;
}

inline std::vector<std::string> Cp932Lines(const std::vector<std::string>& utf8Lines) {
  std::vector<std::string> lines;
  lines.reserve(utf8Lines.size());
  for (const std::string& line : utf8Lines) lines.push_back(Cp932(line));
  return lines;
}

}  // namespace yobina::test
