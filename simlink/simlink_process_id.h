#pragma once
// The process id that goes into the mapping name (from the transport's system).
#include <cstdint>
uint32_t simlink_process_id();
