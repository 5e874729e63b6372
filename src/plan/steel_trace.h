// Where a bar's steel came from, as its mill certificate says: what the shop
// must be able to show for every member it cuts. Code page 932 texts, each
// empty while not known.
#pragma once

#include <string>

namespace yobina {

struct SteelTrace {
  std::string Grade;      // 鋼種
  std::string Heat;       // 溶鋼番号
  std::string MillSheet;  // ミルシート番号

  bool Empty() const { return Grade.empty() && Heat.empty() && MillSheet.empty(); }
  auto operator<=>(const SteelTrace&) const = default;
};

}  // namespace yobina
