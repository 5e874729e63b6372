#include "report/printer_paper.h"

#include <array>
#include <string>
#include <utility>

#include "text/codec.h"

namespace yobina {
namespace {

// DMPAPER_* and DMORIENT_* codes of the Windows printing interface.
constexpr std::array<std::pair<std::string_view, int16_t>, 5> kPaperSizes{{
    {"A2", 66},
    {"A3", 8},
    {"A4", 9},
    {"B4", 12},
    {"B5", 13},
}};
constexpr int16_t kPortrait = 1;
constexpr int16_t kLandscape = 2;

}  // namespace

TPaperSetup PaperSetupFor(std::string_view paper, std::string_view orientation) {
  static const std::string kUpright = Cp932("たて");
  static const std::string kSideways = Cp932("よこ");

  TPaperSetup setup;
  for (const auto& [name, code] : kPaperSizes) {
    if (paper == name) setup.PaperSize = code;
  }
  if (orientation == kUpright) {
    setup.Orientation = kPortrait;
  } else if (orientation == kSideways) {
    setup.Orientation = kLandscape;
  }
  setup.Monochrome = true;
  return setup;
}

void SetPrinterPaper(PrintDevice& printer, std::string_view paper, std::string_view orientation) {
  printer.ApplyPaperSetup(PaperSetupFor(paper, orientation));
}

}  // namespace yobina
