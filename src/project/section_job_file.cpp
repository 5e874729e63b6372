// A section's job as the window's input page and its job file.
#include <cstdio>
#include <string_view>

#include "job/job_io.h"
#include "project/project_outputs.h"
#include "text/codec.h"

namespace yobina {
namespace {

// Names stay well under the 255 bytes a file name may have.
constexpr size_t kMostNameBytes = 150;

// `utf8` cut to at most `most` bytes, never inside a character.
std::string_view HeadOf(std::string_view utf8, size_t most) {
  if (utf8.size() <= most) return utf8;
  size_t end = most;
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

}  // namespace

JobDocument SectionDocument(const ProjectResult& result, size_t s, const SectionResult& full) {
  const SectionInput& input = result.Input.Sections[s];
  JobDocument document;
  document.ProjectName = result.Input.Settings.ProjectName;
  document.MemberName = input.Name;
  if (input.UnitWeight)
    document.UnitWeight = RealToText(ElementOf(FieldId::UnitWeight).Format, *input.UnitWeight);
  WriteJob(full.Job, document);
  return document;
}

bool HasJobFile(const ProjectResult& result, size_t s) {
  const SectionSummary& section = result.Sections[s];
  return section.HasPlan() && section.CutRows <= kGridDataRows && section.StockRows <= kGridDataRows;
}

std::string JobFileName(const ProjectInput& input, size_t s) {
  const std::string utf8 = Cp932ToUtf8(input.Sections[s].Name);
  std::string name;
  for (const char c : HeadOf(utf8, kMostNameBytes)) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unsafe =
        byte < 0x20 || byte == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
    name += unsafe ? '_' : c;
  }
  char number[16];
  std::snprintf(number, sizeof number, "%03zu_", s + 1);
  return number + name + ".qzl";
}

}  // namespace yobina
