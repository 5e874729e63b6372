// Report text bound for a terminal. A job's names are the user's text and may
// hold control characters: copied to a terminal, an escape sequence would
// recolour it, retitle its window or worse. Files and pipes get the bytes as they are.
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_options.h"

namespace yobina {

// `text` (one line, in `encoding`) with every C0 control character and DEL,
// and in UTF-8 every C1 control character, replaced by "?". One "?" for each
// of the job's bytes, so the report's columns stay where they were.
std::string WithoutControlCharacters(std::string_view text, OutputEncoding encoding);

}  // namespace yobina
