#include "framework/harness.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int VIRTUAL_KEY_LIMIT = 256;

// Decimal, or hexadecimal when written 0x...: "010" is ten, as a user means it.
bool parse_count(const char* text, long low, long high, long* value) {
  if (!text || !*text || *text == '-' || *text == '+' || *text == ' ') return false;
  const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  if (hex && !text[2]) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text, &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  *value = v;
  return true;
}

bool parse_key_press(const char* text, KeyPress* press) {
  const char* colon = text ? std::strchr(text, ':') : nullptr;
  if (!colon) return false;
  std::string pass(text, colon);
  long p = 0, vk = 0;
  if (!parse_count(pass.c_str(), 1, INT_MAX, &p) || !parse_count(colon + 1, 1, VIRTUAL_KEY_LIMIT - 1, &vk))
    return false;
  press->pass = static_cast<int>(p);
  press->virtual_key = static_cast<int>(vk);
  return true;
}

}  // namespace

std::string harness_printable(const std::string& text) {
  static const size_t SHOWN_LIMIT = 80;
  std::string out;
  for (size_t i = 0; i < text.size() && i < SHOWN_LIMIT; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
    out += c >= 0x20 && c < 0x7F ? std::string(1, static_cast<char>(c)) : std::string(escaped);
  }
  return text.size() > SHOWN_LIMIT ? out + "..." : out;
}

std::string harness_usage(const char* program, const char* unit_options) {
  std::string text = std::string("usage: ") + program + " [options]\n" +
      "  --workdir DIR          run in DIR (the unit's run folder)\n"
      "  --headless             message boxes go to standard error\n"
      "  --frames N             end cleanly after N frames\n"
      "  --screenshot FILE.png  write the last frame\n"
      "  --dump-text FILE       write every string the last frame printed\n"
      "  --set NAME=VALUE       a setting over the settings file's (size=W,H, position=X,Y, side=0|1, ...)\n"
      "  --write-settings       write the settings file with the --set values, and end\n"
      "  --press-key PASS:VK    press a virtual key at a main-loop pass (tests)\n"
      "  --progress FILE        rewrite FILE every second: frames drawn, link connected (soak runs)\n";
  if (unit_options) text += unit_options;
  return text + "  --help                 this text\nnumbers are decimal unless written 0x...\n";
}

bool parse_harness_options(int argc, char** argv, HarnessOptions* options, std::string* error) {
  *options = HarnessOptions{};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      return true;
    } else if (arg == "--headless") {
      options->headless = true;
    } else if (arg == "--frames") {
      long n = 0;
      if (!parse_count(value, 1, INT_MAX, &n)) {
        *error = "--frames needs a positive whole number";
        return false;
      }
      options->frames = static_cast<int>(n);
      ++i;
    } else if (arg == "--screenshot" || arg == "--dump-text" || arg == "--workdir" || arg == "--progress") {
      if (!value || !*value) {
        *error = arg + " needs a path";
        return false;
      }
      if (arg == "--screenshot") options->screenshot = value;
      if (arg == "--dump-text") options->dump_text = value;
      if (arg == "--workdir") options->workdir = value;
      if (arg == "--progress") options->progress = value;
      ++i;
    } else if (arg == "--write-settings") {
      options->write_settings = true;
    } else if (arg == "--set") {
      const char* equals = value ? std::strchr(value, '=') : nullptr;
      if (!equals || equals == value) {
        *error = "--set needs NAME=VALUE, for example size=433,605";
        return false;
      }
      options->settings.emplace_back(std::string(value, equals), std::string(equals + 1));
      ++i;
    } else if (arg == "--press-key") {
      KeyPress press;
      if (!parse_key_press(value, &press)) {
        *error = "--press-key needs PASS:VIRTUAL_KEY, for example 3:27";
        return false;
      }
      options->key_presses.push_back(press);
      ++i;
    } else {
      *error = "unknown option \"" + harness_printable(arg) + "\"";
      return false;
    }
  }
  return true;
}
