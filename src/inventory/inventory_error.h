// What the offcut inventory reports instead of throwing: every failure comes
// back as a value carrying a Japanese text the front ends show as is.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <variant>

namespace yobina {

enum class InventoryFault {
  CannotOpen,    // the file or its folder cannot be opened or created
  Busy,          // another window or process held the inventory past the busy timeout
  DiskFull,      // no room on the disk
  Corrupt,       // the file is damaged
  NotInventory,  // not a database, or another program's database
  NewerVersion,  // written by a later version of the program, whose layout this one does not know
  ReadOnly,      // the file or its folder may not be written
  Io,            // any other read or write failure
  Changed,       // the entries a change relies on were changed by another window or process
  BadRequest,    // the request itself cannot be carried out (no length, a count too large, ...)
  AlreadyKept,   // the plan's offcuts were kept before
  AlreadyTaken,  // the job's offcuts were taken, and kept, before
  Failed         // anything else
};

struct InventoryError {
  InventoryFault Fault = InventoryFault::Failed;
  std::string Message;  // code page 932
};

// The standard text of a fault.
InventoryError MakeInventoryError(InventoryFault fault);

// The error with the inventory's file named before its text: "<file>: <text>".
InventoryError NamingFile(InventoryError error, const std::filesystem::path& file);

// An empty value for the operations that have nothing else to return.
struct InventoryDone {};

// A value, or the error that kept it from being made.
template <typename T>
class [[nodiscard]] InventoryResult {
 public:
  InventoryResult(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  InventoryResult(InventoryError error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool Ok() const { return state_.index() == 0; }
  explicit operator bool() const { return Ok(); }

  // Only when Ok().
  T& Value() & { return std::get<0>(state_); }
  const T& Value() const& { return std::get<0>(state_); }
  T Value() && { return std::get<0>(std::move(state_)); }  // a value, so a temporary result never dangles

  // Only when !Ok().
  const InventoryError& Error() const { return std::get<1>(state_); }

 private:
  std::variant<T, InventoryError> state_;
};

}  // namespace yobina
