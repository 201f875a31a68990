#include "tools/navdata_lines.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr int CHUNK = 16 * 1024;
constexpr int TENTHS = 10;

void report_progress(NavdataLines* lines) {
  if (!lines->progress || lines->size == 0) return;
  const z_off_t at = gzoffset(static_cast<gzFile>(lines->gz));
  if (at < 0) return;
  const int tenth = static_cast<int>(static_cast<uint64_t>(at) * TENTHS / lines->size);
  if (tenth <= lines->reported_tenth || tenth > TENTHS) return;
  lines->reported_tenth = tenth;
  std::fprintf(stderr, "navdata: %s %d%%\n", lines->label.c_str(), tenth * TENTHS);
}

}  // namespace

bool navdata_lines_open(NavdataLines* lines, const std::string& path, bool progress, std::string* error) {
  *lines = NavdataLines();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    *error = path + ": no such file";
    return false;
  }
  lines->size = std::filesystem::file_size(path, ec);
  gzFile gz = gzopen(path.c_str(), "rb");  // reads plain files as they are
  if (!gz) {
    *error = path + ": cannot be opened";
    return false;
  }
  gzbuffer(gz, 128 * 1024);
  lines->gz = gz;
  lines->label = std::filesystem::path(path).filename().string();
  lines->progress = progress;
  return true;
}

bool navdata_next_line(NavdataLines* lines, std::string* line) {
  line->clear();
  gzFile gz = static_cast<gzFile>(lines->gz);
  if (!gz) return false;
  char chunk[CHUNK];
  bool any = false;
  while (gzgets(gz, chunk, sizeof chunk)) {
    any = true;
    size_t n = std::strlen(chunk);
    const bool ended = n > 0 && chunk[n - 1] == '\n';
    if (ended) --n;
    if (line->size() < NAVDATA_LINE_LIMIT) line->append(chunk, std::min(n, NAVDATA_LINE_LIMIT - line->size()));
    if (ended) break;
  }
  if (!any) return false;
  if (!line->empty() && line->back() == '\r') line->pop_back();
  if (++lines->line_number % 4096 == 0) report_progress(lines);
  return true;
}

void navdata_lines_close(NavdataLines* lines) {
  if (!lines->gz) return;
  if (lines->progress && lines->reported_tenth < TENTHS) std::fprintf(stderr, "navdata: %s 100%%\n", lines->label.c_str());
  gzclose(static_cast<gzFile>(lines->gz));
  lines->gz = nullptr;
}
