// Feeds arbitrary bytes to the text utilities: none may crash, hang or
// invoke undefined behaviour, and their basic promises must hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "text/codec.h"
#include "text/half_width.h"
#include "text/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace yobina;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double value = TextToReal(text);
  const int32_t number = TextToInt(text);
  if (number < -2147483647) std::abort();
  for (int32_t code : {30, 50, 60, 82, 250}) {
    if (RealToText(code, value).size() > 32) std::abort();
    RealToTextBlankZero(code, value);
    RealToTextSpaceZero(code, value);
  }

  const std::string half = ToHalfWidth(text);
  if (half.size() > size + 1) std::abort();

  FieldArray fields;
  SplitFields(text, fields);

  const std::string utf8 = Cp932ToUtf8(text);
  if (const auto back = Utf8ToCp932(utf8)) ToHalfWidth(*back);
  Utf8ToCp932(text);
  return 0;
}
