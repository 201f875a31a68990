#pragma once
// The shared real-data folder of the tests ("../shared/data" beside the source
// tree), or the folder COCKPIT_SHARED_DATA names. Tests that need it skip
// when it is absent: a user's clone has none.
#include <cstdlib>
#include <filesystem>

inline std::filesystem::path shared_data_dir() {
  const char* named = std::getenv("COCKPIT_SHARED_DATA");
  if (named && *named) return named;
  return std::filesystem::path(COCKPIT_SOURCE_DIR) / ".." / "shared" / "data";
}
