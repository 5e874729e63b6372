// The print device over QPrinter and QPainter: the real printer chosen in the
// print dialog, or an A4 PDF file.
#pragma once

#include <QPainter>
#include <QPrinter>
#include <QString>
#include <memory>

#include "graph/print_device.h"

namespace yobina {

class QtPrintDevice : public PrintDevice {
 public:
  explicit QtPrintDevice(QPrinter& printer);
  // (members filled in by the implementation)
};

// A QPrinter that writes a PDF file at `path` (A4 portrait by default).
std::unique_ptr<QPrinter> MakePdfPrinter(const QString& path);

}  // namespace yobina
