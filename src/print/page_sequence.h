// Which of a printed document's pages reach the paper, and in which order: the
// page range, the copies the program draws itself, the collation and the page
// order chosen in the print dialog. A page with nothing on it is never emitted.
#pragma once

#include <utility>
#include <vector>

namespace yobina {

struct PageChoice {
  std::vector<std::pair<int, int>> Ranges;  // 1-based, inclusive; empty: every page
  int Copies = 1;                           // copies drawn into the document
  bool Collate = true;                      // 1 2 3 1 2 3 rather than 1 1 2 2 3 3
  bool LastPageFirst = false;
};

// `hasInk[i]` tells whether anything was drawn on page i + 1. The result lists
// 0-based page indexes in the order they are emitted.
std::vector<int> PageSequence(const std::vector<bool>& hasInk, const PageChoice& choice);

}  // namespace yobina
