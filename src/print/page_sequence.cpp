#include "print/page_sequence.h"

#include <algorithm>

namespace yobina {
namespace {

bool InRanges(int page, const std::vector<std::pair<int, int>>& ranges) {
  if (ranges.empty()) return true;
  return std::any_of(ranges.begin(), ranges.end(), [page](const std::pair<int, int>& range) {
    return page >= range.first && page <= range.second;
  });
}

}  // namespace

std::vector<int> PageSequence(const std::vector<bool>& hasInk, const PageChoice& choice) {
  std::vector<int> pages;
  for (int i = 0; i < static_cast<int>(hasInk.size()); ++i) {
    if (hasInk[static_cast<std::size_t>(i)] && InRanges(i + 1, choice.Ranges)) pages.push_back(i);
  }
  if (choice.LastPageFirst) std::reverse(pages.begin(), pages.end());

  const int copies = std::max(choice.Copies, 1);
  std::vector<int> sequence;
  sequence.reserve(pages.size() * static_cast<std::size_t>(copies));
  if (choice.Collate) {
    for (int copy = 0; copy < copies; ++copy) sequence.insert(sequence.end(), pages.begin(), pages.end());
  } else {
    for (const int page : pages) sequence.insert(sequence.end(), static_cast<std::size_t>(copies), page);
  }
  return sequence;
}

}  // namespace yobina
