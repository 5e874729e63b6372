#include "shop/qr_code.h"

#include <qrencode.h>

#include <cerrno>
#include <memory>
#include <new>

#include "text/io_error.h"

namespace yobina {

QrSymbol EncodeQr(std::string_view bytes) {
  struct Free {
    void operator()(QRcode* code) const { QRcode_free(code); }
  };
  if (bytes.empty() || bytes.size() > kMostQrBytes) throw IoError("QR コードにできない長さの文字列です。");
  errno = 0;
  const std::unique_ptr<QRcode, Free> code(QRcode_encodeData(
      static_cast<int>(bytes.size()), reinterpret_cast<const unsigned char*>(bytes.data()), 0, QR_ECLEVEL_M));
  if (!code) {
    if (errno == ENOMEM) throw std::bad_alloc();
    throw IoError("QR コードにできない長さの文字列です。");
  }
  QrSymbol symbol;
  symbol.Size = code->width;
  const auto modules = static_cast<std::size_t>(code->width) * static_cast<std::size_t>(code->width);
  symbol.Dark.resize(modules);
  // The lowest bit of each byte is the module's colour; the others say what it is part of.
  for (std::size_t i = 0; i < modules; ++i) symbol.Dark[i] = (code->data[i] & 1) != 0;
  return symbol;
}

}  // namespace yobina
