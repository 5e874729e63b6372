// Numbers in the cells of the project's CSV inputs: blanks trimmed,
// full-width digits taken, and a reason in words for every cell refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace yobina {

// The cell's number; nullopt for an empty cell or one that is not a plain
// decimal number (no thousands separators, no exponent needed).
std::optional<double> CellNumber(std::string_view cell);

// A whole number in least..most from a cell that must have one. Otherwise
// nullopt, and a sentence naming `whatUtf8` and the cell is added to `reasons`.
std::optional<int32_t> WholeCell(std::string_view cell, std::string_view whatUtf8, int32_t least,
                                 int32_t most, std::string& reasons);

// A number above zero (or zero too, when allowed) from a cell that may be
// empty (nullopt, no reason); a bad cell adds a reason and gives nullopt.
std::optional<double> OptionalAmountCell(std::string_view cell, std::string_view whatUtf8, bool zeroAllowed,
                                         std::string& reasons);

// The cell's text for a message: at most 24 bytes, in 「」 (code page 932).
std::string QuotedCell(std::string_view cell);

}  // namespace yobina
