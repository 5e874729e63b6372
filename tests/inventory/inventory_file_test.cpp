// The inventory file over time and under faults: what it remembers across
// connections, older layouts, a read-only folder and a full disk.
#include <gtest/gtest.h>

#include <fstream>

#include "file/temp_folder.h"
#include "inventory/child_process.h"
#include "inventory/inventory.h"
#include "inventory/tmpfs_mount.h"
#include "text/codec.h"

namespace yobina {
namespace {

namespace fs = std::filesystem;

const std::string kSection = Cp932("Ｈ形鋼 200×100");

Inventory OpenOrFail(const fs::path& file) {
  InventoryResult<Inventory> opened = Inventory::Open(file);
  if (!opened) throw std::runtime_error(Cp932ToUtf8(opened.Error().Message));
  return std::move(opened).Value();
}

std::vector<OffcutEntry> Listed(Inventory& inventory) {
  InventoryResult<std::vector<OffcutEntry>> listed = inventory.List();
  EXPECT_TRUE(listed);
  return listed ? listed.Value() : std::vector<OffcutEntry>{};
}

bool Contains(const std::string& cp932, std::string_view utf8) {
  return Cp932ToUtf8(cp932).find(utf8) != std::string::npos;
}

TEST(InventoryFile, KeepsAndTakingsOutliveTheConnection) {
  test::TempFolder folder;
  const fs::path file = folder / "offcuts.sqlite3";
  std::vector<PlacedOffcutRow> placed;
  {
    Inventory first = OpenOrFail(file);
    ASSERT_TRUE(first.Keep(KeepRequest{kSection, "job-a.qzl", "2024-04-01", {{3000, 2}}, {}, "plan-a"}));
    const TakenRow row = first.Take(kSection, 5).Value().Rows.at(0);
    placed = {{1, row}};
    ASSERT_TRUE(first.RecordTaken("job-b", placed, "2024-04-02"));
  }

  // A restart: a new connection knows both.
  Inventory again = OpenOrFail(file);
  const std::vector<OffcutEntry> before = Listed(again);
  const KeepRequest same{kSection, "job-a.qzl", "2024-04-03", {{3000, 2}}, {}, "plan-a"};
  for (const InventoryResult<InventoryChanges>& refused : {again.PreviewKeep(same), again.Keep(same)}) {
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().Fault, InventoryFault::AlreadyKept);
    EXPECT_TRUE(Contains(refused.Error().Message, "この計画の残材は 2024-04-01 に在庫へ記録済みです。"));
  }
  EXPECT_EQ(Listed(again), before);
  const InventoryResult<std::optional<TakenRecord>> taken = again.TakenInto("job-b");
  ASSERT_TRUE(taken && taken.Value());
  EXPECT_EQ(taken.Value()->Rows, placed);
  EXPECT_EQ(taken.Value()->Date, "2024-04-02");
  EXPECT_FALSE(taken.Value()->Kept);
  EXPECT_FALSE(again.TakenInto("job-c").Value());

  // Job b's plan uses one taken bar: the taking is settled, and the same rows
  // cannot be recorded as taken into that job again.
  KeepRequest keep{kSection, "job-b.qzl", "2024-04-05", {}, EntriesUsed(placed[0].Taken, 1),
                   "plan-b", "job-b"};
  ASSERT_TRUE(again.Keep(keep));
  EXPECT_TRUE(again.TakenInto("job-b").Value()->Kept);
  const InventoryResult<InventoryDone> twice = again.RecordTaken("job-b", placed, "2024-04-06");
  ASSERT_FALSE(twice);
  EXPECT_EQ(twice.Error().Fault, InventoryFault::AlreadyTaken);
  EXPECT_TRUE(Contains(twice.Error().Message, "2024-04-02"));
  EXPECT_EQ(Listed(again).at(0).Count, 1);
}

// Files as the earlier versions wrote them: the offcuts (version 1), then the
// plans kept and the rows taken (version 2); the top id was deleted since.
std::string OlderFile(int version) {
  std::string sql =
      "CREATE TABLE offcut (id INTEGER PRIMARY KEY AUTOINCREMENT, section TEXT NOT NULL,"
      " length INTEGER NOT NULL CHECK (length BETWEEN 1 AND 2147483647),"
      " count INTEGER NOT NULL CHECK (count BETWEEN 1 AND 2147483647), source TEXT NOT NULL,"
      " registered TEXT NOT NULL, UNIQUE (section, length, source, registered));"
      "INSERT INTO offcut (section, length, count, source, registered) VALUES"
      " ('L-50', 2000, 4, 'a.qzl', '2023-01-02'), ('L-50', 2500, 1, 'b.qzl', '2023-02-03'),"
      " ('H-200', 6000, 2, 'c.qzl', '2023-03-04'), ('H-200', 7000, 1, 'x.qzl', '2023-03-05');"
      "DELETE FROM offcut WHERE id = 4;";
  if (version == 2) {
    sql +=
        "CREATE TABLE kept_plan (plan TEXT PRIMARY KEY, kept TEXT NOT NULL, section TEXT NOT NULL,"
        " source TEXT NOT NULL);"
        "CREATE TABLE taken (id INTEGER PRIMARY KEY AUTOINCREMENT, job TEXT NOT NULL, taken TEXT NOT NULL,"
        " plan TEXT REFERENCES kept_plan (plan), row INTEGER NOT NULL, length INTEGER NOT NULL,"
        " count INTEGER NOT NULL, entry INTEGER NOT NULL, bars INTEGER NOT NULL);"
        "CREATE INDEX taken_job ON taken (job);"
        "INSERT INTO kept_plan VALUES ('plan-c', '2023-03-04', 'H-200', 'c.qzl');"
        "INSERT INTO taken (job, taken, plan, row, length, count, entry, bars)"
        " VALUES ('job-d', '2023-04-01', NULL, 2, 2000, 4, 1, 4);";
  }
  return sql + "PRAGMA application_id = 1497517891; PRAGMA user_version = " + std::to_string(version) + ";";
}

TEST(InventoryFile, OlderLayoutsAreUpgradedKeepingEveryRow) {
  for (const int version : {1, 2}) {
    SCOPED_TRACE(version);
    test::TempFolder folder;
    const fs::path file = folder / "offcuts.sqlite3";
    test::OutputOf({"sqlite3", file.string(), OlderFile(version)});
    Inventory inventory = OpenOrFail(file);
    EXPECT_EQ(test::OutputOf({"sqlite3", file.string(), "PRAGMA user_version"}), "3\n");
    EXPECT_EQ(Listed(inventory), (std::vector<OffcutEntry>{{3, "H-200", 6000, 2, "c.qzl", "2023-03-04"},
                                                           {1, "L-50", 2000, 4, "a.qzl", "2023-01-02"},
                                                           {2, "L-50", 2500, 1, "b.qzl", "2023-02-03"}}));
    // The deleted id is not given again, and an offcut of another heat is an entry of its own.
    const InventoryResult<InventoryChanges> kept = inventory.Keep(KeepRequest{
        "L-50", "a.qzl", "2023-01-02", {{2000, 1, SteelTrace{"SS400", "H1", "M1"}}}, {}, "plan-e"});
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept.Value().Changes.at(0).Entry.Id, 5);
    EXPECT_EQ(Listed(inventory).at(2).Trace.Heat, "H1");
    if (version == 2) {
      const InventoryResult<std::optional<TakenRecord>> taken = inventory.TakenInto("job-d");
      ASSERT_TRUE(taken && taken.Value());
      EXPECT_EQ(taken.Value()->Rows, (std::vector<PlacedOffcutRow>{{2, TakenRow{2000, 4, {{1, 4}}}}}));
      const InventoryResult<InventoryChanges> again =
          inventory.Keep(KeepRequest{"H-200", "c.qzl", "2024-01-01", {{900, 1}}, {}, "plan-c"});
      ASSERT_FALSE(again);
      EXPECT_EQ(again.Error().Fault, InventoryFault::AlreadyKept);
    }
  }
}

