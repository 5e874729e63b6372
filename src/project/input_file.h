// Reading one of the project's CSV inputs whole, refusing what is not a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace yobina {

// Inputs past this size are refused: a parts list of a million lines is far smaller.
inline constexpr std::uintmax_t kMostInputBytes = 64u << 20;

// The file's bytes. Throws IoError (Japanese text, UTF-8) for a missing or
// unreadable file, a folder, a FIFO or device, or a file over kMostInputBytes.
std::string ReadInputFile(const std::filesystem::path& file);

}  // namespace yobina
