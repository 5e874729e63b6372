#include "building_parts.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>
#include <string_view>
#include <vector>

#include "optimizer/random_job.h"

namespace yobina::bench {
namespace {

using test::JobRandom;

// How a shape is used, and so how long its parts run.
struct Use {
  std::string_view MarkPrefix;
  int32_t Shortest;
  int32_t Longest;
};

constexpr Use kColumnsAndBeams{"G", 2500, 12000};
constexpr Use kSmallBeams{"B", 600, 9000};
constexpr Use kBraces{"V", 250, 6000};
constexpr Use kPurlins{"P", 800, 10000};
constexpr Use kPosts{"S", 300, 6000};
constexpr Use kPlates{"PL", 250, 3000};

struct Shape {
  std::string_view Name;  // UTF-8
  double UnitWeight;      // kg/m
  const Use* Kind;
};

constexpr std::array<Shape, 60> kShapes{{
    {"H-100×100×6×8", 16.9, &kSmallBeams},
    {"H-125×125×6.5×9", 23.6, &kSmallBeams},
    {"H-150×150×7×10", 31.1, &kSmallBeams},
    {"H-175×175×7.5×11", 40.4, &kColumnsAndBeams},
    {"H-200×200×8×12", 49.9, &kColumnsAndBeams},
    {"H-250×250×9×14", 71.8, &kColumnsAndBeams},
    {"H-300×300×10×15", 93.0, &kColumnsAndBeams},
    {"H-350×350×12×19", 135, &kColumnsAndBeams},
    {"H-400×400×13×21", 172, &kColumnsAndBeams},
    {"H-148×100×6×9", 20.7, &kSmallBeams},
    {"H-194×150×6×9", 29.9, &kSmallBeams},
    {"H-244×175×7×11", 43.6, &kColumnsAndBeams},
    {"H-294×200×8×12", 55.8, &kColumnsAndBeams},
    {"H-340×250×9×14", 78.1, &kColumnsAndBeams},
    {"H-390×300×10×16", 105, &kColumnsAndBeams},
    {"H-440×300×11×18", 121, &kColumnsAndBeams},
    {"H-488×300×11×18", 125, &kColumnsAndBeams},
    {"H-588×300×12×20", 147, &kColumnsAndBeams},
    {"H-100×50×5×7", 9.30, &kSmallBeams},
    {"H-125×60×6×8", 13.1, &kSmallBeams},
    {"H-150×75×5×7", 14.0, &kSmallBeams},
    {"H-175×90×5×8", 18.0, &kSmallBeams},
    {"H-200×100×5.5×8", 20.9, &kSmallBeams},
    {"H-250×125×6×9", 29.0, &kColumnsAndBeams},
    {"H-300×150×6.5×9", 36.7, &kColumnsAndBeams},
    {"H-350×175×7×11", 49.4, &kColumnsAndBeams},
    {"H-400×200×8×13", 65.4, &kColumnsAndBeams},
    {"H-450×200×9×14", 74.9, &kColumnsAndBeams},
    {"H-500×200×10×16", 88.2, &kColumnsAndBeams},
    {"H-600×200×11×17", 103, &kColumnsAndBeams},
    {"L-40×40×3", 1.83, &kBraces},
    {"L-40×40×5", 2.95, &kBraces},
    {"L-45×45×4", 2.74, &kBraces},
    {"L-50×50×4", 3.06, &kBraces},
    {"L-50×50×6", 4.43, &kBraces},
    {"L-60×60×5", 4.55, &kBraces},
    {"L-65×65×6", 5.91, &kBraces},
    {"L-65×65×8", 7.66, &kBraces},
    {"L-75×75×6", 6.85, &kBraces},
    {"L-75×75×9", 9.96, &kBraces},
    {"L-90×90×7", 9.59, &kBraces},
    {"L-100×100×7", 10.7, &kBraces},
    {"C-75×45×15×2.3", 3.25, &kPurlins},
    {"C-100×50×20×2.3", 4.06, &kPurlins},
    {"C-100×50×20×3.2", 5.50, &kPurlins},
    {"C-125×50×20×2.3", 4.51, &kPurlins},
    {"C-125×50×20×3.2", 6.13, &kPurlins},
    {"C-150×65×20×3.2", 7.51, &kPurlins},
    {"[-100×50×5×7.5", 9.36, &kSmallBeams},
    {"[-125×65×6×8", 13.4, &kSmallBeams},
    {"[-150×75×6.5×10", 18.6, &kSmallBeams},
    {"[-200×80×7.5×11", 24.6, &kSmallBeams},
    {"□-50×50×2.3", 3.34, &kPosts},
    {"□-75×75×3.2", 6.97, &kPosts},
    {"□-100×100×3.2", 9.52, &kPosts},
    {"□-125×125×4.5", 16.6, &kPosts},
    {"□-150×150×6", 26.2, &kPosts},
    {"FB-6×50", 2.36, &kPlates},
    {"FB-9×75", 5.30, &kPlates},
    {"FB-12×100", 9.42, &kPlates},
}};

constexpr std::array<std::string_view, 6> kGrades{"SS400",  "SN400B",  "SN490B",
                                                  "SM490A", "STKR400", "SS400 溶融亜鉛めっき"};

struct Section {
  std::string Name;
  const Shape* Form;
  std::vector<int32_t> Lengths;  // the section's members, each a distinct length
  int32_t Lines = 0;
};

int32_t PieceCount(JobRandom& random) {
  const int32_t draw = random.Between(1, 100);
  if (draw <= 60) return random.Between(1, 2);
  if (draw <= 90) return random.Between(3, 6);
  return random.Between(7, 16);
}

int32_t PartLength(JobRandom& random, const Use& use) {
  const int32_t length = random.Between(use.Shortest, use.Longest);
  return random.Chance(70) ? std::max(use.Shortest, length - length % 5) : length;
}

std::vector<Section> PickSections(JobRandom& random, int32_t count) {
  std::vector<std::pair<size_t, size_t>> kinds;
  for (size_t s = 0; s < kShapes.size(); ++s) {
    for (size_t g = 0; g < kGrades.size(); ++g) kinds.emplace_back(s, g);
  }
  for (size_t i = kinds.size() - 1; i > 0; --i)
    std::swap(kinds[i], kinds[static_cast<size_t>(random.Between(0, static_cast<int32_t>(i)))]);
  kinds.resize(std::min(kinds.size(), static_cast<size_t>(count)));
  std::vector<Section> sections;
  for (const auto& [s, g] : kinds) {
    Section section;
    section.Form = &kShapes[s];
    section.Name = std::string(kShapes[s].Name) + " " + std::string(kGrades[g]);
    sections.push_back(std::move(section));
  }
  return sections;
}

// Lines per section: many small sections and a few large ones, summing to `parts`.
void SpreadLines(JobRandom& random, std::vector<Section>& sections, int32_t parts) {
  int64_t total = 0;
  for (Section& section : sections) {
    section.Lines = random.Chance(12) ? random.Between(60, 140) : random.Between(4, 40);
    total += section.Lines;
  }
  const auto last = static_cast<int32_t>(sections.size()) - 1;
  while (total != parts) {
    Section& section = sections[static_cast<size_t>(random.Between(0, last))];
    if (total < parts && section.Lines < 160) ++section.Lines, ++total;
    if (total > parts && section.Lines > 3) --section.Lines, --total;
  }
}

void AppendLine(std::string& csv, std::string_view mark, int32_t number, const Section& section,
                int32_t length, int32_t count) {
  char cells[96];
  std::snprintf(cells, sizeof cells, "%d,%d,%.2f\r\n", length, count, section.Form->UnitWeight);
  csv += std::string(mark) + std::to_string(number) + "," + section.Name + "," + cells;
}

}  // namespace

std::string MakeBuildingPartsCsv(uint64_t seed, const BuildingShape& shape) {
  JobRandom random(seed);
  std::vector<Section> sections = PickSections(random, shape.Sections);
  SpreadLines(random, sections, shape.Parts);

  struct Part {
    size_t Section;
    int32_t Length;
    int32_t Count;
    int32_t Mark;
  };
  std::vector<Part> parts;
  for (size_t s = 0; s < sections.size(); ++s) {
    Section& section = sections[s];
    // Members repeat: a section's lines share fewer distinct lengths, at most 90.
    const int32_t members = std::clamp(section.Lines * random.Between(50, 90) / 100, 1, 90);
    std::set<int32_t> lengths;
    while (static_cast<int32_t>(lengths.size()) < members)
      lengths.insert(PartLength(random, *section.Form->Kind));
    section.Lengths.assign(lengths.begin(), lengths.end());
    for (int32_t line = 0; line < section.Lines; ++line) {
      const auto member = random.Between(0, members - 1);
      parts.push_back({s, section.Lengths[static_cast<size_t>(member)], PieceCount(random), member + 1});
    }
  }
  for (size_t i = parts.size() - 1; i > 0; --i)
    std::swap(parts[i], parts[static_cast<size_t>(random.Between(0, static_cast<int32_t>(i)))]);

  std::string csv = "\xEF\xBB\xBF符号,部材名,長さ,本数,単位重量\r\n";
  for (const Part& part : parts) {
    const Section& section = sections[part.Section];
    AppendLine(csv, section.Form->Kind->MarkPrefix, part.Mark, section, part.Length, part.Count);
  }
  return csv;
}

}  // namespace yobina::bench
