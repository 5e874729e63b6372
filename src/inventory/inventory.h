// The offcut inventory: the long leftovers of past jobs, kept between jobs in
// an SQLite file that several windows and command-line runs may share.
//
// Every change runs in one immediate transaction, so two processes never lose
// or double a bar, and a process killed halfway leaves the file as it was
// before or after, never half changed. Nothing throws: failures come back as
// InventoryError values with Japanese texts.
//
// Taking offcuts for a job reads only; the inventory changes when the plan's
// offcuts are kept ("keep"), which also removes the entries the plan used,
// after checking that they are still there.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/inventory_error.h"
#include "inventory/offcut.h"

struct sqlite3;

namespace yobina {

inline constexpr std::chrono::milliseconds kInventoryBusyTimeout{5000};

// "$XDG_DATA_HOME/yobina/offcuts.sqlite3", or "$HOME/.local/share/..." when
// XDG_DATA_HOME is unset, empty or relative; none without a usable HOME either.
std::optional<std::filesystem::path> DefaultInventoryPath(const char* xdgDataHome, const char* home);
std::optional<std::filesystem::path> DefaultInventoryPath();  // from the environment

// Today in the local time zone, "YYYY-MM-DD".
std::string TodayDate();

// One connection to an inventory file; for one thread at a time.
class Inventory {
 public:
  // Opens the file, creating it (not its folder) when missing, and sets up or
  // upgrades its tables. Refuses a file that is not an inventory, one a later
  // version wrote, or one that fails SQLite's quick check. `busyTimeout` is how
  // long any operation waits for another connection's change to end.
  static InventoryResult<Inventory> Open(const std::filesystem::path& file,
                                         std::chrono::milliseconds busyTimeout = kInventoryBusyTimeout);
  // The default file, its folder created when missing.
  static InventoryResult<Inventory> OpenDefault();

  Inventory(Inventory&& other) noexcept;
  Inventory& operator=(Inventory&& other) noexcept;
  Inventory(const Inventory&) = delete;
  Inventory& operator=(const Inventory&) = delete;
  ~Inventory();

  const std::filesystem::path& File() const { return file_; }

  // Every entry of one section (matched exactly), or of all sections, by
  // section, length, date, source and id.
  InventoryResult<std::vector<OffcutEntry>> List(std::optional<std::string_view> section = std::nullopt);

  // The section's bars as rows for a stock list with `freeRows` free rows: one
  // row a length, the longest lengths first when not all fit. Changes nothing.
  InventoryResult<TakenOffcuts> Take(std::string_view section, int32_t freeRows);

  // In one transaction: checks that every used entry still holds at least the
  // bars used (else Changed, and nothing is written), adds the new offcuts,
  // then removes the used bars; an entry left with no bars is deleted. A new
  // offcut joins the entry of the same section, length, source and date when
  // there is one, else it makes a new entry.
  InventoryResult<InventoryChanges> Keep(const KeepRequest& request);
  // What Keep would change now, with the same checks, writing nothing. The ids
  // of entries it would create are not final.
  InventoryResult<InventoryChanges> PreviewKeep(const KeepRequest& request);

  // Removes bars of one entry (sold or scrapped), deleting it when none are
  // left. Removing more bars than the entry holds is refused as Changed: the
  // caller passes the count it showed, so bars another process added meanwhile
  // are never removed unseen.
  InventoryResult<InventoryChanges> Remove(EntryUse bars);

 private:
  Inventory(sqlite3* connection, std::filesystem::path file);
  InventoryResult<InventoryChanges> Apply(const KeepRequest& request, bool commit);

  struct Closer {
    void operator()(sqlite3* connection) const;
  };
  std::unique_ptr<sqlite3, Closer> connection_;
  std::filesystem::path file_;
};

// Which entries the bars a plan used of a taken row came from: the row's
// entries in order, oldest first. At most the row's count is given out.
std::vector<EntryUse> EntriesUsed(const TakenRow& row, int32_t barsUsed);

}  // namespace yobina
