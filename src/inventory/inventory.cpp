#include "inventory/inventory.h"

#include <sqlite3.h>

#include <algorithm>
#include <string_view>
#include <system_error>
#include <utility>

#include "inventory/offcut_table.h"
#include "inventory/sqlite_statement.h"
#include "inventory/stored_text.h"
#include "text/codec.h"

namespace yobina {

void Inventory::Closer::operator()(sqlite3* connection) const {
  sqlite3_close_v2(connection);
}

Inventory::Inventory(sqlite3* connection, std::filesystem::path file)
    : connection_(connection), file_(std::move(file)) {}
Inventory::Inventory(Inventory&& other) noexcept = default;
Inventory& Inventory::operator=(Inventory&& other) noexcept = default;
Inventory::~Inventory() = default;

namespace {

// Which of the file and SQLite's side files were there before an opening.
struct Presence {
  bool Main = false;
  bool Wal = false;
  bool Shm = false;
  bool WalWithChanges = false;  // a log not yet written back into the file
};

std::filesystem::path Beside(const std::filesystem::path& file, const char* suffix) {
  return std::filesystem::path(file.native() + suffix);
}

Presence PresenceOf(const std::filesystem::path& file) {
  std::error_code error;
  Presence presence;
  presence.Main = std::filesystem::exists(file, error);
  presence.Wal = std::filesystem::exists(Beside(file, "-wal"), error);
  presence.Shm = std::filesystem::exists(Beside(file, "-shm"), error);
  presence.WalWithChanges =
      presence.Wal && std::filesystem::file_size(Beside(file, "-wal"), error) > 0 && !error;
  return presence;
}

// After an opening that failed for a full disk: the side files it made, and
// the file when it made it and wrote nothing into it, are removed, so that the
// full disk is not left fuller. Another connection cannot be using them: it
// would have found the disk just as full.
void RemoveWhatOpeningMade(const std::filesystem::path& file, const Presence& before) {
  std::error_code error;
  if (!before.Wal) std::filesystem::remove(Beside(file, "-wal"), error);
  if (!before.Shm) std::filesystem::remove(Beside(file, "-shm"), error);
  if (!before.Main && std::filesystem::file_size(file, error) == 0 && !error)
    std::filesystem::remove(file, error);
}

// Faults that a file or folder that may not be written can give on opening.
bool MayBeReadOnly(InventoryFault fault) {
  return fault == InventoryFault::ReadOnly || fault == InventoryFault::CannotOpen ||
         fault == InventoryFault::Io;
}

// "file:" and the path, every byte but the plain ones escaped, and a query.
std::string FileUri(const std::filesystem::path& absolute, std::string_view query) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (const char c : absolute.native()) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
        c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      uri += c;
    } else {
      uri += '%';
      uri += kHex[byte >> 4];
      uri += kHex[byte & 0xF];
    }
  }
  return uri.append("?").append(query);
}

}  // namespace

InventoryResult<Inventory> Inventory::Open(const std::filesystem::path& file,
                                           std::chrono::milliseconds busyTimeout) {
  if (file.empty())
    return MakeInventoryError(InventoryFault::CannotOpen);  // SQLite would open a temporary file
  // Absolute, so that names SQLite treats specially (":memory:", "file:...") stay file names.
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(file, error);
  if (error) return NamingFile(MakeInventoryError(InventoryFault::CannotOpen), file);

  const Presence before = PresenceOf(absolute);
  InventoryResult<Inventory> opened = OpenAs(absolute, Access::ReadWrite, busyTimeout);
  if (!opened && before.Main && MayBeReadOnly(opened.Error().Fault)) {
    // A read-only folder: SQLite cannot make its side files beside the file.
    InventoryResult<Inventory> reading = OpenAs(absolute, Access::ReadOnly, busyTimeout);
    // A file in WAL mode is then read only as one nobody changes, which holds
    // while no log of changes lies beside it.
    if (!reading && reading.Error().Fault == InventoryFault::CannotOpen && !before.WalWithChanges)
      reading = OpenAs(absolute, Access::Immutable, busyTimeout);
    if (reading) return reading;
  }
  if (!opened && opened.Error().Fault == InventoryFault::DiskFull) {
    RemoveWhatOpeningMade(absolute, before);
    return NamingFile(
        InventoryError{InventoryFault::DiskFull, Cp932("ディスクに空きがないため、残材在庫を開けません。")},
        absolute);
  }
  return opened;
}

InventoryResult<Inventory> Inventory::OpenAs(const std::filesystem::path& absolute, Access access,
                                             std::chrono::milliseconds busyTimeout) {
  return Guarded(absolute, [&]() -> InventoryResult<Inventory> {
    std::string name = absolute.native();
    int flags = SQLITE_OPEN_EXRESCODE;
    switch (access) {
      case Access::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
      case Access::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
      case Access::Immutable:
        flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        name = FileUri(absolute, "immutable=1");
        break;
    }
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
    Inventory inventory(raw, absolute);  // closes the handle SQLite gives even on failure
    sqlite::Check(raw, opened);
    sqlite3_busy_timeout(raw, static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(
                                  busyTimeout.count(), 0, 1000 * 60 * 60)));
    sqlite::Execute(raw, "PRAGMA foreign_keys = ON");
    // SQLite opens a write-protected file read-only even when asked to write.
    inventory.readOnly_ = sqlite3_db_readonly(raw, "main") == 1;
    // Readers and one writer then work side by side. Where the file system
    // gives no shared memory SQLite stays with its rollback journal, which
    // keeps changes just as whole.
    if (!inventory.readOnly_) sqlite::SingleText(raw, "PRAGMA journal_mode = WAL");
    inventory.layout_ = PrepareOffcutTable(raw, !inventory.readOnly_);
    if (sqlite::SingleText(raw, "PRAGMA quick_check") != "ok")
      return MakeInventoryError(InventoryFault::Corrupt);
    return inventory;
  });
}

void Inventory::CheckWritable() const {
  if (!readOnly_) return;
  throw sqlite::InventoryFailure{InventoryError{
      InventoryFault::ReadOnly, Cp932("残材在庫のファイルかフォルダが読み取り専用のため、変更できません。")}};
}

InventoryResult<Inventory> Inventory::OpenDefault() {
  const std::optional<std::filesystem::path> file = DefaultInventoryPath();
  if (!file) {
    return InventoryError{InventoryFault::CannotOpen,
                          Cp932("利用者のデータフォルダが分からないため、残材在庫を開けません。")};
  }
  std::error_code error;
  std::filesystem::create_directories(file->parent_path(), error);
  if (error) return NamingFile(MakeInventoryError(InventoryFault::CannotOpen), *file);
  return Open(*file);
}

InventoryResult<std::vector<OffcutEntry>> Inventory::List(std::optional<std::string_view> section) {
  return Guarded(file_, [&]() -> InventoryResult<std::vector<OffcutEntry>> {
    std::vector<OffcutEntry> entries;
    if (layout_ == 0) return entries;  // an empty file, opened read-only
    std::string sql = "SELECT " + EntryColumns(layout_) + " FROM offcut";
    if (section) sql += " WHERE section = ?1";
    sql += " ORDER BY section, length, registered, source, id";
    sqlite::Statement select(connection_.get(), sql);
    if (section) {
      const std::optional<std::string> stored = StoredSection(*section);
      if (!stored) return entries;  // no stored name has such bytes
      select.Bind(1, *stored);
    }
    while (select.Step()) entries.push_back(ReadEntry(select));
    return entries;
  });
}

}  // namespace yobina
