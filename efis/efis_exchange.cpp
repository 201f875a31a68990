#include "efis/efis_exchange.h"

#include "simlink/cells.h"

namespace {

constexpr uint32_t NAV_GPS_SWITCH_SIZE = 4;

void add(EfisBatch* batch, EfisRequestKind kind, uint32_t offset, uint32_t size, uint32_t value) {
  if (batch->count >= EFIS_MAX_REQUESTS) return;
  batch->requests[batch->count++] = EfisRequest{kind, offset, size, value};
}

bool drives_nav_gps(uint8_t side, uint8_t coupling) {
  bool first_officer_coupled = (coupling & TCAS_FLAG_FO_COUPLED) != 0;
  return side == EFIS_SIDE_CAPTAIN ? !first_officer_coupled : first_officer_coupled;
}

}  // namespace

void efis_build_exchange(const EfisPanel* panel, EfisBatch* batch) {
  batch->count = 0;
  bool captain = panel->side == EFIS_SIDE_CAPTAIN;
  add(batch, EFIS_REQUEST_READ, CELL_ALERT, 1, 0);
  add(batch, EFIS_REQUEST_READ, CELL_TCAS_FLAGS, 1, 0);
  if (drives_nav_gps(panel->side, panel->coupling))
    add(batch, EFIS_REQUEST_WRITE, OFFSET_NAV_GPS_SWITCH, NAV_GPS_SWITCH_SIZE, panel->gps ? 1u : 0u);
  uint8_t mode = efis_mode_byte(panel);
  if (captain) {
    add(batch, EFIS_REQUEST_WRITE, CELL_CAPT_EFIS_MODE, 1, mode);
  } else {
    add(batch, EFIS_REQUEST_WRITE, CELL_FO_EFIS_MODE, 1, mode);
    add(batch, EFIS_REQUEST_WRITE, CELL_FO_EFIS_COMPANION, 1, 0);
  }
  add(batch, EFIS_REQUEST_WRITE, captain ? CELL_CAPT_BEARING1_SOURCE : CELL_FO_BEARING1_SOURCE, 1,
      efis_source_code(panel->bearing1_position));
  add(batch, EFIS_REQUEST_WRITE, captain ? CELL_CAPT_BEARING2_SOURCE : CELL_FO_BEARING2_SOURCE, 1,
      efis_source_code(panel->bearing2_position));
}

