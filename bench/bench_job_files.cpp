#include "bench_job_files.h"

#include <cstdio>
#include <stdexcept>

#include "exact/planted_job.h"
#include "job/job_io.h"
#include "realistic_job.h"
#include "text/codec.h"
#include "text/number_text.h"

namespace yobina::bench {
namespace {

constexpr int kRealisticJobs = 200;
constexpr int kPlantedJobs = 40;

std::string NumberedName(char prefix, int number, int digits) {
  char name[16];
  std::snprintf(name, sizeof name, "%c%0*d.qzl", prefix, digits, number);
  return name;
}

BenchJobFile RealisticFile(int number) {
  const RealisticJob made = MakeRealisticJob(static_cast<uint64_t>(number));
  BenchJobFile file;
  file.Folder = kRealisticFolder;
  file.FileName = NumberedName('r', number, 3);
  file.Job = made.Job;
  file.ProjectName = made.ProjectName;
  file.MemberName = made.Member.Name;
  file.UnitWeight = made.Member.UnitWeight;
  file.Month = made.Month;
  file.Day = made.Day;
  return file;
}

// Odd numbers fill their bars exactly, even ones leave up to 3 mm a bar; the
// second half cuts shorter pieces, more to a bar.
BenchJobFile PlantedFile(int number) {
  const auto seed = static_cast<uint64_t>(number);
  const test::PlantedShape shape{3, 20, number % 2 == 0 ? 3 : 0, number <= kPlantedJobs / 2 ? 5200 : 2500};
  const test::PlantedJob planted = test::MakePlantedJob(seed, shape);
  const Section member = SectionFor(seed);
  BenchJobFile file;
  file.Folder = kPlantedFolder;
  file.FileName = NumberedName('p', number, 2);
  file.Job = planted.Job;
  file.ProjectName = "optimum " + std::to_string(planted.Bars) + " x " + std::to_string(planted.StockLength);
  file.MemberName = member.Name;
  file.UnitWeight = member.UnitWeight;
  file.Month = 1 + number % 12;
  file.Day = 1 + number % 28;
  return file;
}

void SetNameField(JobDocument& document, FieldId field, const std::string& utf8) {
  const std::string text = Cp932(utf8);
  if (static_cast<int>(text.size()) > ElementOf(field).ByteLimit)
    throw std::logic_error("name too long: " + utf8);
  FieldOf(document, field) = text;
}

void SetNumberField(JobDocument& document, FieldId field, double value) {
  FieldOf(document, field) = RealToText(ElementOf(field).Format, value);
}

bool SameRows(const TLengthTable& a, const TLengthTable& b, int32_t count) {
  for (int32_t k = 1; k <= count; ++k) {
    if (a[k].Length != b[k].Length || a[k].Count != b[k].Count) return false;
  }
  return true;
}

}  // namespace

std::vector<BenchJobFile> BenchJobFiles() {
  std::vector<BenchJobFile> files;
  for (int number = 1; number <= kRealisticJobs; ++number) files.push_back(RealisticFile(number));
  for (int number = 1; number <= kPlantedJobs; ++number) files.push_back(PlantedFile(number));
  return files;
}

JobDocument DocumentOf(const BenchJobFile& file) {
  if (file.Job.StockCount > kGridDataRows || file.Job.CutCount > kGridDataRows) {
    throw std::logic_error(file.FileName + ": more rows than the page holds");
  }
  JobDocument document;
  SetNumberField(document, FieldId::Year, file.Year);
  SetNumberField(document, FieldId::Month, file.Month);
  SetNumberField(document, FieldId::Day, file.Day);
  SetNameField(document, FieldId::ProjectName, file.ProjectName);
  SetNameField(document, FieldId::MemberName, file.MemberName);
  SetNumberField(document, FieldId::UnitWeight, file.UnitWeight);
  document.TrialIndex = kTrialCountElement.DefaultIndex;
  WriteJob(file.Job, document);

  const TJob typed = ReadJob(document);
  if (typed.Margin != file.Job.Margin || typed.Kerf != file.Job.Kerf ||
      typed.StockCount != file.Job.StockCount || typed.CutCount != file.Job.CutCount ||
      !SameRows(typed.StockTable, file.Job.StockTable, typed.StockCount) ||
      !SameRows(typed.CutTable, file.Job.CutTable, typed.CutCount)) {
    throw std::logic_error(file.FileName + ": the page does not hold the job");
  }
  return document;
}

std::optional<PlantedOptimum> PlantedOptimumOf(std::string_view projectName) {
  const std::string text(projectName);
  PlantedOptimum optimum;
  if (std::sscanf(text.c_str(), "optimum %d x %d", &optimum.Bars, &optimum.StockLength) != 2)
    return std::nullopt;
  return optimum;
}

}  // namespace yobina::bench