// Listing and taking read; only a change is refused, naming the file.
TEST(InventoryFile, ReadOnlyFolderIsListedAndRefusesOnlyAChange) {
  test::TempFolder folder;
  const fs::path mounted = folder / "ro";
  fs::create_directory(mounted);
  test::TmpfsMount disk(mounted, 1 << 20);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  const fs::path file = mounted / "offcuts.sqlite3";
  {
    Inventory inventory = OpenOrFail(file);
    ASSERT_TRUE(inventory.Keep(KeepRequest{kSection, "job-a.qzl", "2024-04-01", {{3000, 2}}, {}}));
  }
  ASSERT_TRUE(disk.MakeReadOnly());

  Inventory inventory = OpenOrFail(file);
  EXPECT_TRUE(inventory.ReadOnly());
  ASSERT_EQ(Listed(inventory).size(), 1U);
  EXPECT_EQ(inventory.Take(kSection, 5).Value().Rows.size(), 1U);
  const InventoryResult<InventoryChanges> refused =
      inventory.Keep(KeepRequest{kSection, "job-b.qzl", "2024-04-02", {{900, 1}}, {}});
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.Error().Fault, InventoryFault::ReadOnly);
  EXPECT_TRUE(Contains(refused.Error().Message, file.string() + ": "));
  EXPECT_TRUE(Contains(refused.Error().Message, "読み取り専用"));
  EXPECT_FALSE(fs::exists(mounted / "offcuts.sqlite3-wal"));
}

TEST(InventoryFile, FullDiskIsSaidAndLeavesNoSideFiles) {
  test::TempFolder folder;
  const fs::path mounted = folder / "full";
  fs::create_directory(mounted);
  test::TmpfsMount disk(mounted, 256 << 10);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  const fs::path file = mounted / "offcuts.sqlite3";
  {
    Inventory inventory = OpenOrFail(file);
    ASSERT_TRUE(inventory.Keep(KeepRequest{kSection, "job-a.qzl", "2024-04-01", {{3000, 2}}, {}}));
  }
  const std::string before = test::ReadBytes(file);
  {
    std::ofstream filler(mounted / "filler", std::ios::binary);
    const std::string block(4096, 'f');
    while (filler.write(block.data(), block.size())) {
    }
  }
  for (const fs::path& opened : {file, mounted / "new.sqlite3"}) {
    SCOPED_TRACE(opened);
    const InventoryResult<Inventory> full = Inventory::Open(opened);
    ASSERT_FALSE(full);
    EXPECT_EQ(full.Error().Fault, InventoryFault::DiskFull);
    EXPECT_TRUE(Contains(full.Error().Message, opened.string() + ": ディスクに空きがないため"));
    EXPECT_FALSE(fs::exists(opened.string() + "-wal"));
    EXPECT_FALSE(fs::exists(opened.string() + "-shm"));
  }
  EXPECT_EQ(test::ReadBytes(file), before);
  EXPECT_FALSE(fs::exists(mounted / "new.sqlite3"));
}

}  // namespace
}  // namespace yobina
