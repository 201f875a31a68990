#pragma once
// The panel's one batch per frame with the simulator: what it reads, what it
// publishes, in which order. The batch is first built as a plain list so the
// order and the values can be checked on their own, then sent over the link.
#include <cstdint>

#include "efis/efis_panel.h"
#include "framework/unit_common.h"

enum EfisRequestKind : uint8_t { EFIS_REQUEST_READ, EFIS_REQUEST_WRITE };

struct EfisRequest {
  EfisRequestKind kind;
  uint32_t offset;
  uint32_t size;   // 1, or 4 for the NAV/GPS switch
  uint32_t value;  // writes only
};

constexpr int EFIS_MAX_REQUESTS = 8;

struct EfisBatch {
  EfisRequest requests[EFIS_MAX_REQUESTS];
  int count;
};

// The frame's requests from the panel as it stands. The NAV/GPS switch is
// written by the side that the coupling byte of the previous frame names.
void efis_build_exchange(const EfisPanel* panel, EfisBatch* batch);

// Queues the batch on the link and processes it; on success the read bytes
// land in the panel (alert, coupling), on failure they keep their values.
bool efis_exchange(EfisPanel* panel, uint32_t* result);

// The link part of a frame: the exchange while connected, else one attempt
// to open the link. A failed exchange is not reported; only a lost server
// clears `connected`, so that the open is retried.
void efis_link_step(EfisPanel* panel, UnitCommon* common);
