#include "nav/nav_field_stream.h"

namespace {

bool blank(std::string_view line) {
  for (char c : line)
    if (c != ' ' && c != '\t') return false;
  return true;
}

}  // namespace

void nav_field_stream_open(NavFieldStream* stream, std::string_view text) {
  stream->lines.rest = text;
  stream->rest = std::string_view();
  stream->line_open = false;
}

bool nav_next_field(NavFieldStream* stream, std::string_view* field) {
  while (!stream->line_open) {
    std::string_view line;
    if (!nav_next_line(&stream->lines, &line)) return false;
    if (blank(line)) continue;
    stream->rest = line;
    stream->line_open = true;
  }
  size_t bar = stream->rest.find('|');
  *field = stream->rest.substr(0, bar);
  if (bar == std::string_view::npos) {
    stream->line_open = false;
  } else {
    stream->rest.remove_prefix(bar + 1);
    // A line that ends in "|" has no further field on it.
    if (stream->rest.empty()) stream->line_open = false;
  }
  return true;
}
