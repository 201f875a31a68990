#pragma once
// The options every program accepts for tests and scripted runs. With none
// given a unit behaves exactly as without the harness.
#include <string>
#include <utility>
#include <vector>

struct KeyPress {
  int pass;         // main-loop pass (1 = first) at whose start the key goes down
  int virtual_key;  // released again at the next pass
};

struct HarnessOptions {
  int frames;                   // exit cleanly after this many passes; 0 = run until quit
  std::string screenshot;       // PNG of the last frame
  std::string dump_text;        // strings printed by the last frame
  std::string workdir;
  bool headless;
  std::vector<KeyPress> key_presses;  // --press-key PASS:VK (test hook)
  std::vector<std::pair<std::string, std::string>> settings;  // --set NAME=VALUE, in order
  bool write_settings;          // --write-settings: write the settings file and end
  bool help;                    // --help: print the usage and end
  std::string progress;         // --progress FILE: frames drawn and link state, rewritten every second
};

// False with a message in *error for an unknown argument, a missing value or
// a malformed one (the program then ends with 2). Numbers are decimal unless
// written 0x.... --help sets `help` and ends the parse.
bool parse_harness_options(int argc, char** argv, HarnessOptions* options, std::string* error);
// The usage text of a unit program; `unit_options` adds the unit's own lines.
std::string harness_usage(const char* program, const char* unit_options = nullptr);
// An argument as a message may show it: bytes outside printable ASCII as
// \xNN, so that no control sequence from a command line reaches a terminal.
std::string harness_printable(const std::string& text);
