// The reference job of the report tests: stock 5500 and 6000 mm, cut rows
// 1800 mm x 3 and 2500 mm x 4, and its two-pattern plan.
#pragma once

#include <string>
#include <vector>

#include "job/input_page.h"
#include "job/job.h"
#include "optimizer/cut_plan.h"
#include "support/field_input_page.h"
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

// Fields as the user types them (UTF-8 here, code page 932 on the page).
inline FieldInputPage ExamplePage(const std::string& year = "", const std::string& unitWeight = "0") {
  FieldInputPage page;
  page.SetFieldText(FieldId::Year, year);
  page.SetFieldText(FieldId::Month, "4");
  page.SetFieldText(FieldId::Day, "1");
  page.SetFieldText(FieldId::ProjectName, Cp932("見本工事"));
  page.SetFieldText(FieldId::MemberName, Cp932("H-200x100"));
  page.SetFieldText(FieldId::UnitWeight, unitWeight);
  page.SetFieldText(FieldId::Margin, "0");
  page.SetFieldText(FieldId::Kerf, "0");
  return page;
}

inline std::vector<std::string> Cp932Lines(const std::vector<std::string>& utf8Lines) {
  std::vector<std::string> lines;
  lines.reserve(utf8Lines.size());
  for (const std::string& line : utf8Lines) lines.push_back(Cp932(line));
  return lines;
}

}  // namespace yobina::test
