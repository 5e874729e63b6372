#include "app/offcut_texts.h"

#include <algorithm>

#include "text/codec.h"

namespace yobina {
namespace {

std::string CsvCell(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::vector<std::string> ChangeLines(const InventoryChanges& changes) {
  std::vector<std::string> lines;
  for (const OffcutChange& change : changes.Changes) {
    const OffcutEntry& entry = change.Entry;
    std::string line = "  " + entry.Section + "  " + std::to_string(entry.Length) + "mm  ";
    if (change.CountBefore == 0) {
      line += Cp932("追加 ") + std::to_string(entry.Count) + Cp932("本");
    } else if (entry.Count == 0) {
      line += Cp932("削除 ") + std::to_string(change.CountBefore) + Cp932("本");
    } else {
      line += std::to_string(change.CountBefore) + Cp932("本 → ") + std::to_string(entry.Count) + Cp932("本");
    }
    line += "  (" + entry.Source + " " + entry.Date + ")";
    if (!entry.Trace.Heat.empty()) line += Cp932("  溶鋼番号 ") + entry.Trace.Heat;
    lines.push_back(line);
  }
  return lines;
}

std::string ChangeSummary(const InventoryChanges& changes) {
  return Cp932("残材を在庫へ: 追加 ") + std::to_string(changes.BarsAdded) + Cp932(" 本、在庫から使用 ") +
         std::to_string(changes.BarsRemoved) + Cp932(" 本");
}

std::string TakeSummary(const TakenOffcuts& taken) {
  std::string text =
      Cp932("在庫から ") + std::to_string(taken.Rows.size()) + Cp932(" 行を素材に加えました。");
  if (taken.RowsLeftOut > 0) {
    text += Cp932("素材リストに空きがなく、") + std::to_string(taken.RowsLeftOut) + Cp932(" 行 (") +
            std::to_string(taken.BarsLeftOut) + Cp932(" 本) は入りませんでした。");
  }
  return text;
}

std::string OffcutListCsv(const std::vector<OffcutEntry>& entries) {
  struct Line {
    std::string Section;
    int32_t Length = 0;
    SteelTrace Trace;
    int64_t Count = 0;
    std::vector<std::string> Sources;
    std::string Date;
  };
  std::vector<Line> lines;
  bool traced = false;
  for (const OffcutEntry& entry : entries) {
    auto line = std::find_if(lines.begin(), lines.end(), [&](const Line& l) {
      return l.Section == entry.Section && l.Length == entry.Length && l.Trace == entry.Trace;
    });
    if (line == lines.end())
      line = lines.insert(lines.end(), Line{entry.Section, entry.Length, entry.Trace, 0, {}, entry.Date});
    line->Count += entry.Count;
    if (std::find(line->Sources.begin(), line->Sources.end(), entry.Source) == line->Sources.end())
      line->Sources.push_back(entry.Source);
    line->Date = std::min(line->Date, entry.Date);
    traced = traced || !entry.Trace.Empty();
  }
  // The steel's columns only once some entry has one, so the listing stays
  // as it always was for an inventory without.
  std::string csv = Cp932ToUtf8(Cp932(traced ? "部材名,長さ,本数,出所,登録日,鋼種,溶鋼番号,ミルシート番号"
                                             : "部材名,長さ,本数,出所,登録日")) +
                    "\r\n";
  for (const Line& line : lines) {
    std::string sources;
    for (const std::string& source : line.Sources) sources += (sources.empty() ? "" : " / ") + source;
    csv += CsvCell(Cp932ToUtf8(line.Section)) + "," + std::to_string(line.Length) + "," +
           std::to_string(line.Count) + "," + CsvCell(Cp932ToUtf8(sources)) + "," + CsvCell(line.Date);
    for (const std::string* text : {&line.Trace.Grade, &line.Trace.Heat, &line.Trace.MillSheet}) {
      if (!traced) break;
      csv += ',';
      csv += CsvCell(Cp932ToUtf8(*text));
    }
    csv += "\r\n";
  }
  return csv;
}

}  // namespace yobina
