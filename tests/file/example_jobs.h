// The jobs shipped in examples/, built on an input page as the window would hold
// them; the checked-in files are what the writer makes of these pages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "file/input_page.h"

namespace yobina::test {

struct ExampleJob {
  std::string FileName;
  std::function<void(InputPage&)> Fill;
};

std::vector<ExampleJob> ExampleJobs();

}  // namespace yobina::test
