// Loads arbitrary bytes as a job file: never a crash, and the same page
// whether the bytes arrive at once or in two pieces split anywhere.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "file/data_file.h"
#include "file/data_file_parser.h"
#include "file/memory_input_page.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  yobina::MemoryInputPage whole;
  const yobina::LoadResult wholeResult = yobina::LoadDataFileFromBytes(whole, bytes);

  yobina::MemoryInputPage pieces;
  yobina::DataFileParser parser(pieces);
  const std::size_t split = size == 0 ? 0 : data[0] % (size + 1);
  parser.Feed(bytes.substr(0, split));
  parser.Feed(bytes.substr(split));
  if (parser.Finish() != wholeResult) std::abort();
  if (yobina::FormatDataFile(pieces) != yobina::FormatDataFile(whole)) std::abort();
  return 0;
}
