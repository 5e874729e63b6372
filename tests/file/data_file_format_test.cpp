// What the writer writes, and that what it writes reads back unchanged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "file/data_file.h"
#include "file/example_jobs.h"
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

TEST(DataFileFormat, LineBreakInsideAValueCannotStartALine) {
  MemoryInputPage page;
  page.SetFieldText(FieldId::ProjectName, "a\r\nedyoyu=999\nb");
  const std::vector<std::string> lines = SplitCrLfLines(FormatDataFile(page));
  ASSERT_EQ(lines.size(), 86u);
  EXPECT_EQ(lines[6], "edKname     =a  edyoyu=999 b");
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
