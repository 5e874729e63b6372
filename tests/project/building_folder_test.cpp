// The output folder written as one run: an earlier run's files go, the user's
// stay, a second run at the same time is refused, a failed run changes nothing.
#include "project/building_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace yobina {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

fs::path FreshFolder(const char* name) {
  const fs::path folder = fs::path(testing::TempDir()) / name;
  fs::remove_all(folder);
  return folder;
}

TEST(BuildingFolder, TheFolderHoldsTheLastRunsFilesAndTheUsers) {
  const fs::path folder = FreshFolder("yobina-building-runs");
  {
    BuildingFolder first(folder);
    for (const char* name : {"purchase.csv", "001_A.qzl", "002_B.qzl", "003_C.qzl"})
      first.Write(name, "first");
    first.Commit();
  }
  Put(folder / "mine.txt", "the user's");
  Put(folder / "003_C.qzl", "edited since");                // no longer as yobina wrote it
  fs::create_directory(folder / ".yobina-staging-Xy12ab");  // a killed run's
  Put(folder / ".yobina-staging-Xy12ab" / "purchase.csv", "killed");

  {
    // A target the files cannot replace: refused by name, and nothing changes.
    fs::create_directory(folder / "summary.csv");
    BuildingFolder refused(folder);
    EXPECT_FALSE(fs::exists(folder / ".yobina-staging-Xy12ab"));
    refused.Write("purchase.csv", "refused");
    refused.Write("summary.csv", "refused");
    try {
      refused.Commit();
      ADD_FAILURE() << "a folder was replaced";
    } catch (const IoError& error) {
      EXPECT_NE(std::string(error.what()).find("summary.csv"), std::string::npos) << error.what();
    }
    fs::remove(folder / "summary.csv");
  }
  EXPECT_EQ(Read(folder / "purchase.csv"), "first");

  {
    BuildingFolder second(folder);
    second.Write("purchase.csv", "second");
    second.Write("001_A.qzl", "second");
    second.Commit();
  }
  EXPECT_EQ(Read(folder / "purchase.csv"), "second");
  EXPECT_EQ(Read(folder / "001_A.qzl"), "second");
  EXPECT_FALSE(fs::exists(folder / "002_B.qzl"));
  EXPECT_EQ(Read(folder / "003_C.qzl"), "edited since");
  EXPECT_EQ(Read(folder / "mine.txt"), "the user's");
  int entries = 0;
  for ([[maybe_unused]] const fs::directory_entry& entry : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 5);  // with the manifest; no lock, no staging folder
  fs::remove_all(folder);
}

TEST(BuildingFolder, ASecondRunIsRefusedAndAFailedOneLeavesNothing) {
  const fs::path folder = FreshFolder("yobina-building-busy");
  {
    BuildingFolder first(folder);
    first.Write("purchase.csv", "first");
    try {
      BuildingFolder second(folder);
      ADD_FAILURE() << "two runs at once";
    } catch (const FolderBusy& busy) {
      EXPECT_NE(std::string(busy.what()).find("出力フォルダは別の計画が書いています"), std::string::npos);
    }
  }  // never committed: the folder it made goes
  EXPECT_FALSE(fs::exists(folder));
  BuildingFolder again(folder);
  again.Commit();
  fs::remove_all(folder);
}

}  // namespace
}  // namespace yobina
