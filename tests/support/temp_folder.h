#pragma once
// An empty folder of the test's own under the temporary directory, named
// after the test and the process so that parallel runs never meet; removed
// when the object goes.
#include <unistd.h>

#include <filesystem>
#include <string>

struct TempFolder {
  std::filesystem::path path;
  explicit TempFolder(const std::string& tag)
      : path(std::filesystem::temp_directory_path() / (tag + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
};
