#include "project/project_input.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

std::string Named(const std::string& section) {
  return Cp932("部材名「") + CutWithEllipsis(section, 40) + Cp932("」");
}

// An issue of the part's line, or of its NC file.
LineIssue PartIssue(int32_t line, const PartOrigin& origin, std::string reason) {
  return {InputFile::Parts, line, std::move(reason), true, origin.File};
}

// "12行目", or the NC file's name.
std::string Where(const PartLine& part) {
  return part.Origin.File.empty() ? IntText(part.Line, 0) + Cp932("行目") : part.Origin.File;
}

void CheckSettings(const ProjectSettings& settings, std::vector<LineIssue>& issues) {
  const auto report = [&](const char* reasonUtf8) {
    issues.push_back({InputFile::Settings, 0, Cp932(reasonUtf8), false});
  };
  if (settings.Kerf < 0 || settings.Kerf > kMostKerfOrMargin) report("切り代は0から999 mmまでです。");
  if (settings.Margin < 0 || settings.Margin > kMostKerfOrMargin) report("余裕は0から999 mmまでです。");
  if (settings.MaxLengths < 0) report("定尺の種類数の上限は0(制限なし)以上です。");
  if (!(settings.SectionSeconds > 0)) report("部材ごとの時間の上限は正の秒数です。");
}

// Section name to its index, in order of first appearance.
struct SectionIndex {
  std::map<std::string, size_t> index;
  size_t Of(const std::string& name, std::vector<SectionInput>& sections,
            std::vector<const PartLine*>& firstParts, const PartLine& part) {
    const auto [at, added] = index.emplace(name, sections.size());
    if (added) {
      sections.emplace_back().Name = name;
      firstParts.push_back(&part);
    }
    return at->second;
  }
};

// Adds the part to the section's cut rows (kept ascending), or says why not.
void AddPart(const PartLine& part, SectionInput& section, std::map<std::string, const PartLine*>& weighed,
             std::vector<LineIssue>& issues) {
  if (part.UnitWeight) {
    const auto [at, added] = weighed.emplace(section.Name, &part);
    if (added) {
      section.UnitWeight = part.UnitWeight;
    } else if (*section.UnitWeight != *part.UnitWeight) {
      issues.push_back(PartIssue(part.Line, part.Origin,
                                 Cp932("単位重量が同じ部材名の") + Where(*at->second) + Cp932("と違います(") +
                                     FixedText(*part.UnitWeight, 0, 2) + Cp932(" と ") +
                                     FixedText(*section.UnitWeight, 0, 2) + Cp932(")。")));
      return;
    }
  }
  auto row = std::lower_bound(section.Cuts.begin(), section.Cuts.end(), part.Length,
                              [](const CutRow& r, int32_t length) { return r.Length < length; });
  if (row == section.Cuts.end() || row->Length != part.Length) {
    row = section.Cuts.insert(row, CutRow{});
    row->Length = part.Length;
  }
  // Counts are at most kMostCount a line; a section's sum stays far from the 32-bit range
  // unless a list of tens of thousands of lines repeats one length.
  row->Count = static_cast<int32_t>(std::min<int64_t>(int64_t{row->Count} + part.Count, INT32_MAX));
  row->Lines.push_back(part.Line);
  row->Parts.push_back({part.Line, part.Count, part.Mark, part.Origin});
  if (!part.Mark.empty() && std::find(row->Marks.begin(), row->Marks.end(), part.Mark) == row->Marks.end())
    row->Marks.push_back(part.Mark);
}

void AddOnHand(const PartLine& bars, SectionInput& section) {
  AddBarsOnHand(section, bars.Length, bars.Count);
}

// The section's buyable lengths, kerf and margin from its catalogue lines;
// false when it has none.
bool TakeCatalogue(const std::vector<CatalogueLine>& lines, const ProjectSettings& settings,
                   SectionInput& section) {
  const auto own = [&](const CatalogueLine& line) { return line.Section == section.Name; };
  const bool hasOwn = std::any_of(lines.begin(), lines.end(), own);
  section.Kerf = settings.Kerf;
  section.Margin = settings.Margin;
  for (const CatalogueLine& line : lines) {
    if (hasOwn ? !own(line) : line.Section != kEverySection) continue;
    section.Lengths.push_back({line.Length, line.Kind, line.Price});
    if (line.Kerf) section.Kerf = *line.Kerf;
    if (line.Margin) section.Margin = *line.Margin;
  }
  std::sort(section.Lengths.begin(), section.Lengths.end(),
            [](const BuyableLength& a, const BuyableLength& b) { return a.Length < b.Length; });
  return !section.Lengths.empty();
}

// A part fits a bar when its length is at most the bar's length and margin.
void CheckFits(const SectionInput& section, std::vector<LineIssue>& issues) {
  int64_t longest = 0;
  for (const BuyableLength& length : section.Lengths) longest = std::max<int64_t>(longest, length.Length);
  for (const BarsOnHand& bars : section.OnHand) longest = std::max<int64_t>(longest, bars.Length);
  for (const CutRow& row : section.Cuts) {
    if (row.Length <= longest + section.Margin) continue;
    for (const CutPart& part : row.Parts) {
      issues.push_back(PartIssue(part.Line, part.Origin,
                                 Named(section.Name) + Cp932("の長さ ") + IntText(row.Length, 0) +
                                     Cp932(" mm の部材は、買える最も長い定尺 ") + IntText(longest, 0) +
                                     Cp932(" mm(余裕 ") + IntText(section.Margin, 0) +
                                     Cp932(" mm)に収まりません。")));
    }
  }
}

