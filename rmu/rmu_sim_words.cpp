#include "rmu/rmu_sim_words.h"

RmuRadioWords rmu_radio_words(int side) {
  if (side == RMU_SIDE_2) return RmuRadioWords{0x3118, 0x311C, 0x0352, 0x3120};
  return RmuRadioWords{0x034E, 0x311A, 0x0350, 0x311E};
}

void rmu_queue_write(RmuWriteList* list, uint32_t offset, uint32_t size, uint32_t value) {
  if (list->count < 0 || list->count >= RMU_WRITE_CAPACITY) return;
  list->writes[list->count++] = RmuWrite{offset, size, value};
}
