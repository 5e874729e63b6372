#include "project/project_outputs.h"

#include <csv.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <numeric>
#include <string>
#include <vector>

#include "exact/plan_checker.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"
#include "file/page_document.h"
#include "job/job_io.h"
#include "project/project_planner.h"
#include "project/project_print.h"
#include "project/section_store.h"
#include "report/report_text.h"
#include "support/recording_print_device.h"
#include "text/codec.h"

namespace yobina {
namespace {

using Rows = std::vector<std::vector<std::string>>;

// Parsed by libcsv in strict mode; every line must end in CR LF, after a byte-order mark.
Rows ParseCsv(const std::string& text) {
  EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
    EXPECT_EQ(text[at - 1], '\r') << "bare line feed at " << at;
  const std::string body = text.substr(3);
  Rows rows(1);
  csv_parser parser;
  csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI);
  const auto field = [](void* data, size_t size, void* out) {
    static_cast<Rows*>(out)->back().emplace_back(static_cast<const char*>(data), size);
  };
  const auto row = [](int, void* out) { static_cast<Rows*>(out)->emplace_back(); };
  EXPECT_EQ(csv_parse(&parser, body.data(), body.size(), field, row, &rows), body.size());
  EXPECT_EQ(csv_fini(&parser, field, row, &rows), 0);
  csv_free(&parser);
  rows.pop_back();
  return rows;
}

// Thousandths written as "x.yyy", read back exactly.
int64_t Thousandths(const std::string& cell) {
  const size_t point = cell.find('.');
  EXPECT_EQ(cell.size() - point, 4U) << cell;
  return std::stoll(cell.substr(0, point)) * 1000 + std::stoll(cell.substr(point + 1));
}

class NoProgress : public ProjectObserver {
 public:
  void SectionStarted(size_t) override {}
  void SectionFinished(size_t, const SectionResult&) override {}
};

// Keeps every section's full result, as a SectionStore would.
class KeepAll : public ProjectObserver {
 public:
  explicit KeepAll(std::vector<SectionResult>& full) : full_(full) {}
  void SectionStarted(size_t) override {}
  void SectionFinished(size_t section, const SectionResult& result) override { full_.at(section) = result; }

