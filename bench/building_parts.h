// A building's parts list, the same on every machine for a seed: sections of
// the makers' lists (H, L, C, [, □, FB shapes in several steel grades), parts
// of 250-12000 mm whose range follows the shape (long beams and columns,
// short braces and plates), to the 5 mm or to the mm, mostly a few pieces a
// line, in the order a CAD export mixes them. Every part fits a 12000 mm bar.
#pragma once

#include <cstdint>
#include <string>

namespace yobina::bench {

struct BuildingShape {
  int32_t Sections = 300;
  int32_t Parts = 10000;  // lines of the list
};

// The CSV in UTF-8 with a byte-order mark: 符号,部材名,長さ,本数,単位重量.
std::string MakeBuildingPartsCsv(uint64_t seed, const BuildingShape& shape);

}  // namespace yobina::bench
