// Other processes at the same file: keeps from two processes at once, and
// processes killed in the middle of a keep.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include "file/temp_folder.h"
#include "inventory/child_process.h"
#include "inventory/inventory.h"
#include "inventory/worker_job.h"

namespace yobina {
namespace {

using test::ChildProcess;

struct Stock {
  std::filesystem::path File;
  Stock(const test::TempFolder& folder) : File(folder / "offcuts.sqlite3") {
    InventoryResult<Inventory> opened = Inventory::Open(File);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(opened.Value().Keep(KeepRequest{test::WorkerSection(),
                                                "seed",
                                                test::kWorkerDate,
                                                {{test::kWorkerStockLength, test::kWorkerStockBars}},
                                                {}}));
  }

  std::vector<std::string> Worker(const std::vector<std::string>& arguments) const {
    std::vector<std::string> command{YOBINA_INVENTORY_WORKER, File.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return command;
  }

  // Bars by length, after SQLite's own check of the file from another program.
  std::map<int32_t, int64_t> Bars() const {
    EXPECT_EQ(test::OutputOf({"sqlite3", File.string(), "PRAGMA integrity_check"}), "ok\n");
    InventoryResult<Inventory> opened = Inventory::Open(File);
    EXPECT_TRUE(opened);
    std::map<int32_t, int64_t> bars;
    for (const OffcutEntry& entry : opened.Value().List().Value()) bars[entry.Length] += entry.Count;
    return bars;
  }
};

TEST(InventoryProcesses, TwoProcessesKeepingAtOnceLoseAndDoubleNothing) {
  test::TempFolder folder;
  const Stock stock(folder);
  constexpr int kRounds = 100;
  // Both go for the oldest entry of 1001s, which only the first keeps: one
  // process's keep is often refused because the other took its last bar.
  ChildProcess first(stock.Worker({"rounds", std::to_string(kRounds), "1001", "1001"}));
  ChildProcess second(stock.Worker({"rounds", std::to_string(kRounds), "1002", "1001"}));

  int64_t offcutsUsed = 0;
  for (ChildProcess* worker : {&first, &second}) {
    int kept = 0;
    std::string last;
    while (std::optional<std::string> line = worker->ReadLine()) {
      if (*line == "kept") ++kept;
      last = *line;
    }
    EXPECT_EQ(worker->Wait(), 0);
    EXPECT_EQ(kept, kRounds);
    int used = 0, refused = 0;
    ASSERT_EQ(std::sscanf(last.c_str(), "used %d refused %d", &used, &refused), 2) << last;
    offcutsUsed += used;
    std::printf("worker used %d offcuts, %d keeps refused and tried again\n", used, refused);
  }

  const std::map<int32_t, int64_t> bars = stock.Bars();
  EXPECT_EQ(bars.at(test::kWorkerStockLength), test::kWorkerStockBars - 2 * kRounds);
  const int64_t offcutsLeft =
      (bars.contains(1001) ? bars.at(1001) : 0) + (bars.contains(1002) ? bars.at(1002) : 0);
  EXPECT_EQ(offcutsLeft, 2 * kRounds * test::kWorkerNewBars - offcutsUsed);
}

TEST(InventoryProcesses, KillInsideAKeepChangesNothing) {
  test::TempFolder folder;
  const Stock stock(folder);
  const std::map<int32_t, int64_t> before = stock.Bars();
  {
    ChildProcess worker(stock.Worker({"pause"}));
    ASSERT_EQ(worker.ReadLine(), "paused");

    // Its transaction holds the file meanwhile: a change here waits, then gives up.
    InventoryResult<Inventory> waiting = Inventory::Open(stock.File, std::chrono::milliseconds(200));
    ASSERT_TRUE(waiting);
    const InventoryResult<InventoryChanges> busy =
        waiting.Value().Keep(KeepRequest{test::WorkerSection(), "other", test::kWorkerDate, {{900, 1}}, {}});
    ASSERT_FALSE(busy);
    EXPECT_EQ(busy.Error().Fault, InventoryFault::Busy);

    worker.Kill();
    EXPECT_EQ(worker.Wait(), 128 + SIGKILL);
  }
  EXPECT_EQ(stock.Bars(), before);
}

TEST(InventoryProcesses, KillAtAnyMomentLeavesWholeKeeps) {
  test::TempFolder folder;
  const Stock stock(folder);
  std::mt19937 random(20240501);
  int keptSoFar = 0;
  for (int kill = 0; kill < 5; ++kill) {
    ChildProcess worker(stock.Worker({"rounds", "100000", "1001", "1001"}));
    const int waitFor = std::uniform_int_distribution<int>(1, 20)(random);
    for (int kept = 0; kept < waitFor; ++kept) ASSERT_EQ(worker.ReadLine(), "kept");
    std::this_thread::sleep_for(
        std::chrono::microseconds(std::uniform_int_distribution<int>(0, 3000)(random)));
    worker.Kill();
    while (worker.ReadLine()) ++keptSoFar;  // keeps reported before the kill
    worker.Wait();
    keptSoFar += waitFor;

    // Every keep uses one stock bar, so the stock tells how many keeps were
    // made whole: those reported, or one more that was killed only after its commit.
    const std::map<int32_t, int64_t> bars = stock.Bars();
    const int64_t keeps = test::kWorkerStockBars - bars.at(test::kWorkerStockLength);
    EXPECT_TRUE(keeps == keptSoFar || keeps == keptSoFar + 1)
        << keeps << " keeps, " << keptSoFar << " reported";
    keptSoFar = static_cast<int>(keeps);
    // The first keep finds no offcut; each later one uses one and keeps two.
    EXPECT_EQ(bars.at(1001), keeps + 1);
  }
}

}  // namespace
}  // namespace yobina