 private:
  std::vector<SectionResult>& full_;
};

struct Planned {
  ProjectResult Result;
  std::vector<SectionResult> Full;
  SectionReader Reader() const {
    return [this](size_t s) { return Full.at(s); };
  }
};

std::string ProjectJson(const Planned& planned) {
  std::string json = ProjectJsonHead(planned.Result);
  for (size_t s = 0; s < planned.Full.size(); ++s)
    json += ProjectJsonSection(planned.Result, s, planned.Full[s]);
  return json + ProjectJsonTail(planned.Result);
}

// Three sections: priced per tonne, per bar, and by weight alone (no price);
// one with a quoted name and more cut lengths than a job file holds.
Planned PlannedProject() {
  std::string parts = "部材名,長さ,本数,単位重量,符号\r\n";
  for (int32_t i = 0; i < 6; ++i)
    parts += "H-200×100," + std::to_string(2000 + 731 * i) + ",3,20.9,G" + std::to_string(i) + "\r\n";
  for (int32_t i = 0; i < 5; ++i)
    parts += "L-65×6," + std::to_string(900 + 517 * i) + ",4,5.91,V" + std::to_string(i) + "\r\n";
  for (int32_t i = 0; i < 40; ++i)
    parts += "\"C-100×50,SS400\"," + std::to_string(300 + 53 * i) + ",1,4.06,P\r\n";
  const std::string catalogue =
      "部材名,長さ,円/本,円/t\r\n"
      "H-200×100,6000,,95000\r\n"
      "H-200×100,9000,,95000\r\n"
      "L-65×6,5500,4200,\r\n"
      "L-65×6,6000,4800,\r\n"
      "\"C-100×50,SS400\",6000,,\r\n"
      "\"C-100×50,SS400\",12000,,\r\n";
  ProjectSettings settings;
  settings.ProjectName = Cp932("テスト工事");
  settings.Kerf = 2;
  ProjectInput input = ReadProject(parts, catalogue, std::nullopt, settings);
  EXPECT_TRUE(input.Ready);
  Planned planned;
  planned.Full.resize(input.Sections.size());
  KeepAll keep(planned.Full);
  planned.Result = PlanProject(std::move(input), PlanningLimits{}, keep);
  return planned;
}

TEST(ProjectOutputs, TheFilesAddUp) {
  const Planned planned = PlannedProject();
  const ProjectResult& result = planned.Result;
  ASSERT_EQ(result.Sections.size(), 3U);
  for (size_t s = 0; s < 3; ++s) {
    const SectionResult& section = planned.Full[s];
    ASSERT_TRUE(section.HasPlan()) << s;
    EXPECT_EQ(test::CheckPlan(section.Job, section.Exact.Plan), "");
    // Every part cut exactly once.
    const std::vector<CutRow>& cuts = result.Input.Sections[s].Cuts;
    ASSERT_EQ(section.Job.CutCount, static_cast<int32_t>(cuts.size()));
    for (int32_t k = 1; k <= section.Job.CutCount; ++k) {
      int64_t cut = 0;
      for (int32_t p = 1; p <= section.Exact.Plan.PatternCount; ++p)
        cut +=
            int64_t{section.Exact.Plan.Patterns[p].PieceCount[k]} * section.Exact.Plan.Patterns[p].BarCount;
      EXPECT_EQ(cut, cuts[static_cast<size_t>(k - 1)].Count);
    }
  }

  const Rows purchase = ParseCsv(PurchaseCsv(result));
  ASSERT_GE(purchase.size(), 5U);
  EXPECT_EQ(purchase.front(), (std::vector<std::string>{"部材名", "長さ", "本数", "重量(t)", "金額"}));
  int64_t bars = 0, kg = 0, yen = 0;
  std::vector<int64_t> yenBySection(3, 0);
  for (size_t r = 1; r + 1 < purchase.size(); ++r) {
    const std::vector<std::string>& line = purchase[r];
    ASSERT_EQ(line.size(), 5U);
    const auto s = static_cast<size_t>(line[0] == "H-200×100" ? 0 : line[0] == "L-65×6" ? 1 : 2);
    const SectionInput& input = result.Input.Sections[s];
    EXPECT_EQ(line[0], Cp932ToUtf8(input.Name));
    const int64_t length = std::stoll(line[1]);
    const int64_t count = std::stoll(line[2]);
    // Weights from the unit weights, to the kg a line.
    EXPECT_EQ(Thousandths(line[3]),
              std::llround(*input.UnitWeight * static_cast<double>(length * count) / 1000));
    bars += count;
    kg += Thousandths(line[3]);
    if (s == 0) {
      const double tonnes = 20.9 * static_cast<double>(length * count) / 1e6;
      EXPECT_NEAR(static_cast<double>(std::stoll(line[4])), 95000 * tonnes, 1);
    } else if (s == 1) {
      EXPECT_EQ(std::stoll(line[4]), count * (length == 5500 ? 4200 : 4800));
    } else {
      EXPECT_EQ(line[4], "");  // no price
    }
    if (s != 2) {
      yen += std::stoll(line[4]);
      yenBySection[s] += std::stoll(line[4]);
    }
  }
  const std::vector<std::string>& totals = purchase.back();
  EXPECT_EQ(totals[0], "合計");
  EXPECT_EQ(std::stoll(totals[2]), bars);
  EXPECT_EQ(Thousandths(totals[3]), kg);
  EXPECT_EQ(totals[4], "");  // one section has no price, so the total is unknown

  const Rows summary = ParseCsv(SummaryCsv(result));
  ASSERT_EQ(summary.size(), 4U);
  EXPECT_EQ(summary[0], (std::vector<std::string>{"部材名", "部品数", "素材延長(m)", "重量(t)", "ロス率(%)",
                                                  "証明", "金額"}));
  int64_t summaryKg = 0;
  for (size_t s = 0; s < 3; ++s) {
    const std::vector<std::string>& line = summary[s + 1];
    EXPECT_EQ(std::stoll(line[1]), result.Input.Sections[s].Pieces());
    EXPECT_EQ(Thousandths(line[2]), static_cast<int64_t>(planned.Full[s].Exact.Plan.StockLength));
    summaryKg += Thousandths(line[3]);
    if (s < 2) {
      EXPECT_EQ(std::stoll(line[6]), yenBySection[s]);
    }
  }
  EXPECT_EQ(summaryKg, kg);  // nothing on hand: every bar cut is bought
  EXPECT_EQ(summary[1][5], "証明済");
  EXPECT_EQ(summary[3][5], "証明済 / ジョブファイルなし(36行以上)");

  const std::string text = ProjectJson(planned);
  const nlohmann::json json = nlohmann::json::parse(text);
  // The pieces make what dumping the whole makes.
  EXPECT_EQ(nlohmann::ordered_json::parse(text).dump(2) + "\n", text);
  EXPECT_EQ(json["totals"]["bars"], bars);
  EXPECT_EQ(json["totals"]["weightKg"], kg);
  EXPECT_TRUE(json["totals"]["yen"].is_null());
  EXPECT_EQ(json["sections"][2]["name"], "C-100×50,SS400");
  EXPECT_TRUE(json["sections"][2]["jobFile"].is_null());
}

TEST(ProjectOutputs, AJobFileOpensAsTheSectionsJob) {
  const Planned planned = PlannedProject();
  const ProjectResult& result = planned.Result;
  ASSERT_TRUE(HasJobFile(result, 1));
  EXPECT_EQ(JobFileName(result, 1), "002_L-65×6.qzl");
  EXPECT_EQ(JobFileName(result, 2), "003_C-100×50,SS400.qzl");
  MemoryInputPage page;
  ASSERT_EQ(LoadDataFileFromBytes(page, FormatDataFile(SectionDocument(result, 1, planned.Full[1]))),
            LoadResult::Loaded);
  EXPECT_EQ(page.FieldText(FieldId::MemberName), Cp932("L-65×6"));
  EXPECT_EQ(page.FieldText(FieldId::ProjectName), Cp932("テスト工事"));
  const TJob job = ReadJob(ReadDocument(page));
  const TJob& section = planned.Full[1].Job;
  EXPECT_EQ(job.Kerf, 2);
  ASSERT_EQ(job.StockCount, section.StockCount);
  ASSERT_EQ(job.CutCount, section.CutCount);
  for (int32_t r = 1; r <= job.StockCount; ++r) {
    EXPECT_EQ(job.StockTable[r].Length, section.StockTable[r].Length);
    EXPECT_EQ(job.StockTable[r].Count, section.StockTable[r].Count);
  }
}

// What the files say of a section read back from the store is what they say of it planned.
TEST(ProjectOutputs, TheStoreGivesBackWhatThePlannerGave) {
  const Planned planned = PlannedProject();
  SectionStore store(testing::TempDir(), planned.Full.size());
  for (size_t s = planned.Full.size(); s-- > 0;) store.Put(s, planned.Full[s]);
  for (size_t s = 0; s < planned.Full.size(); ++s) {
    const SectionResult back = store.Get(s);
    EXPECT_EQ(ProjectJsonSection(planned.Result, s, back),
              ProjectJsonSection(planned.Result, s, planned.Full[s]));
    EXPECT_EQ(FormatDataFile(SectionDocument(planned.Result, s, back)),
              FormatDataFile(SectionDocument(planned.Result, s, planned.Full[s])));
    EXPECT_EQ(back.Exact.Setups.Patterns, planned.Full[s].Exact.Setups.Patterns);
    EXPECT_EQ(back.Seconds, planned.Full[s].Seconds);
  }
}

TEST(ProjectOutputs, AStopEndsTheSectionsNotYetDone) {
  std::atomic<bool> stop{true};
  ProjectInput input = ReadProject("部材名,長さ,本数\nH,3000,2\nL,2000,1\n", std::nullopt, std::nullopt, {});
  ASSERT_TRUE(input.Ready);
  NoProgress progress;
  const ProjectResult result = PlanProject(std::move(input), PlanningLimits{1, &stop}, progress);
  EXPECT_TRUE(result.Stopped);
  for (const SectionSummary& section : result.Sections) EXPECT_EQ(section.Status, SectionStatus::Stopped);
  EXPECT_EQ(ParseCsv(PurchaseCsv(result)).size(), 2U);  // the header and the totals
}

}  // namespace
}  // namespace yobina

