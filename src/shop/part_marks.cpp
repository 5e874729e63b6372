#include "shop/part_marks.h"

#include <algorithm>

namespace yobina {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// -1, 0 or 1 for the digit runs from a[i] and b[j], which it steps past.
int CompareNumbers(std::string_view a, std::size_t& i, std::string_view b, std::size_t& j) {
  while (i < a.size() && a[i] == '0') ++i;
  while (j < b.size() && b[j] == '0') ++j;
  const std::size_t aStart = i;
  const std::size_t bStart = j;
  while (i < a.size() && IsDigit(a[i])) ++i;
  while (j < b.size() && IsDigit(b[j])) ++j;
  if (i - aStart != j - bStart) return i - aStart < j - bStart ? -1 : 1;
  const int order = a.substr(aStart, i - aStart).compare(b.substr(bStart, j - bStart));
  return (order > 0) - (order < 0);
}

}  // namespace

bool NaturalLess(std::string_view a, std::string_view b) {
  // Digits never occur as the second byte of a code page 932 character, so
  // a byte scan finds the same runs a character scan would.
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      if (const int order = CompareNumbers(a, i, b, j); order != 0) return order < 0;
      continue;
    }
    if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
    ++i;
    ++j;
  }
  if (i < a.size() || j < b.size()) return j < b.size();
  return a < b;  // equal but for leading zeros
}

MarkSequence::MarkSequence(std::vector<RowPart> parts) : parts_(std::move(parts)) {
  std::erase_if(parts_, [](const RowPart& part) { return part.Count <= 0; });
  std::stable_sort(parts_.begin(), parts_.end(), [](const RowPart& a, const RowPart& b) {
    if (NaturalLess(a.Phase, b.Phase)) return true;
    if (NaturalLess(b.Phase, a.Phase)) return false;
    return NaturalLess(a.Mark, b.Mark);
  });
}

const RowPart* MarkSequence::Next() {
  while (part_ < parts_.size() && used_ >= parts_[part_].Count) {
    ++part_;
    used_ = 0;
  }
  if (part_ == parts_.size()) return nullptr;
  ++used_;
  return &parts_[part_];
}

}  // namespace yobina
