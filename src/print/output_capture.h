// Catches in memory what other code writes to a path: the printer writes its
// PDF there, and the program then writes the bytes to disk with every write
// checked, like a save. A pipe carries the bytes, so neither a full disk nor a
// file size limit can cut them short unnoticed. A PDF too large to hold goes
// on into a file as it comes, every write checked too.
#pragma once

#include <QString>
#include <string>
#include <thread>

namespace yobina {

class OutputCapture {
 public:
  // Throws IoError when no pipe can be made. With `sink` (an open file) the
  // bytes are written there as they come rather than kept.
  explicit OutputCapture(int sink = -1);
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  // A path that opens the capture for writing.
  QString Path() const;
  // Everything written, once every writer has closed the path; empty with a sink.
  std::string Finish();
  // After Finish: 0, or the errno of the sink's first failed write.
  int SinkError() const { return sinkError_; }

 private:
  void CloseWriteEnd();

  int readEnd_ = -1;
  int writeEnd_ = -1;
  int sink_ = -1;
  int sinkError_ = 0;
  std::string bytes_;
  std::thread reader_;
};

}  // namespace yobina
