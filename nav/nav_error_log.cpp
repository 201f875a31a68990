#include "nav/nav_error_log.h"

#include <cstdio>

void nav_log_error(const char* error_log, const std::string& line) {
  if (!error_log) {
    std::fputs(line.c_str(), stderr);
    return;
  }
  std::FILE* f = std::fopen(error_log, "a");
  if (!f) return;  // nowhere to report it; the data simply stays empty
  std::fputs(line.c_str(), f);
  std::fclose(f);
}
