// The building's inputs grouped by section, each section ready to be planned
// as one job, and the settings of the whole project.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/catalogue.h"
#include "project/line_issue.h"
#include "project/parts_list.h"

namespace yobina {

struct ProjectSettings {
  std::string ProjectName;     // code page 932; the job files' project name
  int32_t Kerf = 0;            // mm; a section's catalogue lines may give their own
  int32_t Margin = 0;          // mm; likewise
  int32_t MaxLengths = 0;      // different lengths bought per section; 0: any number
  double SectionSeconds = 10;  // wall-clock cap of one section's planning
  bool SkipBadLines = false;   // plan without the bad lines instead of refusing the input
};

// A part behind a cut row: a line of the parts list, or an NC file.
struct CutPart {
  int32_t Line = 0;
  int32_t Count = 0;
  std::string Mark;  // code page 932
  PartOrigin Origin;
};

struct CutRow {
  int32_t Length = 0;              // mm
  int32_t Count = 0;               // pieces, the parts of this length summed
  std::vector<int32_t> Lines;      // the parts list's lines of this length
  std::vector<std::string> Marks;  // their marks, each once, in file order (code page 932)
  std::vector<CutPart> Parts;      // a part a line, in file order
};

struct BuyableLength {
  int32_t Length = 0;  // mm
  PriceKind Kind = PriceKind::None;
  double Price = 0;  // yen per bar or per tonne
};

struct BarsOnHand {
  int32_t Length = 0;  // mm
  int32_t Count = 0;
};

struct SectionInput {
  std::string Name;                  // code page 932
  std::optional<double> UnitWeight;  // kg/m, from the parts list
  int32_t Kerf = 0;
  int32_t Margin = 0;
  std::vector<CutRow> Cuts;            // ascending, lengths distinct
  std::vector<BuyableLength> Lengths;  // ascending, lengths distinct
  std::vector<BarsOnHand> OnHand;      // ascending, lengths distinct

  int64_t Pieces() const;
};

struct ProjectInput {
  ProjectSettings Settings;
  // In the order the parts list first names them; empty unless Ready.
  std::vector<SectionInput> Sections;
  std::vector<LineIssue> Issues;   // every fault found, by file and line
  std::vector<std::string> Notes;  // what the parts list left out without a fault (code page 932)
  // Nothing unskippable was found, and either nothing at all or the settings
  // skip bad lines (which are then left out); some section remains.
  bool Ready = false;
};

// Groups the good lines: equal lengths of a section merge, the catalogue's
// lines for the section (else its * lines) are what it may buy, the stock
// list's lines for it are its bars on hand. Adds the faults only the whole
// input shows: a setting out of range, a section without catalogue lines, a
// part longer than every bar the section can have, a unit weight that differs
// from the section's earlier lines.
ProjectInput BuildProject(const PartsListRead& parts, const std::optional<CatalogueRead>& catalogue,
                          const std::optional<PartsListRead>& stock, const ProjectSettings& settings);

// Adds `count` bars of `length` mm to the section's bars on hand (merged by
// length, ascending), e.g. its offcuts from the inventory.
void AddBarsOnHand(SectionInput& section, int32_t length, int32_t count);

// The three readers and BuildProject in a row; no catalogue: DefaultCatalogue().
ProjectInput ReadProject(std::string_view partsBytes, std::optional<std::string_view> catalogueBytes,
                         std::optional<std::string_view> stockBytes, const ProjectSettings& settings);
// Likewise with the parts already read (parts_source.h).
ProjectInput ReadProject(const PartsListRead& parts, std::optional<std::string_view> catalogueBytes,
                         std::optional<std::string_view> stockBytes, const ProjectSettings& settings);

}  // namespace yobina
