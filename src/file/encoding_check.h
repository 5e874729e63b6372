// Tells text in UTF-8 from text in code page 932 as its bytes stream past: a
// job file in UTF-8 is refused instead of loaded as mojibake.
#pragma once

#include <string_view>

namespace yobina {

class EncodingCheck {
 public:
  void Feed(std::string_view bytes);
  // Valid UTF-8 with some non-ASCII character, and not valid code page 932.
  bool IsUtf8Only() const;
  bool IsValidUtf8() const { return utf8Valid_ && utf8Pending_ == 0; }
  bool IsValidCp932() const { return cp932Valid_ && !cp932Trail_; }
  // Further bytes cannot make IsUtf8Only() true.
  bool Decided() const { return !utf8Valid_; }

 private:
  void FeedUtf8(unsigned char byte);
  void FeedCp932(unsigned char byte);

  bool utf8Valid_ = true;
  int utf8Pending_ = 0;  // continuation bytes still due
  bool nonAscii_ = false;
  bool cp932Valid_ = true;
  bool cp932Trail_ = false;  // the next byte completes a two-byte character
};

}  // namespace yobina
