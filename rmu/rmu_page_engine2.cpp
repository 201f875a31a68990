// Engine backup page 2: N1, N2, oil temperature, fuel flow, the fixed
// electrical values, air temperature and the three trims.
#include <cstdio>

#include "framework/text.h"
#include "rmu/rmu_backup_logic.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_engine_draw.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_state.h"

namespace {

constexpr int FIXED_VOLTS = 28;
constexpr double FIXED_VOLTS_RIGHT = 28.0;
constexpr float TRIM_LABEL_Y = -0.097f, TRIM_VALUE_Y = -0.135f;
constexpr float TRIM_X[3] = {-0.06f, 0.057f, 0.177f};

}  // namespace

void rmu_engine2_page_keys() { rmu_engine_more_key(RMU_PAGE_ENGINE_1); }

void rmu_engine2_page_draw() {
  const RmuValues& v = g_rmu.value;
  rmu_engine_label(0.300f, "N1");
  rmu_engine_pair(0.300f, rmu_value_colour(RMU_GAUGE_N1, v.n1[0]), rmu_value_colour(RMU_GAUGE_N1, v.n1[1]), "%3.1f",
                  static_cast<double>(v.n1[0]), static_cast<double>(v.n1[1]));
  rmu_engine_label(0.260f, "N2");
  rmu_engine_pair(0.260f, rmu_value_colour(RMU_GAUGE_N2, v.n2[0]), rmu_value_colour(RMU_GAUGE_N2, v.n2[1]), "%3.1f",
                  static_cast<double>(v.n2[0]), static_cast<double>(v.n2[1]));
  rmu_engine_label(0.214f, "OIL  C");
  rmu_degree_mark(-rmu_text_width("OIL  C", RMU_TEXT_NORMAL) / 2.0f + rmu_text_width("OIL ", RMU_TEXT_NORMAL) + 0.002f,
                  0.214f, RMU_CYAN);
  rmu_engine_pair(0.214f, RMU_WHITE, RMU_WHITE, "%d", static_cast<int>(v.oil_temperature[0]),
                  static_cast<int>(v.oil_temperature[1]));
  rmu_engine_label(0.164f, "FF PPH");
  rmu_engine_pair(0.164f, RMU_WHITE, RMU_WHITE, "%d", rmu_display_int(v.fuel_flow[0]), rmu_display_int(v.fuel_flow[1]));
  rmu_engine_label(0.115f, "VOLTS");
  rmu_text(RMU_ENGINE_LEFT_X, 0.115f, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_LEFT, "%d", FIXED_VOLTS);
  rmu_text(RMU_ENGINE_RIGHT_X, 0.115f, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_RIGHT, "%2.1f", FIXED_VOLTS_RIGHT);
  rmu_engine_label(0.065f, "EMER V");
  rmu_text(RMU_ENGINE_RIGHT_X, 0.065f, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_RIGHT, "28.0");
  rmu_engine_label(0.024f, "AMPS");
  rmu_engine_pair(0.024f, RMU_WHITE, RMU_WHITE, "%s", "60", "60");
  rmu_engine_label(-0.031f, "SAT");
  rmu_text(0.178f, -0.031f, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_RIGHT, "%d", static_cast<int>(v.sat));
  rmu_degree_mark(0.178f + rmu_text_width("0", RMU_TEXT_NORMAL) + 0.004f, -0.031f, RMU_WHITE);

  const char* labels[3] = {"TRIM-PIT", "AIL", "RUD"};
  char texts[3][32];
  std::snprintf(texts[0], sizeof texts[0], "%2.1f", v.elevator_trim * 57.29);
  rmu_trim_text(v.aileron_trim, texts[1], sizeof texts[1]);
  rmu_trim_text(v.rudder_trim, texts[2], sizeof texts[2]);
  for (int i = 0; i < 3; ++i) {
    rmu_text(TRIM_X[i], TRIM_LABEL_Y, RMU_TEXT_SMALL, RMU_CYAN, ALIGN_CENTRED, "%s", labels[i]);
    rmu_text(TRIM_X[i], TRIM_VALUE_Y, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_CENTRED, "%s", texts[i]);
  }
  rmu_engine_more_label();
}
