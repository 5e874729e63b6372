#include "job/job_io.h"

#include <string>

#include "text/number_text.h"

namespace yobina {

namespace {

constexpr NumberFormat kLengthFormat = kGridColumnElements[kLengthColumn - 1].Format;
constexpr NumberFormat kCountFormat = kGridColumnElements[kCountColumn - 1].Format;

void ReadTable(const std::vector<JobRow>& rows, TLengthTable& table, int32_t& count) {
  int32_t used = 0;
  for (std::size_t r = 0; r < rows.size() && used < kTableCapacity; ++r) {
    TLengthRow& row = table[static_cast<std::size_t>(used + 1)];
    row.Length = TextToInt(rows[r].Length);
    row.Count = TextToInt(rows[r].Count);
    if (row.Length != 0) ++used;
  }
  count = used;
}

void WriteTable(const TLengthTable& table, int32_t count, std::vector<JobRow>& rows) {
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const auto inUse = static_cast<int32_t>(r) < count && static_cast<int32_t>(r) < kTableCapacity;
    if (inUse) {
      const TLengthRow& row = table[r + 1];
      rows[r] = {RealToTextBlankZero(kLengthFormat, row.Length),
                 RealToTextBlankZero(kCountFormat, row.Count)};
    } else {
      rows[r] = JobRow{};
    }
  }
}

void SortTable(TLengthTable& table, int32_t count) {
  for (int32_t i = 1; i < count; ++i) {
    for (int32_t j = i + 1; j <= count; ++j) {
      TLengthRow& a = table[static_cast<std::size_t>(i)];
      TLengthRow& b = table[static_cast<std::size_t>(j)];
      if (a.Length > b.Length) {
        table[0] = a;
        a = b;
        b = table[0];
      }
    }
  }
}

// Counts are summed without overflow: a sum past the 32-bit range saturates.
int32_t SaturatingAdd(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + int64_t{b};
  if (sum > 2147483647) return 2147483647;
  if (sum < -2147483647) return -2147483647;
  return static_cast<int32_t>(sum);
}

}  // namespace

TJob ReadJob(const JobDocument& document) {
  TJob job;
  job.Margin = TextToInt(document.Margin);
  job.Kerf = TextToInt(document.Kerf);
  ReadTable(document.StockRows, job.StockTable, job.StockCount);
  ReadTable(document.CutRows, job.CutTable, job.CutCount);
  return job;
}

void WriteJob(const TJob& job, JobDocument& document) {
  document.Margin = RealToText(ElementOf(FieldId::Margin).Format, job.Margin);
  document.Kerf = RealToText(ElementOf(FieldId::Kerf).Format, job.Kerf);
  WriteTable(job.StockTable, job.StockCount, document.StockRows);
  WriteTable(job.CutTable, job.CutCount, document.CutRows);
}

TJob PlanningJob(const JobDocument& document) {
  TJob job = ReadJob(document);
  SortStockTable(job);
  SortCutTable(job);
  return job;
}

JobDocument Normalized(const JobDocument& document) {
  JobDocument normalized = document;
  WriteJob(ReadJob(document), normalized);
  return normalized;
}

void SortStockTable(TJob& job) {
  SortTable(job.StockTable, job.StockCount);
}
void SortCutTable(TJob& job) {
  SortTable(job.CutTable, job.CutCount);
}

void MergeEqualCutLengths(JobDocument& document) {
  TJob job = ReadJob(document);
  TLengthTable& cuts = job.CutTable;
  for (int32_t i = 1; i < job.CutCount; ++i) {
    for (int32_t j = i + 1; j <= job.CutCount; ++j) {
      TLengthRow& first = cuts[static_cast<std::size_t>(i)];
      TLengthRow& later = cuts[static_cast<std::size_t>(j)];
      if (first.Length == later.Length) {
        first.Count = SaturatingAdd(first.Count, later.Count);
        later.Length = 0;
      }
    }
  }
  // Merged-away rows are written with an empty length; reading again drops them.
  WriteJob(job, document);
  WriteJob(ReadJob(document), document);
}

void SortCutList(JobDocument& document) {
  TJob job = ReadJob(document);
  SortCutTable(job);
  WriteJob(job, document);
}

}  // namespace yobina
