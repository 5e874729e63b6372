// Thin wrappers over the SQLite calls the inventory makes. Internal: a failed
// call throws InventoryFailure, which every public operation turns into its
// InventoryError, so the operations read as straight-line code.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "inventory/inventory_error.h"

namespace yobina::sqlite {

struct InventoryFailure {
  InventoryError Error;
};

// The fault behind an SQLite result code, and the system's error number
// behind a failed file operation (a full disk is said as such, whichever
// operation met it).
InventoryFault FaultOf(int resultCode, int systemError);

// Throws the failure for a result code that is neither OK, ROW nor DONE.
void Check(sqlite3* connection, int resultCode);

// Runs statements that return no rows.
void Execute(sqlite3* connection, const char* sql);

class Statement {
 public:
  Statement(sqlite3* connection, std::string_view sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  // Parameters count from 1.
  Statement& Bind(int parameter, int64_t value);
  Statement& Bind(int parameter, std::string_view utf8);

  // True with a row to read, false when done.
  bool Step();
  // Ready to run again with new parameters.
  void Reset();

  // Columns count from 0.
  int64_t Integer(int column) const;
  std::string Text(int column) const;  // UTF-8

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// Rolled back unless committed.
class Transaction {
 public:
  enum Kind {
    Read,  // a consistent view, while other connections may write
    // The write lock is taken at once (waiting up to the busy timeout), so no
    // other connection can change what this one reads before it writes.
    Write
  };
  Transaction(sqlite3* connection, Kind kind);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();

 private:
  sqlite3* connection_;
  bool open_ = true;
};

// The text of a single-valued statement such as a PRAGMA.
std::string SingleText(sqlite3* connection, const char* sql);
int64_t SingleInteger(sqlite3* connection, const char* sql);

}  // namespace yobina::sqlite

namespace yobina {

// Runs a public operation's body, turning whatever it throws into the
// operation's error value, which names the inventory's file.
template <typename Body>
auto Guarded(const std::filesystem::path& file, Body&& body) -> decltype(body()) {
  using Result = decltype(body());
  const auto named = [&](InventoryError error) -> Result { return NamingFile(std::move(error), file); };
  try {
    Result result = body();
    if (!result) return named(result.Error());
    return result;
  } catch (const sqlite::InventoryFailure& failure) {
    return named(failure.Error);
  } catch (const std::exception&) {
    return named(MakeInventoryError(InventoryFault::Failed));
  }
}

}  // namespace yobina
