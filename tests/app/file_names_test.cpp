#include "app/file_names.h"

#include <gtest/gtest.h>

#include <vector>

#include "file/temp_folder.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, QzlInAnyCaseIsKeptAndFoundInAnyCase) {
  struct Case {
    std::vector<const char*> Existing;
    const char* Typed;
    const char* Expected;
  };
  const Case cases[] = {
      {{}, "job", "job.QZL"},
      {{}, "job.txt", "job.QZL"},
      {{}, "job.qzl", "job.qzl"},  // as typed, so that other programs find it by that name
      {{}, "job.Qzl", "job.Qzl"},
      {{}, "job.tar.gz", "job.tar.QZL"},
      {{"job.qzl"}, "job", "job.qzl"},
      {{"job.qzl"}, "job.QZL", "job.qzl"},
      {{"job.QZL"}, "job.qzl", "job.QZL"},
      {{"job.qzl", "job.QZL"}, "job.qzl", "job.qzl"},
      {{"job.Qzl", "job.qzl"}, "job.txt", "job.qzl"},
      {{"job.Qzl"}, "job", "job.Qzl"},
      {{"job.qzl", "job.QZL"}, "job", "job.QZL"},
      {{"Job.qzl"}, "job", "job.QZL"},  // only the extension's case is forgiven
      {{"job.qzlx"}, "job", "job.QZL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Typed);
    test::TempFolder folder;
    for (const char* name : c.Existing) test::WriteBytes(folder / name, "x");
    EXPECT_EQ(JobFileName(folder / c.Typed), folder / c.Expected);
  }
}

TEST(FileNames, WritableFolder) {
  test::TempFolder folder;
  EXPECT_EQ(ChooseWritableFolder(folder.Path(), folder / "fallback"), folder.Path());
  EXPECT_EQ(ChooseWritableFolder(folder / "missing", folder / "fallback"), folder / "fallback");
  EXPECT_TRUE(fs::is_directory(folder / "fallback"));
}

}  // namespace
}  // namespace yobina
