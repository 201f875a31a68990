#pragma once
// The crew-alert list's link exchange, run by the frame after mfd_exchange()
// and mfd_convert() while the EICAS is shown and the battery is on:
//   reads 0x73D5; evaluates the list (g_mfd.alerts) from g_mfd.raw and
//   g_mfd.value; sets bits 3 and 4 (master caution, warning) and clears
//   bit 5 (acknowledge) as the list asks; writes the byte back only when that
//   changed it; starts one chime per new message; lets advisories time out.
// g_mfd.raw.alert_cell keeps the byte as this unit left it.
#include <cstdint>

// False with the failed call's result when a batch failed.
bool mfd_alert_exchange(int64_t now_ms, uint32_t* result);
