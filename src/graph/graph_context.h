// The graphics context of a print job: page millimetres mapped to printer dots,
// the logical font and the text settings. The report's line writer owns the one
// instance; for the results text it only carries the text list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graph/print_device.h"

namespace yobina {

struct TGraphContext {
  PrintDevice* Target = nullptr;                  // the printer (also the drawing surface)
  std::vector<std::string>* TextLines = nullptr;  // the results text, when not printing
  bool IsPrinter = false;
  TLogFont LogFont{};
  double Dpi = 0;        // vertical resolution; serves both axes
  double DotsPerMm = 0;  // Dpi / 25.4
  double FontScale = 0;  // character height to logical-font height
  int32_t OffsetX = 0;   // dots: 10 mm
  int32_t OffsetY = 0;   // dots: 1 mm
  // Drawing area in dots, relative to the offsets.
  double DeviceLeft = 0;
  double DeviceTop = 0;
  double DeviceRight = 0;
  double DeviceBottom = 0;
  // Page window in mm.
  double WindowLeft = 0;
  double WindowTop = 0;
  double WindowRight = 0;
  double WindowBottom = 0;
  double ScaleX = 0;  // dots per mm
  double ScaleY = 0;
  double TextAngle = 0;   // radians, 0 = left to right
  double CharHeight = 0;  // mm
  double CharWidth = 0;   // mm, a full-width character
  double CharGap = 0;     // mm, after a full-width character
};

struct TDevicePoint {
  double X = 0;
  double Y = 0;
};

// Starts the document on `target` and sets every field: offsets, default page
// window, default Gothic font, black text, size 4.5/4.5/0 mm, and a blank drawn
// at (10, 10) mm. Device failures propagate.
void G_Begin(TGraphContext& gc, PrintDevice& target);

// Ends the document when printing; otherwise does nothing.
void G_End(TGraphContext& gc);

// Equal x or equal y coordinates select the default page window (derived anew
// from the printer's page size); otherwise the window (x1, y1)-(x2, y2) is
// stretched over the drawing area. Not printing: nothing changes.
void G_SetWindow(TGraphContext& gc, double x1, double y1, double x2, double y2);

// Page mm to device dots, unrounded.
TDevicePoint G_WorldToDevice(const TGraphContext& gc, double x, double y);

}  // namespace yobina
