// yobina-cli: a job file in, the report of the results page out.
#include <QStringList>
#include <csignal>
#include <cstdio>

#include "cli/argument_bytes.h"
#include "cli/batch_run.h"
#include "cli/cli_options.h"
#include "cli/pdf_output.h"

int main(int argc, char** argv) {
  // Past a file size limit a write fails and says so, rather than killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
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
  if (parsed.Options.PdfFile) return yobina::RunBatchWithPdf(parsed.Options, argc, argv);
  return yobina::RunBatch(parsed.Options, stdout, stderr, {});
}
