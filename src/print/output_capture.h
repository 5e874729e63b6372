// Catches in memory what other code writes to a path: the printer writes its
// PDF there, and the program then writes the bytes to disk with every write
// checked, like a save. A pipe carries the bytes, so neither a full disk nor a
// file size limit can cut them short unnoticed.
#pragma once

#include <QString>
#include <string>
#include <thread>

namespace yobina {

class OutputCapture {
 public:
  OutputCapture();  // throws IoError when no pipe can be made
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  // A path that opens the capture for writing.
  QString Path() const;
  // Everything written, once every writer has closed the path.
  std::string Finish();

 private:
  void CloseWriteEnd();

  int readEnd_ = -1;
  int writeEnd_ = -1;
  std::string bytes_;
  std::thread reader_;
};

}  // namespace yobina
