// Preloaded into yobina-cli by file_faults.sh: a SIGTERM to the process, as
// another program sends it, as early as a library's code runs: before the
// other libraries' initialisers and main.
#include <signal.h>
#include <unistd.h>

namespace {

[[gnu::constructor]] void SendSigtermAtLoad() {
  ::kill(::getpid(), SIGTERM);
}

}  // namespace
