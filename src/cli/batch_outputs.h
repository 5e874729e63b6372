// The files one command of yobina-cli writes (--save and the exports): checked
// before any planning, then written all or none.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "file/atomic_file.h"

namespace yobina {

struct OutputFile {
  enum class Kind { Save, Pdf, Diagrams, Csv, CutList, Labels };
  Kind What = Kind::Save;
  std::filesystem::path Path;
};

// The command's output files, in the order they are written: --save, --pdf,
// --diagrams, --csv, --cutlist, --labels.
std::vector<OutputFile> OutputFilesOf(const CliOptions& options);

// What stops the outputs from being written, as the message for stderr
// (UTF-8); none when they may be. Refused: an export that is the job file
// (--save may replace it, as saving over the open file does), two outputs
// that are one file, links and hard links followed, and a target a save would
// refuse or whose folder is missing, no folder or not writable.
std::optional<std::string> CheckOutputFiles(const CliOptions& options);

// The message for a failure of `file`: "name: what", or the PDF printer's words.
std::string OutputFailureText(const OutputFile& file, std::string_view what);

// Outputs written beside their targets and put in place together once all
// of them are written; those not committed are removed with it.
class StagedOutputs {
 public:
  // Throws the file layer's IoError, which does not name the file.
  void Stage(const OutputFile& file, std::string_view bytes);
  // Renames every staged file over its target. Throws IoError with the
  // message for the first that fails; those before it stay written.
  void CommitAll();

 private:
  std::vector<std::pair<OutputFile, StagedFile>> staged_;
};

}  // namespace yobina
