#pragma once
// Reading a scenario file from disk. Only a regular file is ever read: a FIFO
// or a device, named by mistake or on purpose, would block the reader for as
// long as nobody writes to it. The whole file is read (at most 1 MiB) before
// the parser sees it, and messages show its bytes only in printable form.
#include <cstddef>
#include <string>

#include "server/scenario.h"

constexpr size_t SCENARIO_MAX_FILE = size_t(1) << 20;

// The whole file into `text`; false with `error` naming the file (line 0).
bool scenario_read_file(const char* path, std::string* text, ScenarioError* error);
