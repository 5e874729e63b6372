// What the print graphics layer needs of a printer. Implemented over QPrinter
// in the window layer (also writing PDF) and by a recording device in tests.
// Text, filled rectangles and lines: enough for the report and the diagrams.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "text/io_error.h"

namespace yobina {

// A Windows-style logical font. A positive Height is the character cell height
// in dots (internal leading included); Width is the average width of a
// one-byte character in dots; Escapement is in tenths of a degree.
struct TLogFont {
  int32_t Height = 0;
  int32_t Width = 0;
  int32_t Escapement = 0;
  int32_t Orientation = 0;
  int32_t Weight = 0;
  uint8_t Italic = 0;
  uint8_t Underline = 0;
  uint8_t StrikeOut = 0;
  uint8_t CharSet = 0;
  uint8_t OutPrecision = 0;
  uint8_t ClipPrecision = 0;
  uint8_t Quality = 0;
  uint8_t PitchAndFamily = 0;
  char FaceName[32] = {};  // code page 932, zero-terminated
};

// Paper set-up applied to the selected printer after resetting it to the
// driver's defaults. Codes are those of the Windows printing interface
// (DMPAPER_*, DMORIENT_*); an empty field leaves the default.
struct TPaperSetup {
  std::optional<int16_t> PaperSize;
  std::optional<int16_t> Orientation;
  bool Monochrome = true;
  // A paper given by its size in mm, width as printed first (a label
  // printer's label); takes the place of PaperSize and Orientation.
  struct Millimetres {
    double Width = 0;
    double Height = 0;
  };
  std::optional<Millimetres> PaperMm;
  // The device's origin at the paper's corner rather than at its printable
  // area's: sheets of labels are laid out on the whole sheet.
  bool FullPage = false;
};

class PrintDevice {
 public:
  virtual ~PrintDevice() = default;

  virtual void SetDocumentTitle(const std::string& title) = 0;  // code page 932
  virtual void ApplyPaperSetup(const TPaperSetup& setup) = 0;

  // Starts the document and its first page. Throws IoError when the
  // document cannot be started (no printer, unwritable PDF file).
  virtual void BeginDocument() = 0;
  // Ends the page and starts the next. A page on which nothing is drawn is
  // not emitted: no blank sheet after the last page.
  virtual void NewPage() = 0;
  virtual void EndDocument() = 0;

  // Printable page size in dots, and the vertical resolution.
  virtual int32_t PageWidthDots() const = 0;
  virtual int32_t PageHeightDots() const = 0;
  virtual int32_t VerticalDpi() const = 0;

  virtual void SelectFont(const TLogFont& font) = 0;
  virtual void SetTextColor(uint32_t colorRef) = 0;  // 0x00BBGGRR, 0 = black
  virtual void SetTransparentBackground() = 0;
  // Draws code page 932 text with the top-left of its character cell at (x, y).
  virtual void DrawText(int32_t x, int32_t y, const std::string& text) = 0;

  // Fills the rectangle from (left, top) to (right, bottom) in dots, without an
  // outline. An empty rectangle draws nothing.
  virtual void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) = 0;
  // A straight line widthDots thick (at least one dot), with flat ends.
  virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                        uint32_t colorRef) = 0;
};

}  // namespace yobina
