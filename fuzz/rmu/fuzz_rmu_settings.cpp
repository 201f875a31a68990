// Any bytes as "RMU.ini": the reader stays inside the buffer, every value it
// keeps is usable (a window that exists, a side of 0 or 1, at most twelve
// memories of each list, each a frequency of its band, a finite position),
// and what the unit writes back reads back as the same file.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "rmu/rmu_frequency.h"
#include "rmu/rmu_settings.h"

namespace {

struct Target {
  UnitCommon common{};
  RmuSettings settings{};
  RmuRadios radios{};
  RmuSettingsTarget view() { return RmuSettingsTarget{&common, &settings, &radios}; }
};

void check_list(const RmuMemoryList& list, RmuBand band) {
  if (list.count < 0 || list.count > RMU_MEMORY_CAPACITY) std::abort();
  for (int i = 0; i < list.count; ++i)
    if (!rmu_in_band(list.values[i], band)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Target t;
  rmu_parse_settings(reinterpret_cast<const char*>(data), size, t.view());
  if (t.common.x_size < 1 || t.common.y_size < 1 || t.common.x_size > 16384 || t.common.y_size > 16384) std::abort();
  if (t.settings.side != RMU_SIDE_1 && t.settings.side != RMU_SIDE_2) std::abort();
  check_list(t.radios.com_memories, RMU_COM_BAND);
  check_list(t.radios.nav_memories, RMU_NAV_BAND);
  for (float p : t.settings.display_position)
    if (!std::isfinite(p)) std::abort();

  const std::string written = rmu_settings_text(false, t.common, t.settings, t.radios);
  Target again;
  rmu_parse_settings(written.data(), written.size(), again.view());
  if (rmu_settings_text(false, again.common, again.settings, again.radios) != written) std::abort();
  return 0;
}
