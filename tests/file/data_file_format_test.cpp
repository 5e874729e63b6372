// What the writer writes, and that what it writes reads back unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "file/data_file.h"
#include "file/example_jobs.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"
#include "file/page_document.h"
#include "file/temp_folder.h"
#include "text/codec.h"

namespace yobina {
namespace {

std::vector<std::string> SplitCrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start) + "<no line end>");
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

TEST(DataFileFormat, FreshPageIsEightySixLinesInFocusOrder) {
  MemoryInputPage page;
  const std::vector<std::string> lines = SplitCrLfLines(FormatDataFile(page));
  ASSERT_EQ(lines.size(), 86u);
  EXPECT_EQ(lines[0], "File Version KVD.Tlmex  1.00");
  EXPECT_EQ(lines[1], ";-----------------------------------> " + Cp932("　ヨビナ条件　"));
  EXPECT_EQ(lines[2], "TabSheet1   =");
  EXPECT_EQ(lines[3], "edYY        =");
  EXPECT_EQ(lines[10], "edsiro      =");
  EXPECT_EQ(lines[11], "rgTryCnt    =1");
  EXPECT_EQ(lines[12], "Grid1       =  1,,");
  EXPECT_EQ(lines[46], "Grid1       = 35,,");
  EXPECT_EQ(lines[47], "Grid1       = -1");
  EXPECT_EQ(lines[48], "Grid2       =  1,,");
  EXPECT_EQ(lines[83], "Grid2       = -1");
  EXPECT_EQ(lines[84], ";-----------------------------------> " + Cp932("【結果】"));
  EXPECT_EQ(lines[85], "TabSheet2   =");
}

TEST(DataFileFormat, ValuesAreWrittenAsHeld) {
  MemoryInputPage page;
  page.SetFieldText(FieldId::Month, "  3");
  page.SetFieldText(FieldId::ProjectName, Cp932(" 工事 "));
  page.SetTrialIndex(-1);
  page.SetCellText(GridId::Stock, 1, 1, "  5500");
  page.SetCellText(GridId::Stock, 2, 1, "    3");
  page.SetCellText(GridId::Cut, 2, 35, "7");
  const std::vector<std::string> lines = SplitCrLfLines(FormatDataFile(page));
  EXPECT_EQ(lines[4], "edMM        =  3");
  EXPECT_EQ(lines[6], "edKname     =" + Cp932(" 工事 "));
  EXPECT_EQ(lines[11], "rgTryCnt    =-1");
  EXPECT_EQ(lines[12], "Grid1       =  1,  5500,    3");
  EXPECT_EQ(lines[82], "Grid2       = 35,,7");
}

// A value that would read back as something else is refused by name, and
// nothing is written: a comma or a tab splits a row, a line break ends a line.
TEST(DataFileFormat, ValueTheFileCannotHoldIsRefusedNotWritten) {
  test::TempFolder folder;
  const std::filesystem::path job = folder / "job.qzl";
  SaveDataFile(MemoryInputPage(), job);
  const std::string old = test::ReadBytes(job);
  const auto refusal = [&](const MemoryInputPage& page) -> std::string {
    try {
      SaveDataFile(page, job);
    } catch (const IoError& error) {
      return error.what();
    }
    return "saved";
  };
  MemoryInputPage comma;
  comma.SetCellText(GridId::Cut, 1, 4, "1,25");
  comma.SetCellText(GridId::Cut, 2, 4, "    5");
  EXPECT_EQ(refusal(comma), "切断リスト 4行目: 長さ「1,25」は「,」を含むため、ファイルに書けません。");
  MemoryInputPage tab;
  tab.SetCellText(GridId::Stock, 2, 1, "3\t");
  EXPECT_EQ(refusal(tab), "素材リスト 1行目: 本数「3 」はタブを含むため、ファイルに書けません。");
  MemoryInputPage lineBreak;
  lineBreak.SetFieldText(FieldId::ProjectName, "a\r\nedyoyu=999\nb");
  EXPECT_EQ(refusal(lineBreak), "工事名は改行を含むため、ファイルに書けません。");
  EXPECT_EQ(test::ReadBytes(job), old);

  // What the reader keeps of a line is all a value may take.
  MemoryInputPage longest;
  longest.SetFieldText(FieldId::MemberName, std::string(999, 'x'));
  EXPECT_EQ(refusal(longest), "saved");
  longest.SetFieldText(FieldId::MemberName, std::string(1000, 'x'));
  EXPECT_EQ(refusal(longest), "部材名が長すぎる（999 バイトを超える）ため、ファイルに書けません。");
}

TEST(DataFileFormat, SavingALoadedFileGivesItBackByteForByte) {
  test::TempFolder folder;
  for (const test::ExampleJob& job : test::ExampleJobs()) {
    SCOPED_TRACE(job.FileName);
    MemoryInputPage typed;
    job.Fill(typed);
    SaveDataFile(typed, folder / "first.qzl");

    MemoryInputPage loaded;
    ASSERT_EQ(LoadDataFile(loaded, folder / "first.qzl"), LoadResult::Loaded);
    SaveDataFile(loaded, folder / "second.qzl");
    EXPECT_EQ(test::ReadBytes(folder / "second.qzl"), test::ReadBytes(folder / "first.qzl"));

    // A job document holds all the page does: gaps, numbers as typed, the trial choice.
    JobDocument document;
    ASSERT_EQ(LoadDataFile(document, folder / "first.qzl"), LoadResult::Loaded);
    EXPECT_EQ(document, ReadDocument(loaded));
    EXPECT_EQ(FormatDataFile(document), test::ReadBytes(folder / "first.qzl"));
  }
}

TEST(DataFileFormat, ShippedExamplesAreWhatTheWriterWrites) {
  const char* source = std::getenv("YOBINA_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::filesystem::path examples = std::filesystem::path(source) / "examples";
  // YOBINA_REGENERATE_EXAMPLES=1 rewrites them after a deliberate change.
  const bool regenerate = std::getenv("YOBINA_REGENERATE_EXAMPLES") != nullptr;
  test::TempFolder folder;
  for (const test::ExampleJob& job : test::ExampleJobs()) {
    SCOPED_TRACE(job.FileName);
    MemoryInputPage page;
    job.Fill(page);
    if (regenerate) SaveDataFile(page, examples / job.FileName);
    SaveDataFile(page, folder / job.FileName);
    EXPECT_EQ(test::ReadBytes(examples / job.FileName), test::ReadBytes(folder / job.FileName));
  }
}

}  // namespace
}  // namespace yobina
