// yobina-cli: a job file in, the report of the results page out.
#include <QStringList>
#include <cstdio>

#include "app/stop_flag.h"
#include "cli/batch_run.h"
#include "cli/cli_options.h"
#include "cli/pdf_output.h"

namespace {

// The stop of the planning: a signal handler may raise it.
yobina::StopFlag stopFlag;

}  // namespace

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const yobina::ParsedCommandLine parsed = yobina::ParseCommandLine(arguments);
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
