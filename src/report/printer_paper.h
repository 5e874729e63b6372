// Paper size, orientation and monochrome print for the selected printer.
#pragma once

#include <string_view>

#include "graph/print_device.h"

namespace yobina {

// By exact, case-sensitive name: paper "A2", "A3", "A4", "B4", "B5";
// orientation "たて" (portrait) or "よこ" (landscape), code page 932. Any other
// name leaves that field at the driver's default. Always monochrome.
TPaperSetup PaperSetupFor(std::string_view paper, std::string_view orientation);

// Resets the printer to its defaults and applies PaperSetupFor. Call while no
// document is open.
void SetPrinterPaper(PrintDevice& printer, std::string_view paper, std::string_view orientation);

}  // namespace yobina
