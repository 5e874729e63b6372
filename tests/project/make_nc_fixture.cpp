// make_nc_fixture [--check] DIR: writes DIR/nc-building/, a building's DSTV
// NC files (a part a file, from a fixed seed), and DIR/nc-building.csv, the
// parts list a user would type for the same parts; or with --check says which
// files differ from what it would write (exit 1).
//
// The folder: 60 parts of I, U, L, M and RO sections (one profile in two
// grades), some with saw lengths, some with skew cuts, a file in three written
// in ASCII, code page 932 (CR LF) and UTF-8 (LF, one with a byte-order mark),
// the text fields in Japanese in the latter two; 6 plates and a part without a
// length, which are not planned; a file in a subfolder and a text file, which
// are not read.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "text/codec.h"

namespace {

struct Section {
  const char* Profile;  // as the CAD writes it
  const char* Shown;    // as the parts list names it
  const char* Code;
  const char* Grade;
  const char* Weight;  // kg/m
  const char* Measures[5];
  const char* MarkPrefix;
  bool Ascii;  // the profile can be written in an ASCII file
};

constexpr Section kSections[] = {
    {"H-400*200*8*13", "H-400×200×8×13", "I", "SN490B", "66.00", {"400", "200", "13", "8", "16"}, "G", true},
    {"H-400x200x8x13", "H-400×200×8×13", "I", "SS400", "66.00", {"400", "200", "13", "8", "16"}, "B", true},
    {"H-300X150X6.5X9",
     "H-300×150×6.5×9",
     "I",
     "SS400",
     "36.70",
     {"300", "150", "9", "6.5", "13"},
     "B",
     true},
    {"H-200*100*5.5*8", "H-200×100×5.5×8", "I", "SS400", "20.90", {"200", "100", "8", "5.5", "8"}, "J", true},
    {"[-150*75*6.5*10",
     "[-150×75×6.5×10",
     "U",
     "SS400",
     "18.60",
     {"150", "75", "10", "6.5", "10"},
     "C",
     true},
    {"[-100*50*5*7.5", "[-100×50×5×7.5", "U", "SS400", "9.36", {"100", "50", "7.5", "5", "8"}, "N", true},
    {"L-65*6", "L-65×6", "L", "SS400", "5.91", {"65", "65", "6", "6", "8.5"}, "V", true},
    {"L-90*90*7", "L-90×90×7", "L", "SS400", "9.59", {"90", "90", "7", "7", "10"}, "K", true},
    {"□-150*150*6", "□-150×150×6", "M", "STKR400", "26.20", {"150", "150", "6", "6", "9"}, "KC", false},
    {"□-100*50*3.2", "□-100×50×3.2", "M", "STKR400", "7.01", {"100", "50", "3.2", "3.2", "4.8"}, "M", false},
    {"P-165.2*5", "P-165.2×5", "RO", "STK400", "19.80", {"165.2", "165.2", "5", "5", "0"}, "P", true},
    {"P-114.3*4.5", "P-114.3×4.5", "RO", "STK400", "12.20", {"114.3", "114.3", "4.5", "4.5", "0"}, "P", true},
};

constexpr const char* kTexts[] = {"大梁", "小梁", "柱", "間柱", "ブレース", "母屋"};

enum class Encoding { Ascii, Cp932, Utf8 };

class Random {
 public:
  uint32_t Below(uint32_t n) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % n;
  }

 private:
  uint64_t state_ = 20240517;
};

// Tenths of a mm as "5964.50".
std::string Millimetres(int64_t tenths) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%lld0", static_cast<long long>(tenths / 10),
                static_cast<long long>(tenths % 10));
  return text;
}

struct Part {
  std::string File;
  Encoding As = Encoding::Ascii;
  const Section* Of = nullptr;
  std::string Mark;
  int Quantity = 0;
  int64_t Length = 0;  // tenths of a mm
  int64_t Saw = 0;     // tenths; 0: none written
  std::string WebStart = "0.00";
  bool ShortHeader = false;  // ends after the painting surface
  std::string Phase;
};

// The file's text in UTF-8, its lines ended by `end`.
std::string NcText(const Part& part, const std::string& profile, const std::string& code, const char* end) {
  const bool japanese = part.As != Encoding::Ascii;
  const Section& s = *part.Of;
  std::string length = Millimetres(part.Length);
  if (part.Saw > 0) length += "," + Millimetres(part.Saw);
  std::vector<std::string> fields = {"K-2024-017", "S-" + std::to_string(10 + part.Quantity),
                                     part.Phase,   part.Mark,
                                     s.Grade,      std::to_string(part.Quantity),
                                     profile,      code,
                                     length};
  for (const char* measure : s.Measures) fields.emplace_back(measure);
  fields.emplace_back(s.Weight);
  fields.emplace_back("1.20");
  if (!part.ShortHeader) {
    for (const std::string& angle :
         {part.WebStart, std::string("0.00"), std::string("0.00"), std::string("0.00")})
      fields.push_back(angle);
    fields.emplace_back(japanese ? kTexts[part.Quantity % std::size(kTexts)] : "FIXTURE");
    fields.insert(fields.end(), {"", "", ""});
  }
  std::string text = "** " + part.File + end;
  if (japanese) text += std::string("** 符号 ") + part.Mark + end;
  text += std::string("ST") + end;
  for (const std::string& field : fields) text += "  " + field + end;
  text += std::string("BO") + end + "  v    50.00u   40.00  22.00   0.00" + end +
          "  v    50.00u  110.00  22.00   0.00" + end;
  text += std::string("SI") + end + "  v   100.00o   50.00  0.00  10r" + part.Mark + end;
  return text + "EN" + end;
}

