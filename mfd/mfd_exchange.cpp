#include "mfd/mfd_exchange.h"

#include "mfd/mfd_state.h"

bool mfd_exchange(uint32_t* result) {
  *result = 0;
  return true;
}

void mfd_convert() {}
