// What was wrong with a line of the project's inputs, in words a user can act on.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace yobina {

enum class InputFile { Parts, Catalogue, Stock, Settings };

struct LineIssue {
  LineIssue() = default;
  LineIssue(InputFile file, int32_t line, std::string reason, bool skippable, std::string source = {})
      : File(file), Line(line), Reason(std::move(reason)), Skippable(skippable), Source(std::move(source)) {}

  InputFile File = InputFile::Parts;
  int32_t Line = 0;       // 1-based; 0 for the file as a whole (or a setting)
  std::string Reason;     // code page 932, whole sentences
  bool Skippable = true;  // a bad line that may be left out; false: the file cannot be used at all
  // The NC file the issue is about, by name (code page 932); empty where File and Line name it.
  // Line is then the file's number in the folder's order.
  std::string Source;
};

// "部品表 12行目: <reason>", or "P1565.nc1: <reason>" for an NC file (code page 932).
std::string IssueText(const LineIssue& issue);

bool AnyUnskippable(const std::vector<LineIssue>& issues);

}  // namespace yobina
