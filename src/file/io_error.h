// The error every failed file or printer operation raises: it carries the
// platform's text for the failure (UTF-8), which the front ends show as is.
#pragma once

#include <stdexcept>
#include <string>

namespace yobina {

class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The platform's text for an errno value; "ファイルが見つかりません" for a missing file.
std::string PlatformErrorText(int errorNumber);

}  // namespace yobina
