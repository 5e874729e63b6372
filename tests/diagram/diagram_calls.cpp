#include "diagram/diagram_calls.h"

#include <algorithm>

namespace yobina::test {

std::vector<DrawnBar> BarsOf(const RecordingPrintDevice& device, uint32_t bodyColor) {
  std::vector<DrawnBar> bars;
  bool open = false;
  for (const RecordedCall& call : device.Calls()) {
    if (call.Kind == DeviceCall::NewPage) open = false;
    if (call.Kind == DeviceCall::FillRect && call.Color == bodyColor) {
      DrawnBar& bar = bars.emplace_back();
      bar.Page = call.Page;
      bar.Body = {call.X, call.Y, call.X2, call.Y2};
      open = true;
    }
    if (!open) continue;
    DrawnBar& bar = bars.back();
    bar.Calls.push_back(call);
    // Boxes cover the bar's full height; label backgrounds do not.
    if (call.Kind == DeviceCall::FillRect && call.Color != bodyColor && call.Y == bar.Body.Top &&
        call.Y2 == bar.Body.Bottom) {
      bar.Boxes.push_back({call.X, call.Y, call.X2, call.Y2});
      bar.BoxColors.push_back(call.Color);
    }
  }
  return bars;
}

std::vector<DrawnLabel> LabelsOf(const RecordingPrintDevice& device) {
  std::vector<DrawnLabel> labels;
  bool open = false;
  for (const RecordedCall& call : device.Calls()) {
    if (call.Kind != DeviceCall::DrawText) {
      open = false;
      continue;
    }
    const int32_t width = call.Font.Width * static_cast<int32_t>(call.Text.size());
    const Rect cell{call.X, call.Y, call.X + width, call.Y + call.Font.Height};
    if (open) {
      DrawnLabel& label = labels.back();
      label.Cell.Right = std::max(label.Cell.Right, cell.Right);
      label.Cell.Bottom = std::max(label.Cell.Bottom, cell.Bottom);
      label.Text += call.Text;
    } else {
      labels.push_back({call.Page, cell, call.Text});
      open = true;
    }
  }
  std::erase_if(
      labels, [](const DrawnLabel& label) { return label.Text.find_first_not_of(' ') == std::string::npos; });
  return labels;
}

}  // namespace yobina::test
