// Loads arbitrary bytes as a job file: never a crash, and the same page
// whether the bytes arrive at once or in two pieces split anywhere.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "file/data_file.h"
#include "file/data_file_parser.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  yobina::MemoryInputPage whole;
  std::optional<yobina::LoadResult> wholeResult;  // none: refused
  try {
    wholeResult = yobina::LoadDataFileFromBytes(whole, bytes);
  } catch (const yobina::IoError&) {
  }

  yobina::MemoryInputPage pieces;
  yobina::DataFileParser parser(pieces);
  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  parser.Feed(bytes.substr(0, split));
  parser.Feed(bytes.substr(split));
  const yobina::LoadResult piecesResult = parser.Finish();
  if (wholeResult.has_value() == !parser.Fault().empty()) std::abort();
  if (!wholeResult) return 0;
  if (piecesResult != *wholeResult) std::abort();
  // What was loaded saves (or is refused) the same either way.
  std::optional<std::string> wholeBytes, piecesBytes;
  try {
    wholeBytes = yobina::FormatDataFile(whole);
  } catch (const yobina::IoError&) {
  }
  try {
    piecesBytes = yobina::FormatDataFile(pieces);
  } catch (const yobina::IoError&) {
  }
  if (wholeBytes != piecesBytes) std::abort();
  return 0;
}
