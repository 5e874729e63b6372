// The labels for the saw: one a piece in cut-list order, then one an offcut
// the plan keeps, on sheets of labels or one to a page for a label printer.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "graph/graph_context.h"
#include "graph/print_device.h"
#include "shop/cut_list.h"

namespace yobina {

// Where the labels sit on the paper, in mm from its top-left corner. The
// default is an A4 sheet of 3 × 8 labels of 70 × 37 mm.
struct LabelSheet {
  double PaperWidth = 210;
  double PaperHeight = 297;
  int32_t Columns = 3;
  int32_t Rows = 8;
  double LabelWidth = 70;
  double LabelHeight = 37;
  double Left = 0;  // the first label's corner
  double Top = 0.5;
  double ColumnGap = 0;
  double RowGap = 0;
};

// One label a page of its own size: for label printers.
LabelSheet SingleLabelSheet(double width = 70, double height = 37);

// Labels beyond this are refused: every page is held until the document ends.
inline constexpr int64_t kMostLabels = 10000;

// Part labels (PieceCount) and offcut labels.
int64_t LabelCount(const CutList& list);

// Why the labels cannot be printed (Japanese, UTF-8): more than kMostLabels
// of them, or a QR text longer than a QR code holds. None when they can.
std::optional<std::string> LabelsFault(const CutList& list);

// Prints the labels, filling each sheet row by row. Each part label shows
// 工事名, 部材名 and 鋼種, the mark and the length large, 素材No-切断順, 節,
// 溶鋼番号 and a QR code of PieceQrText; each offcut label its id (blank until
// kept), 部材名 and 鋼種, the length large, 溶鋼番号, the job it came from, the
// date and a QR code of OffcutQrText. The content is laid out for 70 × 37 mm
// and scaled to other label sizes. Throws IoError when the printer fails, or
// with the LabelsFault before anything is printed.
void PrintLabels(const CutList& list, const LabelSheet& sheet, PrintDevice& printer);

// Several lists' labels as one document, each list's following on from the
// last one's on the same sheet: a building's sections. The document begins
// when made and ends with Finish.
class LabelPages {
 public:
  LabelPages(const LabelSheet& sheet, PrintDevice& printer);
  LabelPages(const LabelPages&) = delete;
  LabelPages& operator=(const LabelPages&) = delete;

  // The list's labels, as PrintLabels draws them, without a limit on their
  // count (for a printer that streams its pages); throws IoError with a QR
  // text too long before drawing any of them, or when the printer fails.
  void Print(const CutList& list);
  void Finish();

 private:
  LabelSheet sheet_;
  PrintDevice& printer_;
  TGraphContext gc_;
  int64_t perPage_ = 1;
  int64_t placed_ = 0;
  double originX_ = 0;
  double originY_ = 0;
  double scale_ = 1;
};

}  // namespace yobina
