// The reader of the job file as a push parser: bytes go in as they are read,
// lines are applied to the page as they end. Memory stays bounded whatever the
// line lengths, since only what a known key could use is kept of each line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "file/data_file.h"
#include "file/input_page.h"
#include "text/half_width.h"

namespace yobina {

class DataFileParser {
 public:
  explicit DataFileParser(InputPage& page) : page_(page) {}

  // Any split of the file into pieces gives the same result.
  void Feed(std::string_view bytes);
  // Ends the last line (a missing final line end is fine) and tells whether the header matched.
  LoadResult Finish();
  // The header did not match; nothing was or will be applied.
  bool Rejected() const { return state_ == State::Rejected; }
  // A list row the page cannot take as it stands (more cells than its list
  // has, or a cell holding a separator): what is wrong with it, in Japanese
  // (UTF-8); empty while there is none. Nothing after it is applied.
  const std::string& Fault() const { return fault_; }

  static constexpr std::size_t kMaxValueBytes = 999;

 private:
  enum class State { Header, LineStart, Comment, Key, Value, Rejected };

  void FeedByte(unsigned char byte);
  void EndLine();
  void KeyByte(unsigned char byte);
  void ValueByte(unsigned char byte);
  void ApplyLine();
  void ApplyTableRow(GridId grid);

  InputPage& page_;
  State state_ = State::Header;
  bool afterCarriageReturn_ = false;  // a LF right after a CR ends nothing more

  std::string header_;

  std::string key_;
  bool blankAfterKey_ = false;  // a trimmable byte followed the key's text

  std::string value_;
  bool valueFull_ = false;
  bool inTrailByte_ = false;  // the next value byte completes a two-byte character

  FieldArray fields_{};
  std::string fault_;
};

}  // namespace yobina
