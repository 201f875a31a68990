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
};

// Unknown arguments are ignored, as the units ignore their command line.
// False with a message in *error for a malformed value of a known option.
bool parse_harness_options(int argc, char** argv, HarnessOptions* options, std::string* error);
