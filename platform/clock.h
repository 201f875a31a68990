#pragma once
// Sleep and the process clock (wall time since start, in milliseconds).
#include <cstdint>

void platform_sleep_ms(int milliseconds);
// Milliseconds since the first call in this process; steady, never CPU time.
int64_t platform_clock_ms();
