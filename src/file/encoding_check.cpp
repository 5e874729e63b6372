#include "file/encoding_check.h"

namespace yobina {

void EncodingCheck::Feed(std::string_view bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (utf8Valid_) FeedUtf8(byte);
    FeedCp932(byte);
  }
}

bool EncodingCheck::IsUtf8Only() const {
  return IsValidUtf8() && nonAscii_ && !IsValidCp932();
}

void EncodingCheck::FeedUtf8(unsigned char byte) {
  if (utf8Pending_ > 0) {
    if ((byte & 0xC0) != 0x80) utf8Valid_ = false;
    --utf8Pending_;
    return;
  }
  if (byte < 0x80) return;
  nonAscii_ = true;
  if (byte >= 0xC2 && byte <= 0xDF) {
    utf8Pending_ = 1;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    utf8Pending_ = 2;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    utf8Pending_ = 3;
  } else {
    utf8Valid_ = false;
  }
}

void EncodingCheck::FeedCp932(unsigned char byte) {
  if (cp932Trail_) {
    cp932Trail_ = false;
    if (byte < 0x40 || byte == 0x7F || byte > 0xFC) cp932Valid_ = false;
    return;
  }
  if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
    cp932Trail_ = true;
  } else if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD) {
    cp932Valid_ = false;
  }
}

}  // namespace yobina
