// A second process for the inventory tests.
//   inventory_worker FILE rounds N OWN PREFERRED
//     N keeps, each using one stock bar and one offcut (of length PREFERRED
//     when there is one, else OWN, else none) and keeping two of length OWN; a
//     keep refused because another process took the bars is tried again. Prints
//     "kept" after each keep, then "used <offcuts used> refused <refusals>".
//   inventory_worker FILE pause
//     One such keep that prints "paused" just before it commits and waits
//     there to be killed.
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "inventory/inventory.h"
#include "inventory/worker_job.h"

namespace {

using namespace yobina;

bool armed = false;

int PauseBeforeCommit(void*) {
  if (armed) {
    std::puts("paused");
    std::fflush(stdout);
    for (;;) ::pause();
  }
  return 0;
}

int InstallPause(sqlite3* connection, char**, const sqlite3_api_routines*) {
  sqlite3_commit_hook(connection, PauseBeforeCommit, nullptr);
  return SQLITE_OK;
}

int Fail(const InventoryError& error) {
  std::fprintf(stderr, "%s\n", Cp932ToUtf8(error.Message).c_str());
  return 2;
}

void UseOne(const TakenOffcuts& taken, int32_t length, std::vector<EntryUse>& used) {
  for (const TakenRow& row : taken.Rows) {
    if (row.Length == length) {
      for (const EntryUse& bars : EntriesUsed(row, 1)) used.push_back(bars);
      return;
    }
  }
}

bool Has(const TakenOffcuts& taken, int32_t length) {
  for (const TakenRow& row : taken.Rows) {
    if (row.Length == length) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 2 ? argv[2] : "";
  if (mode == "pause") sqlite3_auto_extension(reinterpret_cast<void (*)()>(InstallPause));
  if ((mode != "pause" || argc != 3) && (mode != "rounds" || argc != 6)) {
    std::fputs("usage: inventory_worker FILE rounds N OWN PREFERRED | FILE pause\n", stderr);
    return 2;
  }
  const int rounds = mode == "pause" ? 1 : std::stoi(argv[3]);
  const int32_t own = mode == "pause" ? 1500 : std::stoi(argv[4]);
  const int32_t preferred = mode == "pause" ? 1500 : std::stoi(argv[5]);

  InventoryResult<Inventory> opened = Inventory::Open(argv[1]);
  if (!opened) return Fail(opened.Error());
  Inventory& inventory = opened.Value();
  armed = true;

  int usedOffcuts = 0;
  int refusals = 0;
  for (int round = 0; round < rounds; ++round) {
    for (;;) {
      const InventoryResult<TakenOffcuts> taken = inventory.Take(test::WorkerSection(), 100);
      if (!taken) return Fail(taken.Error());
      // A source of its own makes each round's bars a new entry, which both processes then go for.
      const std::string source = "worker " + std::to_string(own) + " round " + std::to_string(round);
      KeepRequest request{
          test::WorkerSection(), source, test::kWorkerDate, {{own, test::kWorkerNewBars}}, {}};
      UseOne(taken.Value(), test::kWorkerStockLength, request.Used);
      const int32_t offcut = Has(taken.Value(), preferred) ? preferred : own;
      const bool usesOffcut = Has(taken.Value(), offcut);
      UseOne(taken.Value(), offcut, request.Used);

      std::this_thread::sleep_for(std::chrono::milliseconds(1));  // planning, while the other process keeps
      const InventoryResult<InventoryChanges> kept = inventory.Keep(request);
      if (kept) {
        usedOffcuts += usesOffcut ? 1 : 0;
        break;
      }
      if (kept.Error().Fault != InventoryFault::Changed) return Fail(kept.Error());
      ++refusals;
    }
    std::puts("kept");
    std::fflush(stdout);
  }
  std::printf("used %d refused %d\n", usedOffcuts, refusals);
  return 0;
}
