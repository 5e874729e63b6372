#include "print/paper_sizes.h"

namespace yobina {

std::optional<QPageSize::PageSizeId> PageSizeForPaperCode(int16_t code) {
  switch (code) {
    case 66:
      return QPageSize::A2;
    case 8:
      return QPageSize::A3;
    case 9:
      return QPageSize::A4;
    case 12:  // the Windows B sizes are the Japanese ones
      return QPageSize::JisB4;
    case 13:
      return QPageSize::JisB5;
    default:
      return std::nullopt;
  }
}

}  // namespace yobina
