#pragma once
// The running field stream of the database files: fields separated by "|",
// taken in order across lines. When the current line is used up the next
// line is taken, so a line break also ends a field, and a line with more or
// fewer fields than its format shifts the records after it. Blank lines hold
// no fields (a trailing blank line must not become a record at 0,0).
#include <string_view>

#include "nav/nav_text.h"

struct NavFieldStream {
  NavLineCursor lines;
  std::string_view rest;  // unread part of the current line
  bool line_open;         // `rest` still holds fields
};

void nav_field_stream_open(NavFieldStream* stream, std::string_view text);
// The next field; false when the text has no more.
bool nav_next_field(NavFieldStream* stream, std::string_view* field);
