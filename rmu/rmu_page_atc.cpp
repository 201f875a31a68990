// The ATC/TCAS control page: intruder altitude, TA display mode (L2
// toggles it), flight ID and ATC altitude, and the way back to the radios.
#include "framework/text.h"
#include "rmu/rmu_draw.h"
#include "rmu/rmu_page_parts.h"
#include "rmu/rmu_state.h"

namespace {

constexpr float LABEL_X = -0.21f;
constexpr float TITLE_Y = 0.305f, RULE_Y = 0.297f;
constexpr float LABEL_HEIGHT = 0.024f;
constexpr int32_t TA_MANUAL = 0, TA_AUTO = 1;

float row_y(int row) { return RMU_KEY_ROW_Y[row - 1]; }

}  // namespace

void rmu_atc_page_keys() {
  RmuTransponder& t = g_rmu.transponder;
  switch (g_rmu.input.selected_line) {
    case RMU_KEY_L2:
      t.ta_mode = t.ta_mode == TA_MANUAL ? TA_AUTO : TA_MANUAL;
      t.ta_byte = static_cast<uint8_t>(t.ta_mode == TA_AUTO ? 1 : 0);
      t.ta_cell_pending = true;  // bit 0 of 0x73D6, read, changed and written back
      g_rmu.link.send_ta_display = true;
      g_rmu.input.selected_line = RMU_KEY_NONE;
      break;
    case RMU_KEY_L6:
      g_rmu.page = RMU_PAGE_RADIO;
      g_rmu.input.selected_line = RMU_KEY_NONE;
      break;
    default:
      break;
  }
}

void rmu_atc_page_draw() {
  const RmuTransponder& t = g_rmu.transponder;
  rmu_text(0.0f, TITLE_Y, RMU_TEXT_NORMAL, RMU_WHITE, ALIGN_CENTRED, "ATC/TCAS CONTROL");
  rmu_colour(RMU_WHITE);
  rmu_line_width(2.0f);
  float half = rmu_text_width("ATC/TCAS CONTROL", RMU_TEXT_NORMAL) / 2.0f;
  rmu_line(-half, RULE_Y, half, RULE_Y);
  rmu_text(LABEL_X, row_y(1), LABEL_HEIGHT, RMU_CYAN, ALIGN_LEFT, "INTRUDER ALTITUDE");
  rmu_text(0.049f, row_y(1), LABEL_HEIGHT, RMU_GREEN, ALIGN_LEFT, "REL");
  rmu_text(LABEL_X, row_y(2), LABEL_HEIGHT, RMU_CYAN, ALIGN_LEFT, "TA DISPLAY");
  rmu_text(-0.056f, row_y(2), LABEL_HEIGHT, RMU_GREEN, ALIGN_LEFT, "%s",
           t.ta_mode == TA_AUTO ? "AUTO" : "MANUAL");
  rmu_text(LABEL_X, row_y(3), LABEL_HEIGHT, RMU_CYAN, ALIGN_LEFT, "FLIGHT ID");
  rmu_text(-0.05f, row_y(3), LABEL_HEIGHT, RMU_WHITE, ALIGN_LEFT, "%s", g_rmu.value.flight_id);
  rmu_text(LABEL_X, row_y(5), LABEL_HEIGHT, RMU_WHITE, ALIGN_LEFT, "ATC ALTITUDE");
  rmu_text(0.025f, row_y(5), LABEL_HEIGHT, RMU_WHITE, ALIGN_LEFT, "%d",
           rmu_display_int(g_rmu.value.atc_altitude));
  rmu_text(LABEL_X, row_y(6) + 0.017f, LABEL_HEIGHT, RMU_GREEN, ALIGN_LEFT, "RETURN TO");
  rmu_text(LABEL_X, row_y(6) - 0.017f, LABEL_HEIGHT, RMU_GREEN, ALIGN_LEFT, "RADIOS");
}
