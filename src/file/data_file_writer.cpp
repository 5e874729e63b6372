#include <array>
#include <cstdio>
#include <string>

#include "file/atomic_file.h"
#include "file/data_file.h"
#include "file/persist_list.h"
#include "file/writable_values.h"
#include "text/codec.h"

namespace yobina {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = ";-----------------------------------> ";

// The page captions in code page 932, converted once.
const std::string& CaptionOf(const PersistEntry& page) {
  static const std::array<std::string, kPersistList.size()> captions = [] {
    std::array<std::string, kPersistList.size()> converted;
    for (std::size_t i = 0; i < kPersistList.size(); ++i) converted[i] = Cp932(kPersistList[i].CaptionUtf8);
    return converted;
  }();
  return captions[static_cast<std::size_t>(&page - kPersistList.data())];
}

void AppendKey(std::string& out, std::string_view key) {
  out.append(key);
  if (key.size() < 12) out.append(12 - key.size(), ' ');
  out.push_back('=');
}

void AppendFieldLine(std::string& out, std::string_view key, std::string_view value) {
  AppendKey(out, key);
  out.append(value);
  out.append(kLineEnd);
}

void AppendTableRows(std::string& out, const InputPage& page, GridId grid) {
  const int columns = page.ColumnCount(grid);
  for (int row = 1; row < page.RowCount(grid); ++row) {
    AppendKey(out, KeyOf(grid));
    char number[16];
    std::snprintf(number, sizeof number, "%3d", row);
    out.append(number);
    for (int column = 1; column < columns; ++column) {
      out.push_back(',');
      out.append(page.CellText(grid, column, row));
    }
    out.append(kLineEnd);
  }
}

}  // namespace

std::string FormatDataFile(const InputPage& page) {
  CheckWritable(page);
  std::string out;
  out.reserve(4096);
  out.append(kDataFileHeader).append(kLineEnd);
  for (const PersistEntry& entry : kPersistList) {
    switch (entry.Kind) {
      case PersistKind::Page:
        out.append(kSeparator).append(CaptionOf(entry)).append(kLineEnd);
        AppendFieldLine(out, entry.Key, {});
        break;
      case PersistKind::TextField:
        AppendFieldLine(out, entry.Key, page.FieldText(entry.Field));
        break;
      case PersistKind::ChoiceGroup:
        AppendFieldLine(out, entry.Key, std::to_string(page.TrialIndex()));
        break;
      case PersistKind::Table:
        AppendTableRows(out, page, entry.Grid);
        AppendFieldLine(out, entry.Key, " -1");
        break;
    }
  }
  return out;
}

void SaveDataFile(const InputPage& page, const std::filesystem::path& file) {
  WriteFileAtomically(file, FormatDataFile(page));
}

}  // namespace yobina
