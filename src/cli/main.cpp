// yobina-cli: a job file in, the report of the results page out.
#include <pthread.h>
#include <QHashSeed>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <thread>

#include "app/stop_token.h"
#include "cli/argument_bytes.h"
#include "cli/batch_run.h"
#include "cli/cli_options.h"
#include "cli/offcut_commands.h"
#include "cli/pdf_output.h"

namespace {

// The stop of the planning: Ctrl+C and SIGTERM, taken by the thread that waits for them, and --time-limit.
constinit yobina::StopToken stopToken;

sigset_t StopSignals() {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  return stopSignals;
}

// Ctrl+C and SIGTERM are blocked from before the libraries start (their
// initialisers run before main), so that one sent then waits for
// WaitForStopSignals instead of killing the program. Every thread inherits the
// block, so a handler a library installs for itself (the LP solver installs
// and restores one around each solve, from whichever thread) never runs.
// A shell starts a background job with Ctrl+C ignored: once blocked, both
// signals get their default action back, since restoring an ignored action
// (as that solver does) would throw away a signal waiting for us.
// Past a file size limit a write fails and says so, rather than killing the program.
extern "C" void BlockStopSignals(int, char**, char**) {
  const sigset_t stopSignals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  std::signal(SIGXFSZ, SIG_IGN);
}

// The executable's pre-initialisers run before any library's initialiser.
[[gnu::used, gnu::section(".preinit_array")]] void (*blockStopSignals)(int, char**,
                                                                       char**) = BlockStopSignals;

// The first Ctrl+C or SIGTERM stops like Esc: the best plan so far, its report,
// exit 3. A second one ends the program at once, as the signal does by default.
void WaitForStopSignals() {
  const sigset_t stopSignals = StopSignals();
  int received = 0;
  while (sigwait(&stopSignals, &received) == 0) {
    if (!stopToken.StopFlag().load()) {
      stopToken.Stop(yobina::StopReason::Signal);
      continue;
    }
    std::signal(received, SIG_DFL);
    sigset_t again;
    sigemptyset(&again);
    sigaddset(&again, received);
    pthread_sigmask(SIG_UNBLOCK, &again, nullptr);
    std::raise(received);
  }
}

// A signal sent before main is taken at once, so that the planners see it
// from their start, not whenever the waiting thread gets to run.
void ListenForStopSignals() {
  const sigset_t stopSignals = StopSignals();
  const timespec now{};
  if (sigtimedwait(&stopSignals, nullptr, &now) > 0) stopToken.Stop(yobina::StopReason::Signal);
  std::thread(WaitForStopSignals).detach();
}

}  // namespace

int main(int argc, char** argv) {
  ListenForStopSignals();
  // Qt's hashes order the fonts a PDF embeds: a fixed seed keeps the same job's PDF the same bytes.
  QHashSeed::setDeterministicGlobalSeed();
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
  if (parsed.Options.ListOffcuts) return yobina::ListOffcuts(parsed.Options, stdout, stderr);
  if (parsed.Options.Project)
    return yobina::RunProjectWithPdf(*parsed.Options.Project, argc, argv, stopToken);
  if (parsed.Options.PdfFile || parsed.Options.DiagramsFile || parsed.Options.LabelsFile) {
    return yobina::RunBatchWithPdf(parsed.Options, argc, argv, stopToken);
  }
  return yobina::RunBatch(parsed.Options, stdout, stderr, {}, {}, {}, stopToken);
}
