// What can be bought (CSV, optional): the standard lengths of each section,
// with a price per bar or per tonne, and the kerf and margin of a section
// where they differ from the project's.
//
//   部材名 (断面, section)   a section, or * for every section without lines of its own   required
//   長さ (length)            mm, whole                                                    required
//   円/本 (yen/bar)          price of one bar                                             optional
//   円/t (yen/t)             price per tonne (needs the section's unit weight)           optional
//   切り代 (kerf)            mm, for every line of the section alike                      optional
//   余裕 (margin)            mm, likewise                                                 optional
//
// A section's own lines replace the * lines for it. A line has at most one price.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/line_issue.h"

namespace yobina {

enum class PriceKind { None, PerBar, PerTonne };

inline constexpr std::string_view kEverySection = "*";
// Kerf and margin a job file holds (three digits).
inline constexpr int32_t kMostKerfOrMargin = 999;

struct CatalogueLine {
  int32_t Line = 0;     // 0 for the default catalogue
  std::string Section;  // code page 932, or kEverySection
  int32_t Length = 0;   // mm
  PriceKind Kind = PriceKind::None;
  double Price = 0;  // yen per bar or per tonne
  std::optional<int32_t> Kerf;
  std::optional<int32_t> Margin;
};

struct CatalogueRead {
  std::vector<CatalogueLine> Lines;  // the good lines
  std::vector<LineIssue> Issues;
};

CatalogueRead ReadCatalogue(std::string_view bytes);

// Without a catalogue: every section in every length from 6000 to 12000 mm in
// 500 mm steps, without a price (the aim is the least steel).
std::vector<CatalogueLine> DefaultCatalogue();

}  // namespace yobina
