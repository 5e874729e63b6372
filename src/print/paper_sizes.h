// Paper codes of the printer set-up (the Windows DMPAPER_* values) as Qt page sizes.
#pragma once

#include <QPageSize>
#include <cstdint>
#include <optional>

namespace yobina {

// 66 A2, 8 A3, 9 A4, 12 B4 (JIS), 13 B5 (JIS); nothing for any other code.
std::optional<QPageSize::PageSizeId> PageSizeForPaperCode(int16_t code);

}  // namespace yobina
