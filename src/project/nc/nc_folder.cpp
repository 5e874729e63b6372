#include "project/nc/nc_folder.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "file/io_error.h"
#include "project/input_file.h"
#include "report/report_text.h"
#include "text/codec.h"

namespace yobina {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The name as messages show it: characters the code page lacks as "?".
std::string ShownName(const std::string& utf8) {
  if (std::optional<std::string> name = Utf8ToCp932(utf8)) return *name;
  std::string shown = utf8;
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return shown;
}

std::string LowerExtension(const std::filesystem::path& file) {
  std::string extension = file.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
  return extension;
}

int32_t CutLength(const DstvDetail& detail, NcLength choice) {
  const double length = choice == NcLength::Saw && detail.SawLength ? *detail.SawLength : detail.Length;
  return static_cast<int32_t>(std::ceil(length));
}

PartLine LineOf(const DstvPart& part, int32_t number, const std::string& name, NcLength choice) {
  PartLine line;
  line.Line = number;
  line.Section = NcSectionName(part.Detail);
  line.Length = CutLength(part.Detail, choice);
  line.Count = part.Quantity;
  line.Mark = part.Mark;
  line.UnitWeight = part.Detail.UnitWeight;
  line.Origin = {name, part.Order, part.Drawing, part.Phase, part.Detail};
  return line;
}

void Note(std::vector<std::string>& notes, const char* whatUtf8, int32_t files) {
  if (files > 0) notes.push_back(Cp932(whatUtf8) + IntText(files, 0) + Cp932(" ファイル"));
}

// The files' parts, a file at a time, so that a folder is never held whole.
class NcParts {
 public:
  explicit NcParts(NcLength length) : length_(length) {}

  void Add(const NcFile& file) {
    const auto number = static_cast<int32_t>(++files_);
    const std::string name = ShownName(file.Name);
    if (!file.ReadError.empty()) {
      read_.Issues.push_back({InputFile::Parts, number, ShownName(file.ReadError), true, name});
      return;
    }
    const DstvRead part = ReadDstvFile(file.Bytes);
    switch (part.Kind) {
      case DstvKind::Part:
        read_.Parts.push_back(LineOf(part.Part, number, name, length_));
        break;
      case DstvKind::Plate:
        ++plates_;
        break;
      case DstvKind::NoLength:
        ++withoutLength_;
        break;
      case DstvKind::Bad:
        read_.Issues.push_back({InputFile::Parts, number, part.Reason, true, name});
        break;
    }
  }

  PartsListRead Finish() {
    if (files_ == 0)
      read_.Issues.push_back(
          {InputFile::Parts, 0, Cp932("フォルダに NC ファイル(*.nc1, *.nc)がありません。"), false});
    Note(read_.Notes, "板材は対象外: ", plates_);
    Note(read_.Notes, "長さのない部材は対象外: ", withoutLength_);
    return std::move(read_);
  }

 private:
  NcLength length_;
  PartsListRead read_;
  size_t files_ = 0;
  int32_t plates_ = 0;
  int32_t withoutLength_ = 0;
};

}  // namespace

std::string NcSectionName(const DstvDetail& detail) {
  const std::string& profile = detail.Profile;
  std::string name;
  for (size_t i = 0; i < profile.size(); ++i) {
    const char c = profile[i];
    // A digit is never half of a two-byte character, so the x after one is a letter of its own.
    const bool between =
        i > 0 && i + 1 < profile.size() && IsDigit(profile[i - 1]) && IsDigit(profile[i + 1]);
    if (between && (c == '*' || c == 'x' || c == 'X')) {
      name += Cp932("×");
    } else {
      name += c;
    }
  }
  return detail.Grade.empty() ? name : name + " " + detail.Grade;
}

PartsListRead ReadNcFiles(const std::vector<NcFile>& files, NcLength length) {
  NcParts parts(length);
  for (const NcFile& file : files) parts.Add(file);
  return parts.Finish();
}

std::vector<std::filesystem::path> NcFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  std::filesystem::directory_iterator entry(folder, error);
  for (; !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
    const std::string extension = LowerExtension(entry->path());
    if ((extension == ".nc1" || extension == ".nc") && entry->is_regular_file(error))
      files.push_back(entry->path());
    error.clear();  // an entry that cannot be looked at is not an NC file
  }
  if (error) throw IoError(PlatformErrorText(error.value()));
  std::sort(files.begin(), files.end(), [](const std::filesystem::path& a, const std::filesystem::path& b) {
    return a.filename().native() < b.filename().native();
  });
  return files;
}

PartsListRead ReadNcFolder(const std::filesystem::path& folder, NcLength length) {
  NcParts parts(length);
  for (const std::filesystem::path& path : NcFilesIn(folder)) {
    NcFile file;
    file.Name = path.filename().string();
    try {
      file.Bytes = ReadInputFile(path);
    } catch (const IoError& failure) {
      file.ReadError = failure.what();
    }
    parts.Add(file);
  }
  return parts.Finish();
}

}  // namespace yobina
