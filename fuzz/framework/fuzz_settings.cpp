// Settings files of any content: every read stays inside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "framework/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SettingsReader reader;
  settings_open_text(&reader, reinterpret_cast<const char*>(data), size);
  int a = 0, b = 0, flag = 0;
  char short_path[8] = {0};
  char long_path[600] = {0};
  settings_read_int_pair_entry(&reader, &a, &b);
  settings_read_int_entry(&reader, &flag);
  settings_read_path_entry(&reader, short_path, sizeof short_path);
  settings_read_path_entry(&reader, long_path, sizeof long_path);
  settings_read_int_pair_entry(&reader, &a, &b);
  // A second pass with the readers of text and real values.
  SettingsReader other;
  settings_open_text(&other, reinterpret_cast<const char*>(data), size);
  char word[4] = {0};
  double real = 0;
  settings_read_word(&other, word, sizeof word);
  settings_read_double(&other, &real);
  settings_expect_char(&other, ',');
  settings_read_double(&other, &real);
  if (std::strlen(word) >= sizeof word) __builtin_trap();
  if (std::strlen(short_path) >= sizeof short_path) __builtin_trap();
  if (std::strlen(long_path) >= sizeof long_path) __builtin_trap();
  return 0;
}
