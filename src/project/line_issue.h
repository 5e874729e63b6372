// What was wrong with a line of the project's inputs, in words a user can act on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace yobina {

enum class InputFile { Parts, Catalogue, Stock, Settings };

struct LineIssue {
  InputFile File = InputFile::Parts;
  int32_t Line = 0;       // 1-based; 0 for the file as a whole (or a setting)
  std::string Reason;     // code page 932, whole sentences
  bool Skippable = true;  // a bad line that may be left out; false: the file cannot be used at all
};

// "部品表 12行目: <reason>" (code page 932).
std::string IssueText(const LineIssue& issue);

bool AnyUnskippable(const std::vector<LineIssue>& issues);

}  // namespace yobina
