// A file name as a message shows it: names are bytes, and not every name is UTF-8.
#pragma once

#include <filesystem>
#include <string>

namespace yobina {

// UTF-8 text for the name, part by part between the slashes: a part in UTF-8
// as it is, a part in code page 932 (Shift-JIS names from Windows) converted,
// anything else with its non-ASCII bytes written as \xNN.
std::string ReadableFileName(const std::filesystem::path& name);

}  // namespace yobina
