// Saves that respect the file system: permissions, owners, links, long names,
// leftovers of killed saves, and Japanese texts for every refusal.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "file/atomic_file.h"
#include "file/data_file.h"
#include "file/io_error.h"
#include "file/memory_input_page.h"
#include "file/readable_name.h"
#include "file/temp_folder.h"
#include "file/temporary_name.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

MemoryInputPage PageWithProject(const std::string& name) {
  MemoryInputPage page;
  page.SetFieldText(FieldId::ProjectName, name);
  return page;
}

std::string SaveError(const fs::path& file) {
  try {
    SaveDataFile(PageWithProject("new"), file);
  } catch (const IoError& error) {
    return error.what();
  }
  return "saved";
}

int FileCount(const fs::path& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++count;
  return count;
}

TEST(SaveFileSystem, RefusesWhatItMustNotReplace) {
  test::TempFolder folder;
  test::WriteBytes(folder / "locked.qzl", "old");
  fs::permissions(folder / "locked.qzl",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::create_directory(folder / "sub");
  ASSERT_EQ(::mkfifo((folder / "fifo.qzl").c_str(), 0666), 0);

  EXPECT_EQ(SaveError(folder / "locked.qzl"), "アクセスが拒否されました。");
  EXPECT_EQ(SaveError(folder / "sub"), "ファイルではなくフォルダーです。");
  EXPECT_EQ(SaveError(folder.Path().string() + "/sub/"), "ファイルではなくフォルダーです。");
  EXPECT_EQ(SaveError(folder / "."), "ファイルではなくフォルダーです。");
  EXPECT_EQ(SaveError(folder.Path().string() + "/none/"), "ファイル名が指定されていません。");
  EXPECT_EQ(SaveError(folder / "fifo.qzl"), "通常のファイルではありません。");
  EXPECT_EQ(SaveError(folder / std::string(256, 'n')), "ファイル名が長すぎます。");

  EXPECT_EQ(test::ReadBytes(folder / "locked.qzl"), "old");
  EXPECT_EQ(FileCount(folder.Path()), 3);  // no temporary file left
}

// Several files replaced together: none changes until it is committed, and
// one dropped uncommitted leaves nothing behind.
TEST(SaveFileSystem, StagedFilesWaitForTheirCommit) {
  test::TempFolder folder;
  test::WriteBytes(folder / "a.csv", "old");
  fs::permissions(folder / "a.csv", fs::perms::owner_read | fs::perms::owner_write);
  {
    StagedFile first = StageFile(folder / "a.csv", "new a");
    StagedFile second = StageFile(folder / "b.csv", "new b");
    EXPECT_EQ(test::ReadBytes(folder / "a.csv"), "old");
    EXPECT_FALSE(fs::exists(folder / "b.csv"));
    first.Commit();
  }
  EXPECT_EQ(test::ReadBytes(folder / "a.csv"), "new a");
  EXPECT_EQ(fs::status(folder / "a.csv").permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(FileCount(folder.Path()), 1);
}

TEST(SaveFileSystem, AnyValidNameCanBeSaved) {
  test::TempFolder folder;
  const std::string longest = std::string(251, 'n') + ".QZL";
  const std::string shiftJis = "\x83\x65\x83\x58\x83\x67.QZL";  // テスト in code page 932
  for (const std::string& name : {longest, shiftJis}) {
    SaveDataFile(PageWithProject("new"), folder / name);
    EXPECT_EQ(test::ReadBytes(folder / name), FormatDataFile(PageWithProject("new")));
  }
  EXPECT_EQ(FileCount(folder.Path()), 2);
}

TEST(SaveFileSystem, WritesThroughLinksToTheirFinalFile) {
  test::TempFolder folder;
  fs::create_directory(folder / "jobs");
  fs::create_symlink("jobs/job.qzl", folder / "dangling.qzl");
  fs::create_symlink("dangling.qzl", folder / "chain.qzl");
  SaveDataFile(PageWithProject("new"), folder / "chain.qzl");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "chain.qzl")));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "dangling.qzl")));
  EXPECT_EQ(test::ReadBytes(folder / "jobs" / "job.qzl"), FormatDataFile(PageWithProject("new")));

  fs::create_symlink("loop-b.qzl", folder / "loop-a.qzl");
  fs::create_symlink("loop-a.qzl", folder / "loop-b.qzl");
  EXPECT_EQ(SaveError(folder / "loop-a.qzl"), "シンボリック リンクが循環しています。");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(folder / "loop-a.qzl")));
}

TEST(SaveFileSystem, KeepsTheOwnerWherePermitted) {
  if (::geteuid() != 0) GTEST_SKIP() << "only a privileged process may give files away";
  test::TempFolder folder;
  SaveDataFile(PageWithProject("old"), folder / "job.qzl");
  ASSERT_EQ(::chown((folder / "job.qzl").c_str(), 4321, 4321), 0);
  ASSERT_EQ(::chmod((folder / "job.qzl").c_str(), 0640), 0);
  SaveDataFile(PageWithProject("new"), folder / "job.qzl");
  struct stat info {};
  ASSERT_EQ(::stat((folder / "job.qzl").c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 4321U);
  EXPECT_EQ(info.st_gid, 4321U);
  EXPECT_EQ(info.st_mode & 07777, 0640U);
}

TEST(SaveFileSystem, RemovesTheLeftoversOfKilledSaves) {
  test::TempFolder folder;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);  // a process number that no longer runs
  const std::string stale = TemporaryNameFor("job.qzl", child);
  const std::string running = TemporaryNameFor("job.qzl", ::getppid());
  const std::string otherJob = TemporaryNameFor("other.qzl", child);
  for (const std::string& name : {stale, running, otherJob}) test::WriteBytes(folder / name, "partial");
  EXPECT_LE(stale.size(), 20U);

  SaveDataFile(PageWithProject("new"), folder / "job.qzl");
  EXPECT_FALSE(fs::exists(folder / stale));
  EXPECT_TRUE(fs::exists(folder / running));
  EXPECT_TRUE(fs::exists(folder / otherJob));
}

TEST(SaveFileSystem, MessagesShowNamesReadably) {
  EXPECT_EQ(ReadableFileName("/tmp/\xE9\x89\x84/job.qzl"), "/tmp/鉄/job.qzl");
  EXPECT_EQ(ReadableFileName("/tmp/\xE9\x89\x84/\x83\x65\x83\x58\x83\x67.qzl"), "/tmp/鉄/テスト.qzl");
  EXPECT_EQ(ReadableFileName("a\xFF\x80.qzl"), "a\\xFF\\x80.qzl");
}

TEST(SaveFileSystem, NoErrorTextIsTheCLibrarys) {
  for (int error = 1; error < 134; ++error) {
    const std::string text = PlatformErrorText(error);
    SCOPED_TRACE(error);
    EXPECT_NE(text, std::strerror(error));
    EXPECT_TRUE(text.find("\xE3") != std::string::npos) << text;  // Japanese
  }
}

}  // namespace
}  // namespace yobina
