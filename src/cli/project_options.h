// The command line of --project: a building's parts list (or folder of NC
// files) in, its purchase list, summary, PDF and section jobs out into a folder.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <optional>

#include "project/nc/nc_folder.h"

namespace yobina {

struct ProjectOptions {
  std::filesystem::path PartsFile;  // a parts-list CSV, or a folder of NC files
  NcLength NcLengthChoice = NcLength::Saw;
  std::optional<std::filesystem::path> CatalogueFile;
  std::optional<std::filesystem::path> StockFile;
  int32_t MaxLengths = 0;  // 0: any number
  int32_t Kerf = 0;        // mm
  int32_t Margin = 0;      // mm
  double SectionSeconds = 10;
  bool SkipBadLines = false;
  // Every section's offcuts in the inventory join its bars on hand (none: the user's inventory).
  bool TakeOffcuts = false;
  std::optional<std::filesystem::path> OffcutsFile;
  std::filesystem::path OutFolder;
};

// What is wrong with the command line, in Japanese and in English.
struct OptionFault {
  QString Japanese;
  QString English;
};

class ProjectCommandLine {
 public:
  ProjectCommandLine();
  QList<QCommandLineOption> Options() const;
  // Whether the command line asks for a building (--project).
  bool Asked(const QCommandLineParser& parser) const;
  // Whether it names an option of --project without --project.
  std::optional<OptionFault> Stray(const QCommandLineParser& parser) const;
  // The options of --project; `timeLimit` is the shared --time-limit (a
  // section's cap here), already checked.
  std::optional<OptionFault> Read(const QCommandLineParser& parser, std::optional<double> timeLimit,
                                  ProjectOptions& options) const;

 private:
  QCommandLineOption parts_, catalogue_, stock_, maxLengths_, kerf_, margin_, skipBadLines_, ncLength_, out_;
};

}  // namespace yobina
