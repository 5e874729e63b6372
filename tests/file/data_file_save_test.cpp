// A failed save leaves the old job as it was and no stray file behind.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "file/data_file.h"
#include "file/file_size_limit.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"
#include "file/temp_folder.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

int FileCount(const fs::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

MemoryInputPage PageWithProject(const std::string& name) {
  MemoryInputPage page;
  page.SetFieldText(FieldId::ProjectName, name);
  return page;
}

TEST(DataFileSave, ReplacesTheOldFileWhole) {
  test::TempFolder folder;
  SaveDataFile(PageWithProject(std::string(900, 'a')), folder / "job.qzl");
  SaveDataFile(PageWithProject("b"), folder / "job.qzl");
  EXPECT_EQ(test::ReadBytes(folder / "job.qzl"), FormatDataFile(PageWithProject("b")));
  EXPECT_EQ(FileCount(folder.Path()), 1);
}

TEST(DataFileSave, BareNameGoesToTheWorkingFolder) {
  test::TempFolder folder;
  const fs::path previous = fs::current_path();
  fs::current_path(folder.Path());
  SaveDataFile(PageWithProject("b"), kBackupFileName);
  fs::current_path(previous);
  EXPECT_EQ(test::ReadBytes(folder / kBackupFileName), FormatDataFile(PageWithProject("b")));
}

TEST(DataFileSave, FailedWriteKeepsTheOldFile) {
  test::TempFolder folder;
  const fs::path job = folder / "job.qzl";
  SaveDataFile(PageWithProject("old"), job);
  const std::string old = test::ReadBytes(job);

  {
    const test::FileSizeLimit limit(1000);
    EXPECT_THROW(SaveDataFile(PageWithProject("new"), job), IoError);
  }

  EXPECT_EQ(test::ReadBytes(job), old);
  EXPECT_EQ(FileCount(folder.Path()), 1);
}

TEST(DataFileSave, TargetThatCannotBeReplacedStaysAsItWas) {
  test::TempFolder folder;
  fs::create_directory(folder / "job.qzl");
  test::WriteBytes(folder / "job.qzl" / "inside", "x");
  try {
    SaveDataFile(MemoryInputPage(), folder / "job.qzl");
    FAIL() << "no error";
  } catch (const IoError& error) {
    EXPECT_STREQ(error.what(), "ファイルではなくフォルダーです。");
  }
  EXPECT_TRUE(fs::is_directory(folder / "job.qzl"));
  EXPECT_EQ(FileCount(folder.Path()), 1);
}

TEST(DataFileSave, MissingFolderIsAnIoError) {
  test::TempFolder folder;
  try {
    SaveDataFile(MemoryInputPage(), folder / "no-such-folder" / "job.qzl");
    FAIL() << "no error";
  } catch (const IoError& error) {
    EXPECT_STREQ(error.what(), "ファイルが見つかりません");
  }
  EXPECT_EQ(FileCount(folder.Path()), 0);
}

TEST(DataFileSave, KeepsPermissionsAndSymbolicLinks) {
  test::TempFolder folder;
  SaveDataFile(PageWithProject("old"), folder / "job.qzl");
  fs::permissions(folder / "job.qzl", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("job.qzl", folder / "link.qzl");
  SaveDataFile(PageWithProject("new"), folder / "link.qzl");
  EXPECT_TRUE(fs::is_symlink(folder / "link.qzl"));
  EXPECT_EQ(test::ReadBytes(folder / "job.qzl"), FormatDataFile(PageWithProject("new")));
  EXPECT_EQ(fs::status(folder / "job.qzl").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace yobina
