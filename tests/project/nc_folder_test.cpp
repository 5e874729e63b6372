// DSTV NC files as a building's parts: the header block in each encoding,
// sections by profile and grade, the saw length, what is left out, bad files.
#include "project/nc/nc_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "project/project_input.h"
#include "text/codec.h"

namespace yobina {
namespace {

using Fields = std::vector<std::string>;

// The ST block's 24 fields of a part (UTF-8); tests change what they need.
Fields Header() {
  return {"K-2024-017", "S-12",   "1節", "G1",  "SN490B", "2", "H-400*200*8*13",
          "I",          "5964.5", "400", "200", "13",     "8", "16",
          "66",         "1.2",    "0",   "0",   "0",      "0", "大梁",
          "",           "",       ""};
}

// A DSTV file: a comment, ST with `fields`, a hole block, EN; lines ended by `end`.
std::string Nc(const Fields& fields, const std::string& end = "\r\n") {
  std::string text = "** made by the test" + end + "ST" + end;
  for (const std::string& field : fields) text += "  " + field + end;
  return text + "BO" + end + "  v    50.00u   40.00  22.00" + end + "EN" + end;
}

std::vector<std::string> Cp932All(const std::vector<std::string>& utf8) {
  std::vector<std::string> texts;
  for (const std::string& text : utf8) texts.push_back(Cp932(text));
  return texts;
}

ProjectInput Build(const std::vector<NcFile>& files, NcLength length = NcLength::Saw, bool skipBad = false) {
  ProjectSettings settings;
  settings.SkipBadLines = skipBad;
  return BuildProject(ReadNcFiles(files, length), std::nullopt, std::nullopt, settings);
}

std::vector<int32_t> CutLengths(const SectionInput& section) {
  std::vector<int32_t> lengths;
  for (const CutRow& row : section.Cuts) lengths.push_back(row.Length);
  return lengths;
}

TEST(NcFolder, ReadsTheHeaderBlockInEachEncoding) {
  const std::string utf8 = Nc(Header());
  for (const std::string& bytes :
       {utf8, "\xEF\xBB\xBF" + utf8, Cp932(utf8), Nc(Header(), "\n"), Cp932(Nc(Header(), "\r"))}) {
    const DstvRead read = ReadDstvFile(bytes);
    ASSERT_EQ(read.Kind, DstvKind::Part) << Cp932ToUtf8(read.Reason);
    const DstvPart& part = read.Part;
    EXPECT_EQ(part.Order, "K-2024-017");
    EXPECT_EQ(part.Phase, Cp932("1節"));
    EXPECT_EQ(part.Mark, "G1");
    EXPECT_EQ(part.Quantity, 2);
    EXPECT_EQ(part.Detail.Profile, "H-400*200*8*13");
    EXPECT_EQ(part.Detail.Length, 5964.5);
    EXPECT_FALSE(part.Detail.SawLength);
    EXPECT_EQ(part.Detail.Radius, 16);
    EXPECT_EQ(part.Detail.UnitWeight, 66);
    EXPECT_EQ(part.Detail.Texts, (std::array<std::string, 4>{Cp932("大梁"), "", "", ""}));
    EXPECT_FALSE(part.Detail.SkewCut());
  }

  // A header of an earlier edition ends after the painting surface, without EN;
  // empty text fields whose blanks an editor stripped keep the fields after them in place.
  Fields earlier = Header();
  earlier.resize(16);
  earlier[0] = earlier[1] = "";
  std::string text = "ST\n";
  for (const std::string& field : earlier) text += field.empty() ? "\n" : "  " + field + "\n";
  const DstvRead read = ReadDstvFile(text);
  ASSERT_EQ(read.Kind, DstvKind::Part) << Cp932ToUtf8(read.Reason);
  EXPECT_EQ(read.Part.Mark, "G1");
  EXPECT_EQ(read.Part.Detail.UnitWeight, 66);
}

TEST(NcFolder, SectionsSplitByGradeAndCutTheSawLength) {
  Fields a = Header();
  a[8] = "5964.5,5980.2";
  Fields b = Header();
  b[4] = "SS400";
  b[6] = "H-400x200x8X13";
  Fields c = Header();
  c[3] = "G2";
  c[8] = "3000   3010";  // blanks between
  c[16] = "-30";
  Fields plate = Header();
  plate[7] = "B";
  Fields withoutLength = Header();
  withoutLength[8] = "0";
  const std::vector<NcFile> files = {{"a.nc1", Nc(a), ""},
                                     {"b.nc1", Nc(b), ""},
                                     {"c.nc", Cp932(Nc(c)), ""},
                                     {"pl.nc1", Nc(plate), ""},
                                     {"z.NC1", Nc(withoutLength), ""}};

  const ProjectInput input = Build(files);
  ASSERT_TRUE(input.Ready);
  ASSERT_EQ(input.Sections.size(), 2U);
  EXPECT_EQ(input.Sections[0].Name, Cp932("H-400×200×8×13 SN490B"));
  EXPECT_EQ(input.Sections[1].Name, Cp932("H-400×200×8×13 SS400"));
  EXPECT_EQ(CutLengths(input.Sections[0]), (std::vector<int32_t>{3010, 5981}));
  EXPECT_EQ(CutLengths(input.Sections[1]), (std::vector<int32_t>{5965}));
  EXPECT_EQ(input.Notes, Cp932All({"板材は対象外: 1 ファイル", "長さのない部材は対象外: 1 ファイル"}));

  // Each piece keeps its file, phase and cut angles.
  const CutPart& skew = input.Sections[0].Cuts[0].Parts.at(0);
  EXPECT_EQ(skew.Mark, "G2");
  EXPECT_EQ(skew.Count, 2);
  EXPECT_EQ(skew.Origin.File, "c.nc");
  EXPECT_EQ(skew.Origin.Phase, Cp932("1節"));
  ASSERT_TRUE(skew.Origin.Nc);
  EXPECT_TRUE(skew.Origin.Nc->SkewCut());

  EXPECT_EQ(CutLengths(Build(files, NcLength::Length).Sections[0]), (std::vector<int32_t>{3000, 5965}));
}

TEST(NcFolder, BadFilesAreNamedOnceAndStopThePlan) {
  struct Bad {
    const char* Name;
    std::string Bytes;
    const char* Reason;
  };
  const auto with = [](size_t field, const char* value) {
    Fields fields = Header();
    fields[field] = value;
    return Nc(fields);
  };
  Fields tooShort = Header();
  tooShort.resize(12);
  const std::vector<Bad> bad = {
      {"P1565.nc1", with(5, "0"), "数量「0」は1以上にしてください。"},
      {"short.nc1", Nc(tooShort), "ST ブロックにウェブ厚(13 番目の項目)がありません。"},
      {"list.nc", "部材名,長さ,本数\nH-1,2000,1\n", "DSTV の NC ファイルではありません"},
      {"holes.nc1", "BO\n  v 50.00u 40.00 22.00\nEN\n", "最初のブロックが ST ではありません"},
      {"length.nc1", with(8, "abc"), "長さ「abc」が数値ではありません。"},
      {"code.nc1", with(7, "Q"), "断面の種類「Q」は DSTV の種類"},
      {"weight.nc1", with(14, "70"), "単位重量が同じ部材名のgood.nc1と違います(70.00 と 66.00)。"},
      {"gone.nc1", "", "ファイルが見つかりません"},
  };
  std::vector<NcFile> files = {{"good.nc1", Nc(Header()), ""}};
  for (const Bad& file : bad) {
    const bool unreadable = std::string(file.Name) == "gone.nc1";
    files.push_back({file.Name, unreadable ? "" : file.Bytes, unreadable ? file.Reason : ""});
  }

  const ProjectInput input = Build(files);
  EXPECT_FALSE(input.Ready);
  EXPECT_TRUE(input.Sections.empty());
  ASSERT_EQ(input.Issues.size(), bad.size());
  for (const Bad& file : bad) {
    const auto named = std::count_if(input.Issues.begin(), input.Issues.end(),
                                     [&](const LineIssue& issue) { return issue.Source == file.Name; });
    EXPECT_EQ(named, 1) << file.Name;
  }
  for (const LineIssue& issue : input.Issues) {
    const std::string text = Cp932ToUtf8(IssueText(issue));
    const auto it =
        std::find_if(bad.begin(), bad.end(), [&](const Bad& b) { return issue.Source == b.Name; });
    ASSERT_NE(it, bad.end()) << text;
    EXPECT_EQ(text.rfind(std::string(it->Name) + ": ", 0), 0U) << text;
    EXPECT_NE(text.find(it->Reason), std::string::npos) << text;
  }

  // Left out, the good file alone is planned.
  const ProjectInput skipping = Build(files, NcLength::Saw, true);
  ASSERT_TRUE(skipping.Ready);
  ASSERT_EQ(skipping.Sections.size(), 1U);
  EXPECT_EQ(skipping.Sections[0].Pieces(), 2);

  // A folder without NC files cannot be planned at all.
  const ProjectInput none = Build({});
  EXPECT_FALSE(none.Ready);
  EXPECT_TRUE(AnyUnskippable(none.Issues));
}

}  // namespace
}  // namespace yobina
