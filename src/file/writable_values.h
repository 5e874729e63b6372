// What a line of the job file can hold. A field's value runs to the end of its
// line; a list row is its row number and its cells, split at commas (at tabs
// when the row holds one); the reader keeps 999 bytes of a value. So no value
// may hold a line break, no cell a comma or a tab, and no line's value may be
// longer: such a value would read back as something else.
#pragma once

#include <string_view>

#include "file/input_page.h"

namespace yobina {

// The first character of a cell that would split its row or its line (',',
// '\t', '\r' or '\n'); 0 when there is none.
char RowBreakingCharacter(std::string_view cell);

// Throws IoError naming the first field, cell or row the file cannot hold.
void CheckWritable(const InputPage& page);

}  // namespace yobina