// The section without the cut rows of any line reported bad.
void DropRowsOf(SectionInput& section, const std::set<int32_t>& badLines) {
  std::erase_if(section.Cuts, [&](const CutRow& row) {
    return std::any_of(row.Lines.begin(), row.Lines.end(),
                       [&](int32_t line) { return badLines.count(line) > 0; });
  });
}

}  // namespace

int64_t SectionInput::Pieces() const {
  int64_t pieces = 0;
  for (const CutRow& row : Cuts) pieces += row.Count;
  return pieces;
}

void AddBarsOnHand(SectionInput& section, int32_t length, int32_t count) {
  auto row = std::lower_bound(section.OnHand.begin(), section.OnHand.end(), length,
                              [](const BarsOnHand& r, int32_t l) { return r.Length < l; });
  if (row == section.OnHand.end() || row->Length != length)
    row = section.OnHand.insert(row, BarsOnHand{length, 0});
  row->Count = static_cast<int32_t>(std::min<int64_t>(int64_t{row->Count} + count, INT32_MAX));
}

ProjectInput BuildProject(const PartsListRead& parts, const std::optional<CatalogueRead>& catalogue,
                          const std::optional<PartsListRead>& stock, const ProjectSettings& settings) {
  ProjectInput input;
  input.Settings = settings;
  std::vector<LineIssue>& issues = input.Issues;
  CheckSettings(settings, issues);
  issues.insert(issues.end(), parts.Issues.begin(), parts.Issues.end());
  if (catalogue) issues.insert(issues.end(), catalogue->Issues.begin(), catalogue->Issues.end());
  if (stock) issues.insert(issues.end(), stock->Issues.begin(), stock->Issues.end());

  std::vector<SectionInput>& sections = input.Sections;
  input.Notes = parts.Notes;
  std::vector<const PartLine*> firstParts;
  SectionIndex index;
  std::map<std::string, const PartLine*> weighed;
  for (const PartLine& part : parts.Parts)
    AddPart(part, sections[index.Of(part.Section, sections, firstParts, part)], weighed, issues);

  const std::vector<CatalogueLine> lines = catalogue ? catalogue->Lines : DefaultCatalogue();
  std::vector<bool> keep(sections.size(), true);
  for (size_t s = 0; s < sections.size(); ++s) {
    SectionInput& section = sections[s];
    if (stock) {
      for (const PartLine& bars : stock->Parts) {
        if (bars.Section == section.Name) AddOnHand(bars, section);
      }
    }
    if (!TakeCatalogue(lines, settings, section)) {
      const PartLine& first = *firstParts[s];
      issues.push_back(
          PartIssue(first.Line, first.Origin,
                    Named(section.Name) + Cp932(first.Origin.File.empty()
                                                    ? "は定尺表にありません(この部材名の行すべて)。"
                                                    : "は定尺表にありません(この部材名のファイルすべて)。")));
      keep[s] = false;
      continue;
    }
    CheckFits(section, issues);
  }

  input.Ready = !AnyUnskippable(issues) && (issues.empty() || settings.SkipBadLines);
  if (input.Ready) {
    std::set<int32_t> badLines;
    for (const LineIssue& issue : issues) {
      if (issue.File == InputFile::Parts) badLines.insert(issue.Line);
    }
    std::vector<SectionInput> kept;
    for (size_t s = 0; s < sections.size(); ++s) {
      DropRowsOf(sections[s], badLines);
      if (keep[s] && !sections[s].Cuts.empty()) kept.push_back(std::move(sections[s]));
    }
    sections = std::move(kept);
    if (sections.empty()) {
      issues.push_back({InputFile::Parts, 0, Cp932("計画する部材がありません。"), false});
      input.Ready = false;
    }
  }
  if (!input.Ready) sections.clear();
  std::stable_sort(issues.begin(), issues.end(), [](const LineIssue& a, const LineIssue& b) {
    return a.File != b.File ? a.File < b.File : a.Line < b.Line;
  });
  return input;
}

ProjectInput ReadProject(std::string_view partsBytes, std::optional<std::string_view> catalogueBytes,
                         std::optional<std::string_view> stockBytes, const ProjectSettings& settings) {
  return ReadProject(ReadPartsList(partsBytes, InputFile::Parts), catalogueBytes, stockBytes, settings);
}

ProjectInput ReadProject(const PartsListRead& parts, std::optional<std::string_view> catalogueBytes,
                         std::optional<std::string_view> stockBytes, const ProjectSettings& settings) {
  std::optional<CatalogueRead> catalogue;
  if (catalogueBytes) catalogue = ReadCatalogue(*catalogueBytes);
  std::optional<PartsListRead> stock;
  if (stockBytes) stock = ReadPartsList(*stockBytes, InputFile::Stock);
  return BuildProject(parts, catalogue, stock, settings);
}

}  // namespace yobina
