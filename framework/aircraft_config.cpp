#include "framework/aircraft_config.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

namespace {

// The labels of a save, and where the first file spells them otherwise.
constexpr const char* SAVED_LABELS[] = {
    "[V1]", "[VR]", "[V2]", "[MAX_FLAPS]", "[VMIN]", "[VMAX_FLAPS_8]", "[VMAX_FLAPS_20]", "[VMAX_FLAPS_40]",
    "[VMO]", "[MM0]", "[MAX_SPOILERS]", "[MIN_RUNWAY_LENGTH]", "[MAX_FUEL]"};
constexpr const char* DEFAULT_LABELS[] = {
    "[V1]", "[VR]", "[V2]", "[MAX_FLAPS]", "[VMIN]", "[VMAX_FLAP_8]", "[VMAX_FLAP_20]", "[VMAX_FLAP_40]",
    "[VMO]", "[MMO]", "[MAX_SPOILERS]", "[MIN_RUNWAY_LENGTH]", "[MAX_FUEL]"};
constexpr int PAIR_COUNT = 13;
constexpr int VMO_PAIR = 8, MMO_PAIR = 9;

// The integer members in file order, the two reals left out.
int32_t* integer_of(AircraftValues* v, int pair) {
  int32_t* members[] = {&v->v1, &v->vr, &v->v2, &v->max_flaps, &v->vmin, &v->flap_placard_8,
                        &v->flap_placard_20, &v->flap_placard_40, nullptr, nullptr,
                        &v->max_spoiler, &v->min_runway, &v->max_fuel};
  return members[pair];
}

std::string pairs_text(const AircraftValues& values, const char* const* labels, const char* real_format) {
  AircraftValues v = values;
  std::string text;
  char line[64];
  for (int i = 0; i < PAIR_COUNT; ++i) {
    if (i == VMO_PAIR || i == MMO_PAIR)
      std::snprintf(line, sizeof line, real_format, static_cast<double>(i == VMO_PAIR ? v.vmo : v.mmo));
    else
      std::snprintf(line, sizeof line, "%d", static_cast<int>(*integer_of(&v, i)));
    text += labels[i];
    text += '\n';
    text += line;
    text += '\n';
  }
  return text;
}

// A real that a float holds: a larger one would be saved as "inf" and never read back.
bool read_real_entry(SettingsReader* reader, float* out) {
  double value;
  if (!settings_skip_label(reader) || !settings_read_double(reader, &value)) return false;
  if (std::fabs(value) > FLT_MAX) return false;
  *out = static_cast<float>(value);
  return true;
}

}  // namespace

void aircraft_values_defaults(AircraftValues* v) {
  v->v1 = v->vr = v->v2 = 100;
  v->max_flaps = 40;
  v->vmin = 90;
  v->flap_placard_8 = 250;
  v->flap_placard_20 = 200;
  v->flap_placard_40 = 150;
  v->vmo = 335.0f;
  v->mmo = 0.81f;
  v->max_spoiler = 60;
  v->min_runway = 5000;
  v->max_fuel = 6062;
}

bool aircraft_values_read(SettingsReader* reader, AircraftValues* values) {
  AircraftValues read = *values;
  for (int i = 0; i < PAIR_COUNT; ++i) {
    bool ok = (i == VMO_PAIR || i == MMO_PAIR)
                  ? read_real_entry(reader, i == VMO_PAIR ? &read.vmo : &read.mmo)
                  : settings_read_int_entry(reader, integer_of(&read, i));
    if (!ok) return false;
  }
  *values = read;
  return true;
}

std::string aircraft_config_default_text() {
  AircraftValues v;
  aircraft_values_defaults(&v);
  // "%g" gives the default file's "335" and "0.81".
  return pairs_text(v, DEFAULT_LABELS, "%g");
}

std::string aircraft_values_text(const AircraftValues& values) { return pairs_text(values, SAVED_LABELS, "%f"); }

std::string aircraft_config_path(const char* folder) {
  std::string path(folder ? folder : "");
  for (char& ch : path)
    if (ch == '\\') ch = '/';
  if (!path.empty() && path.back() != '/') path += '/';
  return path + AIRCRAFT_CONFIG_FILE;
}
