#include "inventory/inventory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>

#include "file/temp_folder.h"
#include "inventory/child_process.h"
#include "text/codec.h"

namespace yobina {
namespace {

const std::string kSection = Cp932("Ｈ形鋼 200×100");

Inventory OpenOrFail(const std::filesystem::path& file) {
  InventoryResult<Inventory> opened = Inventory::Open(file);
  if (!opened) throw std::runtime_error(Cp932ToUtf8(opened.Error().Message));
  return std::move(opened).Value();
}

void Add(Inventory& inventory, const std::string& section, std::vector<NewOffcut> offcuts, const char* source,
         const char* date) {
  ASSERT_TRUE(inventory.Keep(KeepRequest{section, source, date, std::move(offcuts), {}}));
}

std::vector<OffcutEntry> Listed(Inventory& inventory) {
  InventoryResult<std::vector<OffcutEntry>> listed = inventory.List();
  EXPECT_TRUE(listed);
  return listed ? listed.Value() : std::vector<OffcutEntry>{};
}

// Bars of another steel never join an entry: each keeps its heat number
// through taking and the record of the taking.
TEST(Inventory, OffcutsKeepTheSteelOfTheirBars) {
  test::TempFolder folder;
  Inventory inventory = OpenOrFail(folder / "offcuts.sqlite3");
  const SteelTrace a{"SN490B", "A-1", "M-1"}, b{"", "B-2", ""};
  Add(inventory, kSection, {{3000, 2, a}, {3000, 1, b}, {3000, 1}}, "job-a.qzl", "2024-04-01");
  Add(inventory, kSection, {{3000, 1, a}}, "job-a.qzl", "2024-04-01");
  const std::vector<OffcutEntry> listed = Listed(inventory);
  ASSERT_EQ(listed.size(), 3U);
  std::map<std::string, int32_t> byHeat;
  for (const OffcutEntry& entry : listed) byHeat[entry.Trace.Heat] = entry.Count;
  EXPECT_EQ(byHeat, (std::map<std::string, int32_t>{{"", 1}, {"A-1", 3}, {"B-2", 1}}));

  const TakenRow row = inventory.Take(kSection, 1).Value().Rows.at(0);
  ASSERT_EQ(row.Count, 5);
  for (const EntryUse& entry : row.Entries) {
    const auto same =
        std::find_if(listed.begin(), listed.end(), [&](const OffcutEntry& e) { return e.Id == entry.Id; });
    ASSERT_NE(same, listed.end());
    EXPECT_EQ(entry.Trace, same->Trace);
  }
  ASSERT_TRUE(inventory.RecordTaken("job-b", {{0, row}}, "2024-04-02"));
  EXPECT_EQ(inventory.TakenInto("job-b").Value()->Rows.at(0).Taken, row);
}

TEST(Inventory, TakeThenKeepGivesTheExpectedRows) {
  test::TempFolder folder;
  Inventory inventory = OpenOrFail(folder / "offcuts.sqlite3");
  Add(inventory, kSection, {{3000, 2}, {1200, 3}}, "job-a.qzl", "2024-04-01");
  Add(inventory, kSection, {{3000, 1}, {4500, 1}}, "job-b.qzl", "2024-04-02");
  Add(inventory, "L-50", {{2000, 4}}, "job-a.qzl", "2024-04-01");
  const std::vector<OffcutEntry> seeded = Listed(inventory);
  ASSERT_EQ(seeded.size(), 5U);
  const int64_t a3000 = seeded[2].Id, b3000 = seeded[3].Id, b4500 = seeded[4].Id;

  // Two free rows: the two longest lengths, one row each, the older entry first.
  const InventoryResult<TakenOffcuts> taken = inventory.Take(kSection, 2);
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken.Value().Rows,
            (std::vector<TakenRow>{{3000, 3, {{a3000, 2}, {b3000, 1}}}, {4500, 1, {{b4500, 1}}}}));
  EXPECT_EQ(taken.Value().RowsLeftOut, 1);
  EXPECT_EQ(taken.Value().BarsLeftOut, 3);
  EXPECT_EQ(Listed(inventory), seeded);

