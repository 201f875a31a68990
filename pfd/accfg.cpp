#include "pfd/accfg.h"

#include "framework/settings_file.h"
#include "platform/files.h"

namespace {

bool read_float_entry(SettingsReader* reader, float* out) {
  double value;
  if (!settings_skip_label(reader) || !settings_read_double(reader, &value)) return false;
  *out = static_cast<float>(value);
  return true;
}

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

}  // namespace

void accfg_set_defaults(AircraftConfig* c) {
  c->v1 = c->vr = c->v2 = 100;
  c->max_flaps = 40;
  c->vmin = 90;
  c->flap_placard_8 = 250;
  c->flap_placard_20 = 200;
  c->flap_placard_40 = 150;
  c->vmo = 335.0f;
  c->mmo = 0.81f;
  c->max_spoiler = 60;
  c->min_runway = 5000;
  c->max_fuel = 6062;
  c->plan_length = 0;
}

bool accfg_parse(const std::string& text, AircraftConfig* s) {
  SettingsReader reader;
  settings_open_text(&reader, text.data(), text.size());
  SettingsReader* r = &reader;
  s->plan_length = 0;
  bool ok = settings_read_int_entry(r, &s->v1) && settings_read_int_entry(r, &s->vr) &&
            settings_read_int_entry(r, &s->v2) && settings_read_int_entry(r, &s->max_flaps) &&
            settings_read_int_entry(r, &s->vmin) && settings_read_int_entry(r, &s->flap_placard_8) &&
            settings_read_int_entry(r, &s->flap_placard_20) && settings_read_int_entry(r, &s->flap_placard_40) &&
            read_float_entry(r, &s->vmo) && read_float_entry(r, &s->mmo) &&
            settings_read_int_entry(r, &s->max_spoiler) && settings_read_int_entry(r, &s->min_runway) &&
            settings_read_int_entry(r, &s->max_fuel);
  if (!ok) return false;

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

std::string accfg_path(const char* folder) {
  std::string path(folder ? folder : "");
  for (char& ch : path)
    if (ch == '\\') ch = '/';
  if (!path.empty() && path.back() != '/') path += '/';
  return path + ACCFG_FILE_NAME;
}

bool accfg_load(const char* folder, AircraftConfig* config) {
  std::string text;
  bool readable = read_file_bounded(accfg_path(folder).c_str(), ACCFG_FILE_LIMIT, &text);
  return accfg_apply(readable ? &text : nullptr, config);
}
