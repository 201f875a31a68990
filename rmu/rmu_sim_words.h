#pragma once
// The simulator words the unit tunes, by side, and the list of writes a frame
// collects: the pages queue what they change, the exchange sends the list
// with one process call after the page (rmu/rmu_exchange.h).
#include <cstdint>

#include "rmu/rmu_state.h"

constexpr uint32_t OFFSET_ADF_MAIN = 0x034C;
constexpr uint32_t OFFSET_ADF_EXTENSION = 0x0356;
constexpr uint32_t OFFSET_TRANSPONDER = 0x0354;
constexpr uint32_t OFFSET_TRANSPONDER_STANDBY = 0x7B91;
constexpr uint32_t OFFSET_TRANSPONDER_IDENT = 0x7B93;
constexpr uint32_t OFFSET_NAV1_COURSE = 0x0C4E;
constexpr uint32_t OFFSET_BATTERY = 0x281C;

// This side's COM and NAV words (RMU1: COM1/NAV1, RMU2: COM2/NAV2).
struct RmuRadioWords {
  uint32_t com_active, com_standby, nav_active, nav_standby;
};
RmuRadioWords rmu_radio_words(int side);

// Queues a write of `size` (1 or 2) bytes; a full list drops the write.
void rmu_queue_write(RmuWriteList* list, uint32_t offset, uint32_t size, uint32_t value);
