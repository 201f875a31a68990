#include "mfd/mfd_aircraft_config.h"

#include "framework/settings_file.h"
#include "nav/nav_active_plan.h"
#include "platform/files.h"

MfdAircraftConfigRead mfd_aircraft_config_read(const char* path, AircraftValues* values) {
  std::string text;
  if (!read_file_bounded(path, AIRCRAFT_CONFIG_FILE_LIMIT, &text)) {
    // Defaults only where there is no file: one that exists is never overwritten.
    std::string reason;
    if (file_probe(path, AIRCRAFT_CONFIG_FILE_LIMIT, &reason) != FILE_MISSING) return MFD_ACCFG_KEPT;
    aircraft_values_defaults(values);
    write_file_atomic(path, aircraft_config_default_text());
    return MFD_ACCFG_DEFAULTS_WRITTEN;
  }
  SettingsReader reader;
  settings_open_text(&reader, text.data(), text.size());
  return aircraft_values_read(&reader, values) ? MFD_ACCFG_READ : MFD_ACCFG_KEPT;
}

std::string mfd_aircraft_config_text(const AircraftValues& values, const ActivePlan* plan) {
  return aircraft_values_text(values) + nav_active_plan_section(plan, 0);
}

bool mfd_aircraft_config_write(const char* own_path, const char* other_path, const std::string& text) {
  if (!write_file_atomic(own_path, text)) return false;
  write_file_atomic(other_path, text);
  return true;
}