std::string Encoded(const Part& part, const std::string& utf8) {
  return part.As == Encoding::Cp932 ? yobina::Cp932(utf8) : utf8;
}

std::vector<Part> Parts() {
  Random random;
  std::vector<Part> parts;
  std::map<std::string, int> marks;
  for (int i = 1; i <= 60; ++i) {
    Part part;
    part.Of = &kSections[random.Below(std::size(kSections))];
    part.As = static_cast<Encoding>(i % 3);
    if (!part.Of->Ascii && part.As == Encoding::Ascii) part.As = Encoding::Utf8;
    const char* extensions[] = {".nc1", ".nc1", ".NC1", ".nc", ".Nc1"};
    char name[32];
    std::snprintf(name, sizeof name, "P%04d%s", i, extensions[i % 5]);
    part.File = name;
    part.Mark = part.Of->MarkPrefix + std::to_string(++marks[part.Of->MarkPrefix]);
    part.Quantity = 1 + static_cast<int>(random.Below(6));
    part.Length = 10 * (800 + 5 * static_cast<int64_t>(random.Below(2000))) + (i % 4 == 0 ? 5 : 0);
    if (i % 6 == 0) {
      part.WebStart = i % 12 == 0 ? "-30.00" : "15.00";  // a skew cut; its saw length is longer
      part.Saw = part.Length + 100 + 10 * random.Below(40);
    } else if (i % 5 == 2) {
      part.Saw = part.Length + 45;
    }
    part.ShortHeader = i % 11 == 0 && part.WebStart == "0.00";
    part.Phase = part.As == Encoding::Ascii ? std::to_string(1 + i % 3) : std::to_string(1 + i % 3) + "節";
    parts.push_back(part);
  }
  return parts;
}

struct Output {
  std::filesystem::path Path;
  std::string Bytes;
};

std::vector<Output> Outputs(const std::filesystem::path& root) {
  const std::filesystem::path folder = root / "nc-building";
  std::vector<Output> outputs;
  std::string csv = "\xEF\xBB\xBF符号,部材名,長さ,本数,単位重量\r\n";
  for (const Part& part : Parts()) {
    const char* end = part.As == Encoding::Utf8 ? "\n" : "\r\n";
    std::string bytes = Encoded(part, NcText(part, part.Of->Profile, part.Of->Code, end));
    if (part.File == "P0005.nc1") bytes = "\xEF\xBB\xBF" + bytes;
    outputs.push_back({folder / part.File, bytes});
    const int64_t cut = part.Saw > 0 ? part.Saw : part.Length;
    csv += part.Mark + "," + part.Of->Shown + " " + part.Of->Grade + "," + std::to_string((cut + 9) / 10) +
           "," + std::to_string(part.Quantity) + "," + part.Of->Weight + "\r\n";
  }
  outputs.push_back({root / "nc-building.csv", csv});

  // Not planned: plates, and a part without a length.
  const char* plates[] = {"PL-12*200", "PL-12*200", "PL-9*150", "PL-9*150", "PL-22*300", "PL-6*100"};
  for (size_t i = 0; i < std::size(plates); ++i) {
    Part plate;
    plate.Of = &kSections[0];
    plate.As = static_cast<Encoding>(i % 3);
    plate.File = "PL" + std::to_string(101 + i) + ".nc1";
    plate.Mark = "PL" + std::to_string(1 + i);
    plate.Quantity = 2;
    plate.Length = 3500;
    plate.Phase = "1";
    outputs.push_back({folder / plate.File, Encoded(plate, NcText(plate, plates[i], "B", "\r\n"))});
  }
  Part fitting;
  fitting.Of = &kSections[6];
  fitting.File = "SO001.nc1";
  fitting.Mark = "F1";
  fitting.Quantity = 4;
  fitting.Phase = "1";
  outputs.push_back({folder / fitting.File, NcText(fitting, "FB-6*50", "SO", "\r\n")});

  // Not read: a subfolder's file and a file of another kind.
  Part old = Parts().front();
  outputs.push_back(
      {folder / "old" / old.File, Encoded(old, NcText(old, old.Of->Profile, old.Of->Code, "\r\n"))});
  outputs.push_back({folder / "readme.txt", "NC files of a test building; made by make_nc_fixture.\n"});
  return outputs;
}

std::string ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::strcmp(argv[1], "--check") == 0;
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: make_nc_fixture [--check] DIR\n");
    return 2;
  }
  int differing = 0;
  try {
    for (const Output& output : Outputs(argv[argc - 1])) {
      if (check) {
        if (!std::filesystem::is_regular_file(output.Path) || ReadBytes(output.Path) != output.Bytes) {
          std::printf("differs: %s\n", output.Path.c_str());
          ++differing;
        }
        continue;
      }
      std::filesystem::create_directories(output.Path.parent_path());
      std::ofstream(output.Path, std::ios::binary) << output.Bytes;
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "make_nc_fixture: %s\n", error.what());
    return 2;
  }
  return differing == 0 ? 0 : 1;
}
