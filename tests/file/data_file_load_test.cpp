// The reader: keyed by name, lenient about line ends and garbage, strict about the header.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "file/data_file.h"
#include "file/data_file_parser.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"
#include "file/temp_folder.h"

namespace yobina {
namespace {

const std::string kHeader = "File Version KVD.Tlmex  1.00\r\n";

// A page with something in every kind of element, so that changes show.
MemoryInputPage FilledPage() {
  MemoryInputPage page;
  page.SetFieldText(FieldId::Year, " 2026");
  page.SetFieldText(FieldId::ProjectName, "old");
  page.SetTrialIndex(1);
  page.SetCellText(GridId::Cut, 1, 5, "  2500");
  page.SetCellText(GridId::Cut, 2, 5, "    4");
  return page;
}

TEST(DataFileLoad, WrongHeaderChangesNothing) {
  const char* const headers[] = {
      "File Version KVD.Tlmex  1.00 \r\n",  // trailing space
      "file version kvd.tlmex  1.00\r\n",   // other letter case
      "File Version KVD.Tlmex 1.00\r\n",    // one space
      "\xEF\xBB\xBF"
      "File Version KVD.Tlmex  1.00\r\n",      // byte order mark
      "\r\nFile Version KVD.Tlmex  1.00\r\n",  // empty first line
      "",                                      // empty file
  };
  for (const char* header : headers) {
    SCOPED_TRACE(header);
    MemoryInputPage page = FilledPage();
    const std::string before = FormatDataFile(page);
    EXPECT_EQ(LoadDataFileFromBytes(page, std::string(header) + "edYY=1999\r\nrgTryCnt=2\r\n"),
              LoadResult::WrongVersion);
    EXPECT_EQ(FormatDataFile(page), before);
  }
}

TEST(DataFileLoad, EmptyFileIsTheWrongVersion) {
  MemoryInputPage page = FilledPage();
  const std::string before = FormatDataFile(page);
  EXPECT_EQ(LoadDataFileFromBytes(page, ""), LoadResult::WrongVersion);
  test::TempFolder folder;
  test::WriteBytes(folder / "empty.qzl", "");
  EXPECT_EQ(LoadDataFile(page, folder / "empty.qzl"), LoadResult::WrongVersion);
  EXPECT_EQ(FormatDataFile(page), before);
}

TEST(DataFileLoad, HeaderOnlyChangesNothing) {
  for (const std::string& file : {kHeader, std::string("File Version KVD.Tlmex  1.00")}) {
    MemoryInputPage page = FilledPage();
    const std::string before = FormatDataFile(page);
    EXPECT_EQ(LoadDataFileFromBytes(page, file), LoadResult::Loaded);
    EXPECT_EQ(FormatDataFile(page), before);
  }
}

struct FieldCase {
  const char* Line;
  FieldId Field;
  std::string Expected;
};

TEST(DataFileLoad, FieldLinesAreKeyedByTrimmedExactName) {
  const FieldCase cases[] = {
      {"edYY=1999", FieldId::Year, "1999"},
      {"   edYY      = 2001", FieldId::Year, " 2001"},
      {"\tedYY\x01=7", FieldId::Year, "7"},  // control characters trimmed too
      {"EDYY=1999", FieldId::Year, " 2026"},
      {"edyy=1999", FieldId::Year, " 2026"},
      {"ed YY=1999", FieldId::Year, " 2026"},
      {";edYY=1999", FieldId::Year, " 2026"},  // comment
      {"edYY 1999", FieldId::Year, " 2026"},   // no "="
      {"edMM=  3", FieldId::Month, "  3"},     // leading spaces kept
      {"edKname=a=b=", FieldId::ProjectName, "a=b="},
      {"edKname=", FieldId::ProjectName, ""},
      {"edKname=x  ", FieldId::ProjectName, "x  "},
      {"edBname=a\tb", FieldId::MemberName, "a\tb"},
      {"unknown=1", FieldId::Year, " 2026"},
      {"TabSheet1=edYY=5", FieldId::Year, " 2026"},
  };
  for (const FieldCase& c : cases) {
    SCOPED_TRACE(c.Line);
    MemoryInputPage page = FilledPage();
    ASSERT_EQ(LoadDataFileFromBytes(page, kHeader + c.Line + "\r\n"), LoadResult::Loaded);
    EXPECT_EQ(page.FieldText(c.Field), c.Expected);
  }
}

TEST(DataFileLoad, LaterLineWins) {
  MemoryInputPage page;
  LoadDataFileFromBytes(page, kHeader + "edDD=1\r\nedDD=2\r\nGrid1=  3,1,1\r\nGrid1=3,2\r\n");
  EXPECT_EQ(page.FieldText(FieldId::Day), "2");
  EXPECT_EQ(page.CellText(GridId::Stock, 1, 3), "2");
  EXPECT_EQ(page.CellText(GridId::Stock, 2, 3), "");
}

TEST(DataFileLoad, TrialIndexIsClamped) {
  const std::pair<const char*, int> cases[] = {
      {"0", 0}, {"2", 2}, {"7", 2},    {"-3", -1},         {"-1", -1},
      {"", 0},  {"x", 0}, {" 1.9", 1}, {"99999999999", 2},
  };
  for (const auto& [value, expected] : cases) {
    SCOPED_TRACE(value);
    MemoryInputPage page = FilledPage();
    LoadDataFileFromBytes(page, kHeader + "rgTryCnt=" + value + "\r\n");
    EXPECT_EQ(page.TrialIndex(), expected);
  }
}

struct RowCase {
  const char* Value;
  int Row;
  const char* Length;
  const char* Count;
};

TEST(DataFileLoad, GridRowsOneToThirtyFiveOnly) {
  const RowCase cases[] = {
      {"  5,  3000,    2", 5, "  3000", "    2"},
      {"  5", 5, "", ""},  // only the row number empties the row
      {"  5,1", 5, "1", ""},
      {"  5,1,2,, ,", 5, "1", "2"},  // empty fields past the last cell let be
      {"5\t1,5\t2", 5, "1,5", "2"},  // a tab makes commas part of a cell
      {" 35,9,9", 35, "9", "9"},
      {"  0,9,9", 5, "  2500", "    4"},  // row 5 untouched by the rows below
      {" 36,9,9", 5, "  2500", "    4"},
      {" -1", 5, "  2500", "    4"},
      {"x,9,9", 5, "  2500", "    4"},
  };
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.Value);
    MemoryInputPage page = FilledPage();
    LoadDataFileFromBytes(page, kHeader + "Grid2=" + c.Value + "\r\n");
    EXPECT_EQ(page.CellText(GridId::Cut, 1, c.Row), c.Length);
    EXPECT_EQ(page.CellText(GridId::Cut, 2, c.Row), c.Count);
    EXPECT_EQ(page.CellText(GridId::Cut, 1, 0),
              MemoryInputPage().CellText(GridId::Cut, 1, 0));  // headings stay
  }
}

