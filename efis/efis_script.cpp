#include "efis/efis_script.h"

#include <cstring>

namespace {

bool parse_number(const char** at, int limit, int* value) {
  const char* p = *at;
  long long number = 0;
  int digits = 0;
  while (*p >= '0' && *p <= '9') {
    number = number * 10 + (*p - '0');
    if (number > limit) return false;
    ++p;
    ++digits;
  }
  if (digits == 0) return false;
  *value = static_cast<int>(number);
  *at = p;
  return true;
}

}  // namespace

bool efis_parse_click(const char* text, EfisClick* click) {
  const char* p = text;
  EfisClick parsed{};
  if (!parse_number(&p, EFIS_MAX_SCRIPT_FRAME, &parsed.frame) || *p++ != ':') return false;
  if (!parse_number(&p, EFIS_MAX_SCRIPT_PIXEL, &parsed.x) || *p++ != ':') return false;
  if (!parse_number(&p, EFIS_MAX_SCRIPT_PIXEL, &parsed.y) || *p != '\0') return false;
  if (parsed.frame < 1) return false;
  *click = parsed;
  return true;
}

bool efis_take_click_options(int* argc, char** argv, EfisClickScript* script, const char** error) {
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (std::strcmp(argv[i], "--click") != 0) {
      argv[kept++] = argv[i];
      continue;
    }
    if (script->count >= EFIS_MAX_SCRIPTED_CLICKS) {
      *error = "too many --click options";
      return false;
    }
    if (i + 1 >= *argc || !efis_parse_click(argv[i + 1], &script->clicks[script->count])) {
      *error = "--click needs FRAME:X:Y, for example 3:100:50";
      return false;
    }
    ++script->count;
    ++i;
  }
  *argc = kept;
  argv[kept] = nullptr;
  return true;
}
