#include "job/job_io.h"

#include <string>

#include "text/number_text.h"

namespace yobina {

namespace {

constexpr NumberFormat kLengthFormat = kGridColumnElements[kLengthColumn - 1].Format;
constexpr NumberFormat kCountFormat = kGridColumnElements[kCountColumn - 1].Format;

void ReadTable(const InputPage& page, GridId grid, TLengthTable& table, int32_t& count) {
  int32_t used = 0;
  const int rows = page.RowCount(grid);
  for (int r = 1; r < rows && used < kTableCapacity; ++r) {
    TLengthRow& row = table[static_cast<std::size_t>(used + 1)];
    row.Length = TextToInt(page.CellText(grid, kLengthColumn, r));
    row.Count = TextToInt(page.CellText(grid, kCountColumn, r));
    if (row.Length != 0) ++used;
  }
  count = used;
}

void WriteTable(const TLengthTable& table, int32_t count, GridId grid, InputPage& page) {
  const int rows = page.RowCount(grid);
  for (int r = 1; r < rows; ++r) {
    if (r <= count && r <= kTableCapacity) {
      const TLengthRow& row = table[static_cast<std::size_t>(r)];
      page.SetCellText(grid, kLengthColumn, r, RealToTextBlankZero(kLengthFormat, row.Length));
      page.SetCellText(grid, kCountColumn, r, RealToTextBlankZero(kCountFormat, row.Count));
    } else {
      page.SetCellText(grid, kLengthColumn, r, std::string());
      page.SetCellText(grid, kCountColumn, r, std::string());
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

void ReadJobFromInput(const InputPage& page, TJob& job) {
  job.Margin = TextToInt(page.FieldText(FieldId::Margin));
  job.Kerf = TextToInt(page.FieldText(FieldId::Kerf));
  ReadTable(page, GridId::Stock, job.StockTable, job.StockCount);
  ReadTable(page, GridId::Cut, job.CutTable, job.CutCount);
}

void WriteJobToInput(const TJob& job, InputPage& page) {
  page.SetFieldText(FieldId::Margin, RealToText(ElementOf(FieldId::Margin).Format, job.Margin));
  page.SetFieldText(FieldId::Kerf, RealToText(ElementOf(FieldId::Kerf).Format, job.Kerf));
  WriteTable(job.StockTable, job.StockCount, GridId::Stock, page);
  WriteTable(job.CutTable, job.CutCount, GridId::Cut, page);
}

void SortStockTable(TJob& job) {
  SortTable(job.StockTable, job.StockCount);
}
void SortCutTable(TJob& job) {
  SortTable(job.CutTable, job.CutCount);
}

void MergeEqualCutLengths(InputPage& page, TJob& job) {
  ReadJobFromInput(page, job);
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
  // Merged-away rows show an empty length for a moment; the second pass drops them.
  WriteJobToInput(job, page);
  ReadJobFromInput(page, job);
  WriteJobToInput(job, page);
}

}  // namespace yobina
