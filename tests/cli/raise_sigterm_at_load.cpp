// Preloaded into yobina-cli by file_faults.sh: a SIGTERM as early as a
// library's code runs, before the other libraries' initialisers and main.
#include <csignal>

namespace {

[[gnu::constructor]] void RaiseSigtermAtLoad() {
  std::raise(SIGTERM);
}

}  // namespace
