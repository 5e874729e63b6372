// The inventory's texts cross between the job's code page 932 and the
// database's UTF-8 here, so the sqlite3 shell shows them readably.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace yobina {

// A section name for storing or matching; none when its bytes are not code
// page 932 text, since such a name could not be matched again.
std::optional<std::string> StoredSection(std::string_view cp932);

// Other texts: undecodable bytes become U+FFFD.
std::string StoredText(std::string_view cp932);

// A stored text as code page 932; a character the code page lacks (typed in
// with another program) becomes "?".
std::string ShownText(std::string_view utf8);

}  // namespace yobina