  // The plan used two 3000s and the 4500, and left a 1850 and a 3000.
  std::vector<EntryUse> used = EntriesUsed(taken.Value().Rows[0], 2);
  used.push_back({b4500, 1});
  const KeepRequest keep{kSection, "job-c.qzl", "2024-05-01", {{1850, 1}, {3000, 1}}, used};
  const InventoryResult<InventoryChanges> preview = inventory.PreviewKeep(keep);
  ASSERT_TRUE(preview);
  EXPECT_EQ(Listed(inventory), seeded);

  const InventoryResult<InventoryChanges> kept = inventory.Keep(keep);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept.Value().BarsAdded, 2);
  EXPECT_EQ(kept.Value().BarsRemoved, 3);
  ASSERT_EQ(kept.Value().Changes.size(), 4U);
  EXPECT_EQ(kept.Value().Changes[0].Entry.Length, 1850);
  EXPECT_EQ(kept.Value().Changes[0].CountBefore, 0);
  EXPECT_EQ(kept.Value().Changes[1].Entry,
            (OffcutEntry{a3000, kSection, 3000, 0, "job-a.qzl", "2024-04-01"}));
  EXPECT_EQ(kept.Value().Changes[1].CountBefore, 2);
  EXPECT_EQ(kept.Value().Changes[3].Entry.Id, b4500);
  EXPECT_EQ(kept.Value().Changes[3].Entry.Count, 0);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(preview.Value().Changes[i].Entry.Count, kept.Value().Changes[i].Entry.Count) << i;
  }

  const InventoryResult<std::vector<OffcutEntry>> section = inventory.List(kSection);
  ASSERT_TRUE(section);
  std::vector<std::pair<int32_t, int32_t>> rows;
  for (const OffcutEntry& entry : section.Value()) rows.emplace_back(entry.Length, entry.Count);
  EXPECT_EQ(rows, (std::vector<std::pair<int32_t, int32_t>>{{1200, 3}, {1850, 1}, {3000, 1}, {3000, 1}}));
  EXPECT_EQ(section.Value()[0].Section, kSection);

  // New bars of the same kind join their entry; the file reads as UTF-8 in the sqlite3 shell.
  Add(inventory, kSection, {{1850, 2}}, "job-c.qzl", "2024-05-01");
  EXPECT_EQ(inventory.List(kSection).Value()[1].Count, 3);
  EXPECT_EQ(test::OutputOf({"sqlite3", (folder / "offcuts.sqlite3").string(),
                            "SELECT DISTINCT section FROM offcut ORDER BY 1"}),
            "L-50\nＨ形鋼 200×100\n");
}

TEST(Inventory, KeepAndRemoveRefuseWhenAnotherConnectionTookTheBars) {
  test::TempFolder folder;
  Inventory window = OpenOrFail(folder / "offcuts.sqlite3");
  Inventory other = OpenOrFail(folder / "offcuts.sqlite3");
  Add(window, kSection, {{3000, 2}}, "job-a.qzl", "2024-04-01");
  const TakenRow row = window.Take(kSection, 10).Value().Rows.at(0);

  // The other window uses one of the two bars first.
  ASSERT_TRUE(other.Keep(KeepRequest{kSection, "job-b.qzl", "2024-04-02", {}, EntriesUsed(row, 1)}));
  const std::vector<OffcutEntry> before = Listed(window);

  const KeepRequest keep{kSection, "job-c.qzl", "2024-05-01", {{900, 1}}, EntriesUsed(row, 2)};
  for (const InventoryResult<InventoryChanges>& refused : {window.PreviewKeep(keep), window.Keep(keep)}) {
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.Error().Fault, InventoryFault::Changed);
    EXPECT_NE(refused.Error().Message.find(Cp932("残材在庫が他で変更されたため、記録できません。")),
              std::string::npos);
  }
  EXPECT_EQ(window.Remove(row.Entries[0]).Error().Fault, InventoryFault::Changed);
  EXPECT_EQ(Listed(window), before);

  // The one bar still there may be used.
  EXPECT_TRUE(window.Keep(KeepRequest{kSection, "job-c.qzl", "2024-05-01", {}, EntriesUsed(row, 1)}));
  EXPECT_TRUE(Listed(other).empty());
}

