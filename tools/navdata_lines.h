#pragma once
// Lines of an input file of the navigation-data import, plain or gzip (told
// by its content, not its name), with line ends stripped and progress
// reported on stderr every tenth of the file.
#include <cstdint>
#include <string>

// Longer lines are cut here; no format of the import comes near it.
constexpr size_t NAVDATA_LINE_LIMIT = 64 * 1024;

struct NavdataLines {
  void* gz = nullptr;  // the zlib stream
  std::string label;   // file name for progress and messages
  uint64_t size = 0;   // bytes on disk
  int reported_tenth = 0;
  bool progress = false;
  long line_number = 0;
};

bool navdata_lines_open(NavdataLines* lines, const std::string& path, bool progress, std::string* error);
bool navdata_next_line(NavdataLines* lines, std::string* line);
void navdata_lines_close(NavdataLines* lines);
