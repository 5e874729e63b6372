#include "cli/batch_outputs.h"

#include <utility>

#include "file/file_key.h"
#include "file/io_error.h"
#include "file/readable_name.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

const char* OptionOf(OutputFile::Kind kind) {
  switch (kind) {
    case OutputFile::Kind::Save:
      return "--save";
    case OutputFile::Kind::Pdf:
      return "--pdf";
    case OutputFile::Kind::Diagrams:
      return "--diagrams";
    case OutputFile::Kind::Csv:
      return "--csv";
    case OutputFile::Kind::CutList:
      return "--cutlist";
    case OutputFile::Kind::Labels:
      return "--labels";
  }
  return "";
}

bool IsPdf(OutputFile::Kind kind) {
  return kind == OutputFile::Kind::Pdf || kind == OutputFile::Kind::Diagrams ||
         kind == OutputFile::Kind::Labels;
}

std::string Quoted(const fs::path& file) {
  return "「" + ReadableFileName(file) + "」";
}

}  // namespace

std::vector<OutputFile> OutputFilesOf(const CliOptions& options) {
  std::vector<OutputFile> files;
  if (options.SaveFile) files.push_back({OutputFile::Kind::Save, *options.SaveFile});
  if (options.PdfFile) files.push_back({OutputFile::Kind::Pdf, *options.PdfFile});
  if (options.DiagramsFile) files.push_back({OutputFile::Kind::Diagrams, *options.DiagramsFile});
  if (options.CsvFile) files.push_back({OutputFile::Kind::Csv, *options.CsvFile});
  if (options.CutListFile) files.push_back({OutputFile::Kind::CutList, *options.CutListFile});
  if (options.LabelsFile) files.push_back({OutputFile::Kind::Labels, *options.LabelsFile});
  return files;
}

std::optional<std::string> CheckOutputFiles(const CliOptions& options) {
  const std::vector<OutputFile> files = OutputFilesOf(options);
  const std::optional<FileKey> job = FileKeyOf(options.JobFile);
  std::vector<std::optional<FileKey>> keys;
  for (const OutputFile& file : files) {
    const std::optional<FileKey> key = OutputFileKeyOf(file.Path);
    if (key && key == job && file.What != OutputFile::Kind::Save) {
      return std::string(OptionOf(file.What)) + " の出力先" + Quoted(file.Path) +
             "は読み込むヨビナデータと同じファイルです。";
    }
    for (const std::optional<std::filesystem::path>& imported :
         {options.ImportCut, options.ImportStock, options.StockTrace}) {
      if (key && imported && key == FileKeyOf(*imported)) {
        return std::string(OptionOf(file.What)) + " の出力先" + Quoted(file.Path) +
               "は読み込む CSV ファイルと同じファイルです。";
      }
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (key && key == keys[i]) {
        return std::string(OptionOf(files[i].What)) + Quoted(files[i].Path) + "と " + OptionOf(file.What) +
               Quoted(file.Path) + "は同じファイルです。";
      }
    }
    keys.push_back(key);
  }
  for (const OutputFile& file : files) {
    try {
      CheckWritableTarget(file.Path);
    } catch (const IoError& error) {
      return OutputFailureText(file, error.what());
    }
  }
  return std::nullopt;
}

std::string OutputFailureText(const OutputFile& file, std::string_view what) {
  // The PDF printer's words for its own failures.
  if (IsPdf(file.What)) return "PDF ファイル" + Quoted(file.Path) + "を作成できません。" + std::string(what);
  return ReadableFileName(file.Path) + ": " + std::string(what);
}

void StagedOutputs::Stage(const OutputFile& file, std::string_view bytes) {
  staged_.emplace_back(file, StageFile(file.Path, bytes));
}

void StagedOutputs::CommitAll() {
  for (auto& [file, staged] : staged_) {
    try {
      staged.Commit();
    } catch (const IoError& error) {
      throw IoError(OutputFailureText(file, error.what()));
    }
  }
  staged_.clear();
}

}  // namespace yobina
