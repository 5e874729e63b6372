#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "inventory/inventory.h"

namespace yobina {

std::optional<std::filesystem::path> DefaultInventoryPath(const char* xdgDataHome, const char* home) {
  std::filesystem::path dataHome;
  // A relative XDG_DATA_HOME is invalid and is to be ignored.
  if (xdgDataHome != nullptr && *xdgDataHome == '/') {
    dataHome = xdgDataHome;
  } else if (home != nullptr && *home == '/') {
    dataHome = std::filesystem::path(home) / ".local" / "share";
  } else {
    return std::nullopt;
  }
  return dataHome / "yobina" / "offcuts.sqlite3";
}

std::optional<std::filesystem::path> DefaultInventoryPath() {
  return DefaultInventoryPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string TodayDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[48];  // room for any year the C library may give
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return text;
}

}  // namespace yobina