namespace yobina {

// The book is one document: the lists first, then every section's report and
// diagrams, the one without a job file too.
TEST(ProjectOutputs, TheBookIsOneDocumentWithEverySection) {
  using test::DeviceCall;
  const Planned planned = PlannedProject();
  const ProjectResult& result = planned.Result;
  test::RecordingPrintDevice device;
  PrintProject(result, planned.Reader(), device);
  EXPECT_EQ(device.CallsOf(DeviceCall::BeginDocument).size(), 1U);
  EXPECT_EQ(device.CallsOf(DeviceCall::EndDocument).size(), 1U);
  ASSERT_EQ(device.CallsOf(DeviceCall::ApplyPaperSetup).size(), 1U);
  EXPECT_FALSE(device.CallsOf(DeviceCall::ApplyPaperSetup).front().Paper.Monochrome);

  // Text is drawn character by character: a page's text is its draws in order.
  std::vector<std::string> pages(static_cast<size_t>(device.PageCount()) + 1);
  for (const test::RecordedCall& call : device.Draws()) pages[static_cast<size_t>(call.Page)] += call.Text;
  EXPECT_NE(pages[1].find(Cp932("購 入 リ ス ト")), std::string::npos);
  EXPECT_NE(pages[1].find(IntText(TotalsOf(result).Bars, 0)), std::string::npos);
  for (const SectionInput& section : result.Input.Sections) {
    const std::string title = Cp932("部材名：") + section.Name;
    const auto reports = std::count_if(pages.begin() + 1, pages.end(), [&](const std::string& page) {
      return page.find(title) != std::string::npos;
    });
    EXPECT_GE(reports, 1) << Cp932ToUtf8(section.Name);
  }
  EXPECT_FALSE(device.CallsOf(DeviceCall::FillRect).empty());  // the diagrams' bars
}

}  // namespace yobina
