#include "framework/harness.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int VIRTUAL_KEY_LIMIT = 256;

bool parse_count(const char* text, long low, long high, long* value) {
  if (!text || !*text) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(text, &end, 0);
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

bool parse_harness_options(int argc, char** argv, HarnessOptions* options, std::string* error) {
  *options = HarnessOptions{};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--headless") {
      options->headless = true;
    } else if (arg == "--frames") {
      long n = 0;
      if (!parse_count(value, 1, INT_MAX, &n)) {
        *error = "--frames needs a positive whole number";
        return false;
      }
      options->frames = static_cast<int>(n);
      ++i;
    } else if (arg == "--screenshot" || arg == "--dump-text" || arg == "--workdir") {
      if (!value || !*value) {
        *error = arg + " needs a path";
        return false;
      }
      if (arg == "--screenshot") options->screenshot = value;
      if (arg == "--dump-text") options->dump_text = value;
      if (arg == "--workdir") options->workdir = value;
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
    }
  }
  return true;
}
