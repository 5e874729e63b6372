// The report's line writer: pages the report's lines into the results text, with
// a four-line header wherever paper would begin a page, or onto the printer,
// character by character at a fixed pitch with page numbers at the top right.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graph/graph_context.h"
#include "graph/print_device.h"

namespace yobina {

class LineWriter {
 public:
  static constexpr double kUnitMm = 0.667;  // one unit of line advance
  static constexpr double kTopMm = 12;      // lowest position of a line
  static constexpr double kBottomMm = 275;  // limit for EnsureRoom
  static constexpr double kPageNumberXMm = 165;
  static constexpr double kPageNumberYMm = 5;
  static constexpr int32_t kPrintMargin = 3;  // blanks before every printed line
  static constexpr double kCharHeightMm = 3.6;
  static constexpr double kCharWidthMm = 3.6;
  static constexpr double kCharGapMm = 0.7;

  // The column scale of the text headers.
  static constexpr std::string_view kRuler =
      "----+----1----+----2----+----3----+----4----+----5----+----6----+----7----+----8----";

  // Clears `lines` and writes the header of page 1 into it. `lines` must
  // outlive the report.
  void StartText(std::vector<std::string>& lines);
  // Titles the document, sets A4 portrait and starts it. Device failures propagate.
  void StartPrinter(PrintDevice& printer);

  // Moves down by advance units (never above kTopMm) and writes
  // Spaces(indent) + text as one line.
  void ReportLine(int32_t indent, std::string_view text, double advance);
  // Closes the page unless need mm remain above kBottomMm.
  void EnsureRoom(double need);
  // Numbers the page (paper) or writes the next header (text); begins the next page.
  void ClosePage();
  // Closes the last page and ends the document.
  void Finish();

  bool IsPrinter() const { return context_.IsPrinter; }
  int32_t PageNumber() const { return pageNumber_; }
  double LineY() const { return lineY_; }
  const TGraphContext& Context() const { return context_; }

 private:
  void ResetPageState();
  void ApplyReportSize();
  void DrawLine(std::string_view line);

  TGraphContext context_{};  // carries the output; the full drawing state on paper
  int32_t pageNumber_ = 0;
  double lineY_ = 0;  // mm, page position of the last line
};

}  // namespace yobina
