#include "inventory/sqlite_statement.h"

#include <cerrno>

namespace yobina::sqlite {

InventoryFault FaultOf(int resultCode, int systemError) {
  const int primary = resultCode & 0xFF;
  const bool fileOperation = primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN || primary == SQLITE_FULL;
  // SQLite gives a full disk met while sizing its shared memory file as an I/O error.
  if (fileOperation && (systemError == ENOSPC || systemError == EDQUOT)) return InventoryFault::DiskFull;
  switch (primary) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return InventoryFault::Busy;
    case SQLITE_FULL:
      return InventoryFault::DiskFull;
    case SQLITE_CORRUPT:
      return InventoryFault::Corrupt;
    case SQLITE_NOTADB:
      return InventoryFault::NotInventory;
    case SQLITE_CANTOPEN:
      return InventoryFault::CannotOpen;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return InventoryFault::ReadOnly;
    case SQLITE_IOERR:
      return InventoryFault::Io;
    case SQLITE_CONSTRAINT:
      return InventoryFault::BadRequest;  // the only constraints are those on lengths and counts
    default:
      return InventoryFault::Failed;
  }
}

void Check(sqlite3* connection, int resultCode) {
  if (resultCode == SQLITE_OK || resultCode == SQLITE_ROW || resultCode == SQLITE_DONE) return;
  const int systemError = connection != nullptr ? sqlite3_system_errno(connection) : 0;
  throw InventoryFailure{MakeInventoryError(FaultOf(resultCode, systemError))};
}

void Execute(sqlite3* connection, const char* sql) {
  Check(connection, sqlite3_exec(connection, sql, nullptr, nullptr, nullptr));
}

Statement::Statement(sqlite3* connection, std::string_view sql) {
  Check(connection,
        sqlite3_prepare_v2(connection, sql.data(), static_cast<int>(sql.size()), &statement_, nullptr));
}

Statement::~Statement() {
  sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int parameter, int64_t value) {
  Check(sqlite3_db_handle(statement_), sqlite3_bind_int64(statement_, parameter, value));
  return *this;
}

Statement& Statement::Bind(int parameter, std::string_view utf8) {
  Check(sqlite3_db_handle(statement_),
        sqlite3_bind_text64(statement_, parameter, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
  return *this;
}

bool Statement::Step() {
  const int result = sqlite3_step(statement_);
  Check(sqlite3_db_handle(statement_), result);
  return result == SQLITE_ROW;
}

void Statement::Reset() {
  sqlite3_reset(statement_);  // repeats the last step's error, already thrown
  sqlite3_clear_bindings(statement_);
}

int64_t Statement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string Statement::Text(int column) const {
  const unsigned char* text = sqlite3_column_text(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  if (text == nullptr) return std::string();
  return std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
}

Transaction::Transaction(sqlite3* connection, Kind kind) : connection_(connection) {
  Execute(connection_, kind == Write ? "BEGIN IMMEDIATE" : "BEGIN");
}

Transaction::~Transaction() {
  // Some failures (a full disk, an I/O error) end the transaction themselves.
  if (open_ && sqlite3_get_autocommit(connection_) == 0)
    sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::Commit() {
  open_ = false;
  const int result = sqlite3_exec(connection_, "COMMIT", nullptr, nullptr, nullptr);
  if (result != SQLITE_OK) {
    open_ = true;  // a failed COMMIT may leave the transaction open; the destructor rolls it back
    Check(connection_, result);
  }
}

std::string SingleText(sqlite3* connection, const char* sql) {
  Statement statement(connection, sql);
  return statement.Step() ? statement.Text(0) : std::string();
}

int64_t SingleInteger(sqlite3* connection, const char* sql) {
  Statement statement(connection, sql);
  return statement.Step() ? statement.Integer(0) : 0;
}

}  // namespace yobina::sqlite
