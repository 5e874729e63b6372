// QR codes through libqrencode: the modules of a symbol, for the labels to draw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace yobina {

struct QrSymbol {
  int32_t Size = 0;        // modules a side, without the quiet zone
  std::vector<bool> Dark;  // row by row, Size * Size

  bool IsDark(int32_t row, int32_t column) const {
    return Dark[static_cast<std::size_t>(row) * static_cast<std::size_t>(Size) +
                static_cast<std::size_t>(column)];
  }
};

// The most bytes a symbol holds at level M (version 40).
inline constexpr std::size_t kMostQrBytes = 2331;

// The bytes as one 8-bit segment at error correction level M, in the smallest
// version that holds them. Throws std::bad_alloc without memory, IoError
// (Japanese) when the text is too long for any version.
QrSymbol EncodeQr(std::string_view bytes);

}  // namespace yobina
