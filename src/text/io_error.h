// The error every failed file or printer operation raises: it carries a
// Japanese text for the failure (UTF-8), which the front ends show as is.
// It sits at the bottom of the core so that both the file layer and the print
// device's interface can name it.
#pragma once

#include <stdexcept>

namespace yobina {

class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace yobina
