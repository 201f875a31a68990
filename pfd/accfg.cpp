#include "pfd/accfg.h"

#include <cstring>

#include "platform/files.h"
#include "pfd/pfd_settings_reader.h"

static bool read_int_pair(TextCursor* c, int32_t* out) { return skip_word(c) && read_int(c, out); }

static bool read_float_pair(TextCursor* c, float* out) {
  double value;
  if (!skip_word(c) || !read_float(c, &value)) return false;
  *out = static_cast<float>(value);
  return true;
}

// One row "%d,%f,%f,%s" with the identifier bounded to its slot.
static bool read_plan_row(TextCursor* c, int32_t* index, PlanWaypoint* w) {
  double latitude, longitude;
  if (!read_int(c, index) || !read_char(c, ',') || !read_float(c, &latitude) || !read_char(c, ',') ||
      !read_float(c, &longitude) || !read_char(c, ','))
    return false;
  if (!read_word(c, w->ident, sizeof w->ident) || w->ident[0] == '\0') return false;
  w->latitude = static_cast<float>(latitude);
  w->longitude = static_cast<float>(longitude);
  w->distance = 0;
  w->bearing = 0;
  return true;
}

bool accfg_parse(const std::string& text, AircraftConfig* s) {
  TextCursor c = cursor_over(text);
  s->plan_length = 0;
  bool ok = read_int_pair(&c, &s->v1) && read_int_pair(&c, &s->vr) && read_int_pair(&c, &s->v2) &&
            read_int_pair(&c, &s->max_flaps) && read_int_pair(&c, &s->vmin) &&
            read_int_pair(&c, &s->flap_placard_8) && read_int_pair(&c, &s->flap_placard_20) &&
            read_int_pair(&c, &s->flap_placard_40) && read_float_pair(&c, &s->vmo) &&
            read_float_pair(&c, &s->mmo) && read_int_pair(&c, &s->max_spoiler) &&
            read_int_pair(&c, &s->min_runway) && read_int_pair(&c, &s->max_fuel);
  if (!ok) return false;

  // The plan label; cleared first so that end of file reads as empty.
  char label[64];
  label[0] = '\0';
  read_word(&c, label, sizeof label);
  if (label[0] == '\0') return true;

  // Count-down rows: the row with index 1 is the last; index 0 or below,
  // a row that does not parse, end of file or a full table end the list.
  while (s->plan_length < PFD_PLAN_CAPACITY) {
    int32_t index;
    PlanWaypoint w;
    if (!read_plan_row(&c, &index, &w) || index <= 0) break;
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
