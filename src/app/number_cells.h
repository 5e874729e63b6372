// The lists' cells as the planners read them: each must read as one number
// (blank is zero; thousands separators and full-width digits are taken, see
// CleanTypedNumber). A cell that does not, such as "1,25", is not planned as
// whatever number it starts with: the command refuses the job and names it.
#pragma once

#include <optional>
#include <string>

#include "file/input_page.h"
#include "job/job_document.h"

namespace yobina {

struct UnreadableCell {
  GridId Grid = GridId::Stock;
  int Row = 0;       // 1-based, as the list shows it
  int Column = 0;    // kLengthColumn or kCountColumn
  std::string Text;  // the cell as typed (code page 932)
  std::string Message;  // "切断リスト 3行目: 長さ「1,25」が数字ではありません" (code page 932)
};

// The first such cell, the stock list's rows before the cut list's, a row's
// length before its count; none when every cell reads as a number.
std::optional<UnreadableCell> FirstUnreadableCell(const JobDocument& document);
std::optional<UnreadableCell> FirstUnreadableCell(const InputPage& page);

}  // namespace yobina
