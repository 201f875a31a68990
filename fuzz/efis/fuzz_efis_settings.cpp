// Any bytes as "EFIS.ini": the reader stays inside the buffer and the
// sanitised values are always usable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "efis/efis_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  EfisSettings settings = EFIS_SETTINGS_BUILT_IN;
  int read = efis_parse_settings(reinterpret_cast<const char*>(data), size, &settings);
  if (read < 0 || read > EFIS_SETTINGS_VALUE_COUNT) std::abort();
  efis_sanitize_settings(&settings);
  if (settings.x_size < 1 || settings.y_size < 1 || settings.side < 0 || settings.side > 1 ||
      settings.bearing1 < 0 || settings.bearing1 > 3 || settings.bearing2 < 0 || settings.bearing2 > 3)
    std::abort();
  return 0;
}
