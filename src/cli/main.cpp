// yobina-cli: a job file in, the report of the results page out.
#include <QStringList>
#include <csignal>
#include <cstdio>

#include "app/stop_flag.h"
#include "cli/argument_bytes.h"
#include "cli/batch_run.h"
#include "cli/cli_options.h"
#include "cli/pdf_output.h"

namespace {

// The stop of the planning: a signal handler may raise it before any
// constructor has run, so it is initialised at compile time.
constinit yobina::StopFlag stopFlag;

extern "C" void RaiseStopFlag(int) {
  stopFlag.Raise();
}

// The first Ctrl+C or SIGTERM stops like Esc: the best plan so far, its report,
// exit 3. The handler then goes, so that a second one ends the program at once.
// Past a file size limit a write fails and says so, rather than killing the program.
extern "C" void InstallSignalHandlers(int, char**, char**) {
  struct sigaction action {};
  action.sa_handler = RaiseStopFlag;
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGXFSZ, SIG_IGN);
}

// Before main the shared libraries' initialisers run (the toolkit's, the
// solvers', the maths libraries'): tens of milliseconds in which a SIGTERM
// would kill the program. The executable's pre-initialisers run before all of
// them, as soon as the loader has mapped the libraries.
[[gnu::used, gnu::section(".preinit_array")]] void (*installSignalHandlers)(int, char**,
                                                                            char**) = InstallSignalHandlers;

}  // namespace

int main(int argc, char** argv) {
  const yobina::ParsedCommandLine parsed = yobina::ParseCommandLine(yobina::ArgumentsFromArgv(argc, argv));
  switch (parsed.Todo) {
    case yobina::ParsedCommandLine::Action::ShowHelp:
      std::fputs(parsed.Text.c_str(), stdout);
      return 0;
    case yobina::ParsedCommandLine::Action::Fail:
      std::fputs(parsed.Text.c_str(), stderr);
      return yobina::kExitFailure;
    case yobina::ParsedCommandLine::Action::Run:
      break;
  }
  if (parsed.Options.PdfFile || parsed.Options.DiagramsFile) {
    return yobina::RunBatchWithPdf(parsed.Options, argc, argv, stopFlag);
  }
  return yobina::RunBatch(parsed.Options, stdout, stderr, {}, {}, stopFlag);
}
