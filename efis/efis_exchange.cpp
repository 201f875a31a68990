#include "efis/efis_exchange.h"

#include "framework/link_state.h"
#include "simlink/cells.h"
#include "simlink/simlink.h"

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

bool efis_exchange(EfisPanel* panel, uint32_t* result) {
  EfisBatch batch;
  efis_build_exchange(panel, &batch);
  // Reads land in the panel's landing bytes (they outlive a batch that is
  // queued but never processed) and are taken over only after a good batch.
  panel->alert_landing = panel->alert;
  panel->coupling_landing = panel->coupling;
  for (int i = 0; i < batch.count; ++i) {
    const EfisRequest& request = batch.requests[i];
    bool queued;
    if (request.kind == EFIS_REQUEST_READ) {
      uint8_t* destination =
          request.offset == CELL_ALERT ? &panel->alert_landing : &panel->coupling_landing;
      queued = simlink_read(request.offset, request.size, destination, result);
    } else {
      uint8_t bytes[4];
      uint32_t value = request.value;
      // Little-endian, whatever the host.
      for (uint32_t b = 0; b < 4; ++b) bytes[b] = static_cast<uint8_t>(value >> (8 * b));
      queued = simlink_write(request.offset, request.size, bytes, result);
    }
    if (!queued) return false;
  }
  if (!simlink_process(result)) return false;
  panel->alert = panel->alert_landing;
  panel->coupling = panel->coupling_landing;
  return true;
}

void efis_link_step(EfisPanel* panel, UnitCommon* common) {
  if (!common->connected) {
    // One quiet attempt per frame until the simulator is there.
    link_try_open(common);
    return;
  }
  uint32_t result = 0;
  bool ok = efis_exchange(panel, &result);
  // Not reported; only a lost server clears the connected flag, so that the
  // open is retried instead of publishing into a closed link for ever.
  link_note_process(common, ok, result);
}
