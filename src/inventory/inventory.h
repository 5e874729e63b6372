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
// after checking that they are still there. Which rows were taken into which
// job, and which plans were kept, is recorded in the file too, so that a
// restart forgets neither: a plan is kept once, and a job's taken rows are
// known again when the job is opened again.
//
// Every error names the file. A file that may not be written (a read-only
// file or folder) is opened read-only: it can be listed and taken from, and
// only a change is refused.
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
  // long any operation waits for another connection's change to end. An
  // existing file that cannot be opened for writing is opened read-only, as
  // it is (an older layout is not upgraded). A full disk is said as such, and
  // leaves no side files (-wal, -shm) the opening made.
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
  // Opened read-only: every change is refused.
  bool ReadOnly() const { return readOnly_; }

  // Every entry of one section (matched exactly), or of all sections, by
  // section, length, date, source and id.
  InventoryResult<std::vector<OffcutEntry>> List(std::optional<std::string_view> section = std::nullopt);

  // The section's bars as rows for a stock list with `freeRows` free rows: one
  // row a length, the longest lengths first when not all fit. Changes nothing.
  InventoryResult<TakenOffcuts> Take(std::string_view section, int32_t freeRows);

  // In one transaction: checks that the plan (request.Plan, when given) was
  // not kept before (else AlreadyKept, naming the day it was) and that every
  // used entry still holds at least the bars used (else Changed, and nothing
  // is written), adds the new offcuts, then removes the used bars; an entry
  // left with no bars is deleted. A new offcut joins the entry of the same
  // section, length, source and date when there is one, else it makes a new
  // entry. The plan is remembered as kept, and the open taking of
  // request.Job is settled by it.
  InventoryResult<InventoryChanges> Keep(const KeepRequest& request);
  // What Keep would change now, with the same checks, writing nothing. The ids
  // of entries it would create are not final.
  InventoryResult<InventoryChanges> PreviewKeep(const KeepRequest& request);

  // Records the rows taken into the job with digest `job` (JobDigest of the
  // job as they were put into it), replacing an open record of the job.
  // Refused as AlreadyTaken, naming its day, when the job's taking was settled
  // by a keep: the same rows would be taken twice.
  InventoryResult<InventoryDone> RecordTaken(std::string_view job, const std::vector<PlacedOffcutRow>& rows,
                                             std::string_view date);
  // The rows recorded as taken into the job with digest `job`, if any.
  InventoryResult<std::optional<TakenRecord>> TakenInto(std::string_view job);

  // Removes bars of one entry (sold or scrapped), deleting it when none are
  // left. Removing more bars than the entry holds is refused as Changed: the
  // caller passes the count it showed, so bars another process added meanwhile
  // are never removed unseen.
  InventoryResult<InventoryChanges> Remove(EntryUse bars);

 private:
  enum class Access { ReadWrite, ReadOnly, Immutable };
  Inventory(sqlite3* connection, std::filesystem::path file);
  static InventoryResult<Inventory> OpenAs(const std::filesystem::path& absolute, Access access,
                                           std::chrono::milliseconds busyTimeout);
  InventoryResult<InventoryChanges> Apply(const KeepRequest& request, bool commit);
  // Throws the refusal of a change when the file was opened read-only.
  void CheckWritable() const;

  struct Closer {
    void operator()(sqlite3* connection) const;
  };
  std::unique_ptr<sqlite3, Closer> connection_;
  std::filesystem::path file_;
  bool readOnly_ = false;
  int64_t layout_ = 0;  // the file's layout version
};

// Which entries the bars a plan used of a taken row came from: the row's
// entries in order, oldest first. At most the row's count is given out.
std::vector<EntryUse> EntriesUsed(const TakenRow& row, int32_t barsUsed);

}  // namespace yobina
