// The data lines of a DSTV file's ST block, the text found as dstv_part.h says.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace yobina {

struct DstvBlock {
  std::vector<std::string> Fields;  // the values in order, blanks trimmed, code page 932
  std::string Fault;                // why the file cannot be read (code page 932); empty when it can
};

DstvBlock ReadStBlock(std::string_view bytes);

}  // namespace yobina
