// The order in which a cut row's pieces take the marks of its parts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "shop/shop_input.h"

namespace yobina {

// Byte order, except that runs of ASCII digits compare as numbers ("G2" before
// "G10"); texts that differ only in leading zeros compare by bytes.
bool NaturalLess(std::string_view a, std::string_view b);

// Hands out the marks of one cut row's parts: by phase, then mark (both in
// NaturalLess order), then the order of the list, each as often as its count.
class MarkSequence {
 public:
  MarkSequence() = default;
  explicit MarkSequence(std::vector<RowPart> parts);

  // The next piece's part; null once the parts are used up.
  const RowPart* Next();

 private:
  std::vector<RowPart> parts_;
  std::size_t part_ = 0;
  int32_t used_ = 0;  // of parts_[part_]
};

}  // namespace yobina