TEST(Inventory, FaultsComeBackAsValues) {
  test::TempFolder folder;
  const auto faultOpening = [](const std::filesystem::path& file) {
    const InventoryResult<Inventory> opened = Inventory::Open(file);
    EXPECT_FALSE(opened.Ok() || opened.Error().Message.empty());
    return opened ? InventoryFault::Failed : opened.Error().Fault;
  };
  EXPECT_EQ(faultOpening(folder / "missing" / "offcuts.sqlite3"), InventoryFault::CannotOpen);
  EXPECT_EQ(faultOpening(""), InventoryFault::CannotOpen);
  test::WriteBytes(folder / "text.sqlite3", "not a database at all, but long enough to have a header......");
  EXPECT_EQ(faultOpening(folder / "text.sqlite3"), InventoryFault::NotInventory);
  test::OutputOf({"sqlite3", (folder / "other.sqlite3").string(), "CREATE TABLE t(x)"});
  EXPECT_EQ(faultOpening(folder / "other.sqlite3"), InventoryFault::NotInventory);

  const std::filesystem::path file = folder / "offcuts.sqlite3";
  {
    Inventory inventory = OpenOrFail(file);
    std::vector<NewOffcut> many;
    for (int32_t length = 1000; length < 3000; ++length) many.push_back({length, 1});
    Add(inventory, kSection, many, "job-a.qzl", "2024-04-01");
    const KeepRequest bad{kSection, "job-a.qzl", "2024-02-30", {{1000, 1}}, {}};
    EXPECT_EQ(inventory.Keep(bad).Error().Fault, InventoryFault::BadRequest);
    EXPECT_EQ(inventory.Keep({kSection, "x", "2024-04-01", {{0, 1}}, {}}).Error().Fault,
              InventoryFault::BadRequest);
    EXPECT_EQ(inventory.Keep({kSection, "job-a.qzl", "2024-04-01", {{1000, 2147483647}}, {}}).Error().Fault,
              InventoryFault::BadRequest);
    EXPECT_EQ(inventory.Keep({"\x81", "x", "2024-04-01", {{1000, 1}}, {}}).Error().Fault,
              InventoryFault::BadRequest);
  }
  test::OutputOf({"sqlite3", file.string(), "PRAGMA user_version = 99"});
  EXPECT_EQ(faultOpening(file), InventoryFault::NewerVersion);
  test::OutputOf({"sqlite3", file.string(), "PRAGMA user_version = 2"});
  std::string bytes = test::ReadBytes(file);
  ASSERT_GT(bytes.size(), 5 * 4096U);
  bytes.replace(3 * 4096, 4096, 4096, '\x5A');  // a page of the table garbled
  test::WriteBytes(file, bytes);
  EXPECT_EQ(faultOpening(file), InventoryFault::Corrupt);
}

TEST(Inventory, DefaultFileFollowsTheDataFolder) {
  EXPECT_EQ(DefaultInventoryPath("/x/data", "/home/u"), "/x/data/yobina/offcuts.sqlite3");
  EXPECT_EQ(DefaultInventoryPath("", "/home/u"), "/home/u/.local/share/yobina/offcuts.sqlite3");
  EXPECT_EQ(DefaultInventoryPath("relative", "/home/u"), "/home/u/.local/share/yobina/offcuts.sqlite3");
  EXPECT_EQ(DefaultInventoryPath(nullptr, nullptr), std::nullopt);
}

}  // namespace
}  // namespace yobina
