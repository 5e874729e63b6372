#include "project/line_issue.h"

#include <algorithm>

#include "text/codec.h"

namespace yobina {

std::string IssueText(const LineIssue& issue) {
  if (!issue.Source.empty()) return issue.Source + ": " + issue.Reason;
  std::string text;
  switch (issue.File) {
    case InputFile::Parts:
      text = Cp932("部品表");
      break;
    case InputFile::Catalogue:
      text = Cp932("定尺表");
      break;
    case InputFile::Stock:
      text = Cp932("在庫表");
      break;
    case InputFile::Settings:
      text = Cp932("設定");
      break;
  }
  if (issue.Line > 0) {
    text += ' ';
    text += std::to_string(issue.Line);
    text += Cp932("行目");
  }
  text += ": ";
  return text += issue.Reason;
}

bool AnyUnskippable(const std::vector<LineIssue>& issues) {
  return std::any_of(issues.begin(), issues.end(), [](const LineIssue& issue) { return !issue.Skippable; });
}

}  // namespace yobina