TEST(DataFileLoad, ValueIsCutAt999BytesWithoutSplittingACharacter) {
  MemoryInputPage page;
  LoadDataFileFromBytes(page, kHeader + "edKname=" + std::string(1500, 'x') +
                                  "\r\nedBname=" + std::string(998, 'y') + "\x93\xfa" + "\r\nedYY=1\r\n");
  EXPECT_EQ(page.FieldText(FieldId::ProjectName), std::string(999, 'x'));
  EXPECT_EQ(page.FieldText(FieldId::MemberName), std::string(998, 'y'));
  EXPECT_EQ(page.FieldText(FieldId::Year), "1");
}

TEST(DataFileLoad, AnyLineEndAndGarbageBetweenLines) {
  const std::string variants[] = {
      kHeader + "edYY=1\r\nedMM=2\r\nGrid1=  1,600,3\r\n",
      "File Version KVD.Tlmex  1.00\nedYY=1\nedMM=2\nGrid1=  1,600,3\n",
      "File Version KVD.Tlmex  1.00\redYY=1\redMM=2\rGrid1=  1,600,3",
      kHeader + "\r\n\r\n\nedYY=1\r\n\r\redMM=2\n\rGrid1=  1,600,3",
      kHeader + std::string("\0\0\r\nedYY=1\r\n\0=\r\nedMM=2\r\n", 24) + "Grid1=  1,600,3\r\n",
      kHeader + "edYY=1\r\n" + std::string(5'000'000, 'z') + "=" + std::string(3'000'000, 'z') + "\r\n;" +
          std::string(5'000'000, ';') + "\r\nedMM=2\r\n" + std::string(4'000, ' ') + "Grid1=  1,600,3" +
          std::string(4'000'000, ',') + "\r\n",
  };
  for (const std::string& file : variants) {
    MemoryInputPage page;
    ASSERT_EQ(LoadDataFileFromBytes(page, file), LoadResult::Loaded);
    EXPECT_EQ(page.FieldText(FieldId::Year), "1");
    EXPECT_EQ(page.FieldText(FieldId::Month), "2");
    EXPECT_EQ(page.CellText(GridId::Stock, 1, 1), "600");
    EXPECT_EQ(page.CellText(GridId::Stock, 2, 1), "3");
  }
}

TEST(DataFileLoad, NulBytesInsideAValueAreKept) {
  MemoryInputPage page;
  LoadDataFileFromBytes(page, kHeader + std::string("edKname=a\0b\r\n", 14));
  EXPECT_EQ(page.FieldText(FieldId::ProjectName), std::string("a\0b", 3));
}

TEST(DataFileLoad, ResultDoesNotDependOnHowTheBytesArrive) {
  const std::string file = kHeader + "edYY=1\r\n\r\nedMM=2\r\redDD=3\n\nGrid1=  2,5,6\r\n" +
                           std::string(2000, 'q') + "\r\nedKname=" + std::string(1200, 'k') + "\r";
  MemoryInputPage whole;
  LoadDataFileFromBytes(whole, file);
  for (std::size_t piece : {1u, 2u, 3u, 7u, 64u}) {
    MemoryInputPage fed;
    DataFileParser parser(fed);
    for (std::size_t i = 0; i < file.size(); i += piece) parser.Feed(std::string_view(file).substr(i, piece));
    EXPECT_EQ(parser.Finish(), LoadResult::Loaded);
    EXPECT_EQ(FormatDataFile(fed), FormatDataFile(whole)) << "pieces of " << piece;
  }
}

TEST(DataFileLoad, HugeLineIsReadInBoundedTime) {
  // 64 MiB in one line, fed as a file is read; memory use must not follow it.
  MemoryInputPage page;
  DataFileParser parser(page);
  parser.Feed(kHeader + "edKname=");
  const std::string chunk(1 << 20, 'x');
  for (int i = 0; i < 64; ++i) parser.Feed(chunk);
  parser.Feed("\r\nedYY=5\r\n");
  EXPECT_EQ(parser.Finish(), LoadResult::Loaded);
  EXPECT_EQ(page.FieldText(FieldId::ProjectName).size(), 999u);
  EXPECT_EQ(page.FieldText(FieldId::Year), "5");
}

TEST(DataFileLoad, MissingFileIsAnIoErrorAndChangesNothing) {
  test::TempFolder folder;
  MemoryInputPage page = FilledPage();
  const std::string before = FormatDataFile(page);
  try {
    LoadDataFile(page, folder / "none.qzl");
    FAIL() << "no error";
  } catch (const IoError& error) {
    EXPECT_STREQ(error.what(), "ファイルが見つかりません");
  }
  EXPECT_THROW(LoadDataFile(page, folder.Path()), IoError);  // a folder
  EXPECT_EQ(FormatDataFile(page), before);
}

TEST(DataFileLoad, FileOnDiskLoadsLikeBytes) {
  test::TempFolder folder;
  test::WriteBytes(folder / "job.qzl", kHeader + "edYY=12\r\nrgTryCnt=0");
  MemoryInputPage page;
  EXPECT_EQ(LoadDataFile(page, folder / "job.qzl"), LoadResult::Loaded);
  EXPECT_EQ(page.FieldText(FieldId::Year), "12");
  EXPECT_EQ(page.TrialIndex(), 0);
}

std::string LoadError(const std::filesystem::path& file, MemoryInputPage& page) {
  try {
    LoadDataFile(page, file);
  } catch (const IoError& error) {
    return error.what();
  }
  return "loaded";
}

// A FIFO would block the reader forever, a folder or a device has no job in it.
TEST(DataFileLoad, NonRegularFilesAreRefusedAtOnce) {
  test::TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo.qzl").c_str(), 0666), 0);
  MemoryInputPage page = FilledPage();
  const std::string before = FormatDataFile(page);
  EXPECT_EQ(LoadError(folder / "fifo.qzl", page), "通常のファイルではありません。");
  EXPECT_EQ(LoadError("/dev/zero", page), "通常のファイルではありません。");
  EXPECT_EQ(LoadError(folder.Path(), page), "ファイルではなくフォルダーです。");
  EXPECT_EQ(FormatDataFile(page), before);
}

TEST(DataFileLoad, FileWrittenInUtf8IsRefusedNotLoadedAsMojibake) {
  test::TempFolder folder;
  struct Case {
    std::string Value;
    bool Refused;
  };
  const Case cases[] = {
      {"\xE3\x80\x80\xE9\x89\x84", true},  // "　鉄" in UTF-8: the second 0x80 is no code page 932
      {"\x81\x40\x93\x53", false},         // "　鉄" in code page 932
      {"plain", false},
      {"\xE9\x89\x84\xE9\xAA\xA8", false},  // "鉄骨" in UTF-8 reads as code page 932 too: kept as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Value);
    test::WriteBytes(folder / "job.qzl", kHeader + "edKname=" + c.Value + "\r\n");
    MemoryInputPage page = FilledPage();
    const std::string before = FormatDataFile(page);
    const std::string result = LoadError(folder / "job.qzl", page);
    if (c.Refused) {
      EXPECT_EQ(result,
                "UTF-8 で書かれたファイルは読み込めません。シフトJIS (CP932) で保存し直してください。");
      EXPECT_EQ(FormatDataFile(page), before);
    } else {
      EXPECT_EQ(result, "loaded");
      EXPECT_EQ(page.FieldText(FieldId::ProjectName), c.Value);
    }
  }
}

// "1,25" saved into a cell reads back as two cells and a value past the row:
// the row is refused by name and the page keeps what it had.
TEST(DataFileLoad, RowWithAValuePastItsCellsIsRefusedByName) {
  test::TempFolder folder;
  const std::string file = kHeader + "edYY=2027\r\nGrid2=  3,  1700,    3\r\nGrid2=  4,1,25,    5\r\n";
  test::WriteBytes(folder / "job.qzl", file);
  MemoryInputPage page = FilledPage();
  const std::string before = FormatDataFile(page);
  EXPECT_EQ(LoadError(folder / "job.qzl", page),
            "切断リスト 4行目「  4,1,25,    5」は長さと本数のほかにも値があるため、読み込めません。"
            "長さか本数に「,」が入っていないか確かめてください。");
  EXPECT_THROW(LoadDataFileFromBytes(page, file), IoError);
  EXPECT_EQ(FormatDataFile(page), before);
}

}  // namespace
}  // namespace yobina
