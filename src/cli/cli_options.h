// The command line of yobina-cli.
#pragma once

#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/project_options.h"

namespace yobina {

enum class OutputEncoding { Utf8, Cp932 };

struct CliOptions {
  std::filesystem::path JobFile;
  std::optional<std::filesystem::path> ImportCut;    // a CSV file that replaces the cut list
  std::optional<std::filesystem::path> ImportStock;  // a CSV file that replaces the stock list
  std::optional<std::filesystem::path> StockTrace;   // a CSV file of the stock rows' steel
  std::optional<int32_t> Trials;                     // else the file's choice
  bool Exact = false;                                // the optimal planner instead of the trials
  std::optional<double> TimeLimitSeconds;            // a Run has none unless given; the optimal planner 10 s
  bool Progress = false;
  OutputEncoding Encoding = OutputEncoding::Utf8;
  std::optional<std::filesystem::path> SaveFile;
  std::optional<std::filesystem::path> PdfFile;
  std::optional<std::filesystem::path> DiagramsFile;  // the cutting diagrams as a PDF
  std::optional<std::filesystem::path> CsvFile;
  std::optional<std::filesystem::path> CutListFile;  // a line a piece, in cutting order
  std::optional<std::filesystem::path> LabelsFile;   // part and offcut labels as a PDF
  bool SingleLabels = false;                         // one label a page (label printers), not A4 sheets
  bool Json = false;                                 // the plan as JSON on stdout instead of the report
  int32_t OffcutMin = 0;                             // mm: leftovers this long are offcuts; 0 off
  std::optional<std::filesystem::path> OffcutsFile;  // else the user's inventory
  bool TakeOffcuts = false;  // the section's offcuts into the free stock rows before planning
  bool KeepOffcuts = false;  // the plan's offcuts into the inventory, the used ones out
  bool ListOffcuts = false;  // the inventory as CSV on stdout, no job

  std::optional<ProjectOptions> Project;  // a building instead of a job file
};

struct ParsedCommandLine {
  enum class Action { Run, ShowHelp, Fail };
  Action Todo = Action::Fail;
  CliOptions Options;
  std::string Text;  // the help text, or what is wrong with the command line (UTF-8)
};

// `arguments` starts with the program's name, like argv; made by
// ArgumentsFromArgv, so that file names keep their bytes.
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace yobina
