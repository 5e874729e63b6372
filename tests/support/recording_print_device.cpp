#include "support/recording_print_device.h"

namespace yobina::test {

namespace {
constexpr double kA4WidthInch = 210 / 25.4;
constexpr double kA4HeightInch = 297 / 25.4;
}  // namespace

RecordingPrintDevice::RecordingPrintDevice(int32_t dpi)
    : RecordingPrintDevice(dpi, static_cast<int32_t>(kA4WidthInch * dpi),
                           static_cast<int32_t>(kA4HeightInch * dpi)) {}

RecordingPrintDevice::RecordingPrintDevice(int32_t dpi, int32_t pageWidthDots, int32_t pageHeightDots)
    : dpi_(dpi), pageWidth_(pageWidthDots), pageHeight_(pageHeightDots) {}

RecordedCall& RecordingPrintDevice::Record(DeviceCall kind) {
  RecordedCall& call = calls_.emplace_back();
  call.Kind = kind;
  call.Page = page_;
  call.Font = font_;
  return call;
}

void RecordingPrintDevice::SetDocumentTitle(const std::string& title) {
  Record(DeviceCall::SetDocumentTitle).Text = title;
}

void RecordingPrintDevice::ApplyPaperSetup(const TPaperSetup& setup) {
  Record(DeviceCall::ApplyPaperSetup).Paper = setup;
}

void RecordingPrintDevice::BeginDocument() {
  page_ = 1;
  Record(DeviceCall::BeginDocument);
}

void RecordingPrintDevice::NewPage() {
  ++page_;
  Record(DeviceCall::NewPage);
}

void RecordingPrintDevice::EndDocument() {
  Record(DeviceCall::EndDocument);
}

void RecordingPrintDevice::SelectFont(const TLogFont& font) {
  font_ = font;
  Record(DeviceCall::SelectFont);
}

void RecordingPrintDevice::SetTextColor(uint32_t colorRef) {
  textColor_ = colorRef;
  Record(DeviceCall::SetTextColor).Color = colorRef;
}

void RecordingPrintDevice::SetTransparentBackground() {
  Record(DeviceCall::SetTransparentBackground);
}

void RecordingPrintDevice::DrawText(int32_t x, int32_t y, const std::string& text) {
  RecordedCall& call = Record(DeviceCall::DrawText);
  call.X = x;
  call.Y = y;
  call.Text = text;
  call.Color = textColor_;
}

void RecordingPrintDevice::FillRect(int32_t left, int32_t top, int32_t right, int32_t bottom,
                                    uint32_t colorRef) {
  RecordedCall& call = Record(DeviceCall::FillRect);
  call.X = left;
  call.Y = top;
  call.X2 = right;
  call.Y2 = bottom;
  call.Color = colorRef;
}

void RecordingPrintDevice::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t widthDots,
                                    uint32_t colorRef) {
  RecordedCall& call = Record(DeviceCall::DrawLine);
  call.X = x1;
  call.Y = y1;
  call.X2 = x2;
  call.Y2 = y2;
  call.LineWidth = widthDots;
  call.Color = colorRef;
}

std::vector<RecordedCall> RecordingPrintDevice::CallsOf(DeviceCall kind) const {
  std::vector<RecordedCall> result;
  for (const RecordedCall& call : calls_) {
    if (call.Kind == kind) result.push_back(call);
  }
  return result;
}

}  // namespace yobina::test
