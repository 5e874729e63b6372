// A print device for tests: keeps every call in order, each drawn text with the
// font in effect, so tests can check positions and font sizes in dots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graph/print_device.h"

namespace yobina::test {

enum class DeviceCall {
  SetDocumentTitle,
  ApplyPaperSetup,
  BeginDocument,
  NewPage,
  EndDocument,
  SelectFont,
  SetTextColor,
  SetTransparentBackground,
  DrawText,
  FillRect,
  DrawLine
};

struct RecordedCall {
  DeviceCall Kind{};
  int32_t X = 0;  // text cell, rectangle's top-left or line's start
  int32_t Y = 0;
  int32_t X2 = 0;  // rectangle's bottom-right or line's end
  int32_t Y2 = 0;
  int32_t LineWidth = 0;
  std::string Text;  // title or drawn text (code page 932)
  TLogFont Font{};   // selected font, or the font in effect for DrawText
  TPaperSetup Paper{};
  uint32_t Color = 0;  // text, fill or line colour
  int32_t Page = 0;    // 1-based page the call happened on (0 before the document)
};

class RecordingPrintDevice : public PrintDevice {
 public:
  // A4 printable area at the given resolution.
  explicit RecordingPrintDevice(int32_t dpi = 600);
  RecordingPrintDevice(int32_t dpi, int32_t pageWidthDots, int32_t pageHeightDots);

  void SetDocumentTitle(const std::string& title) override;
  void ApplyPaperSetup(const TPaperSetup& setup) override;
  void BeginDocument() override;
  void NewPage() override;
  void EndDocument() override;
  int32_t PageWidthDots() const override { return pageWidth_; }
  int32_t PageHeightDots() const override { return pageHeight_; }
  int32_t VerticalDpi() const override { return dpi_; }
  void SelectFont(const TLogFont& font) override;
  void SetTextColor(uint32_t colorRef) override;
  void SetTransparentBackground() override;
  void DrawText(int32_t x, int32_t y, const std::string& text) override;
  void FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom, uint32_t colorRef) override;
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                uint32_t colorRef) override;

  const std::vector<RecordedCall>& Calls() const { return calls_; }
  std::vector<RecordedCall> CallsOf(DeviceCall kind) const;
  std::vector<RecordedCall> Draws() const { return CallsOf(DeviceCall::DrawText); }
  void Clear() { calls_.clear(); }
  int32_t PageCount() const { return page_; }
  const TLogFont& CurrentFont() const { return font_; }

 private:
  RecordedCall& Record(DeviceCall kind);

  int32_t dpi_;
  int32_t pageWidth_;
  int32_t pageHeight_;
  int32_t page_ = 0;
  TLogFont font_{};
  uint32_t textColor_ = 0;
  std::vector<RecordedCall> calls_;
};

}  // namespace yobina::test
