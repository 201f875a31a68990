#include "pfd/accfg.h"

#include "framework/aircraft_config.h"
#include "framework/settings_file.h"
#include "platform/files.h"

namespace {

// One row "%d,%f,%f,%s" with the identifier bounded to its slot.
bool read_plan_row(SettingsReader* reader, int32_t* index, PlanWaypoint* w) {
  double latitude, longitude;
  if (!settings_read_int(reader, index) || !settings_expect_char(reader, ',') ||
      !settings_read_double(reader, &latitude) || !settings_expect_char(reader, ',') ||
      !settings_read_double(reader, &longitude) || !settings_expect_char(reader, ','))
    return false;
  if (!settings_read_word(reader, w->ident, sizeof w->ident) || w->ident[0] == '\0') return false;
  w->latitude = static_cast<float>(latitude);
  w->longitude = static_cast<float>(longitude);
  w->distance = 0;
  w->bearing = 0;
  return true;
}

// The PFD keeps the values as members of its own configuration.
void accfg_take_values(const AircraftValues& v, AircraftConfig* c) {
  c->v1 = v.v1;
  c->vr = v.vr;
  c->v2 = v.v2;
  c->max_flaps = v.max_flaps;
  c->vmin = v.vmin;
  c->flap_placard_8 = v.flap_placard_8;
  c->flap_placard_20 = v.flap_placard_20;
  c->flap_placard_40 = v.flap_placard_40;
  c->vmo = v.vmo;
  c->mmo = v.mmo;
  c->max_spoiler = v.max_spoiler;
  c->min_runway = v.min_runway;
  c->max_fuel = v.max_fuel;
}

}  // namespace

void accfg_set_defaults(AircraftConfig* c) {
  AircraftValues v;
  aircraft_values_defaults(&v);
  accfg_take_values(v, c);
  c->plan_length = 0;
}

bool accfg_parse(const std::string& text, AircraftConfig* s) {
  SettingsReader reader;
  settings_open_text(&reader, text.data(), text.size());
  SettingsReader* r = &reader;
  s->plan_length = 0;
  AircraftValues values{};
  if (!aircraft_values_read(r, &values)) return false;
  accfg_take_values(values, s);

  // The plan label; cleared first so that end of file reads as empty.
  char label[64];
  label[0] = '\0';
  settings_read_word(r, label, sizeof label);
  if (label[0] == '\0') return true;

  // Count-down rows: the row with index 1 is the last; index 0 or below,
  // a row that does not parse, end of file or a full table end the list.
  while (s->plan_length < PFD_PLAN_CAPACITY) {
    int32_t index;
    PlanWaypoint w;
    if (!read_plan_row(r, &index, &w) || index <= 0) break;
    s->plan[s->plan_length++] = w;
    if (index == 1) break;
  }
  return true;
}

bool accfg_apply(const std::string* text, AircraftConfig* config) {
  static AircraftConfig scratch;  // large; one reader at a time on the main thread
  scratch = *config;
  if (text && accfg_parse(*text, &scratch)) {
    *config = scratch;
    return true;
  }
  config->plan_length = 0;
  return false;
}

std::string accfg_path(const char* folder) { return aircraft_config_path(folder); }

bool accfg_load(const char* folder, AircraftConfig* config) {
  std::string text;
  bool readable = read_file_bounded(accfg_path(folder).c_str(), ACCFG_FILE_LIMIT, &text);
  return accfg_apply(readable ? &text : nullptr, config);
}
