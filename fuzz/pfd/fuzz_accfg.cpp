// libFuzzer target: the aircraft configuration reader on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "pfd/accfg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static AircraftConfig config;
  std::string text(reinterpret_cast<const char*>(data), size);
  accfg_apply(&text, &config);
  // Every stored identifier stays terminated inside its slot.
  for (int i = 0; i < config.plan_length; ++i) {
    if (std::memchr(config.plan[i].ident, '\0', sizeof config.plan[i].ident) == nullptr) __builtin_trap();
  }
  if (config.plan_length < 0 || config.plan_length > PFD_PLAN_CAPACITY) __builtin_trap();
  return 0;
}
