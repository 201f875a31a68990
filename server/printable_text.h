#pragma once
// Text that came from a file or from another program, made safe to print on
// a terminal: control bytes and anything that is not valid UTF-8 become \xNN,
// so that a binary file named by mistake can never move the cursor, change
// colours or retitle the window of the person reading the message.
#include <string>

// Line feeds and tabs are kept when `keep_lines` is set (multi-line replies).
std::string printable_text(const std::string& text, bool keep_lines = false);
