#pragma once
// Reversion: which of its two displays the unit shows. Bit 0 of the
// reversion cell clear: DU2 shows the EICAS and DU3 the MFD; set: the other
// way round. A change of role renames the window and puts the page
// controller on the display's first menu.
#include <cstdint>

// The four titles of a role change. Only the DU2 EICAS title restored by
// reversion has the capital V; the start-up titles are in mfd_unit.h.
constexpr const char* MFD_TITLE_DU2_MFD = "Korvu DU2 MFD - v1.0.0.4 build 203";
constexpr const char* MFD_TITLE_DU2_EICAS = "Korvu DU2 EICAS - V1.0.0.4 build 203";
constexpr const char* MFD_TITLE_DU3_EICAS = "Korvu DU3 EICAS - v1.0.0.4 build 203";
constexpr const char* MFD_TITLE_DU3_MFD = "Korvu DU3 MFD - v1.0.0.4 build 203";

struct MfdRole {
  bool mfd_shown;       // else the EICAS
  const char* title;
  int32_t menu_level;   // 0 with the MFD, 1 (systems menu) with the EICAS
  int32_t page;         // 0 with the MFD, 1 (SUMRY) with the EICAS
};

// The role of a unit of `mode` (1 DU2, 0 DU3) for a reversion bit.
MfdRole mfd_role_for(int32_t mode, bool reversion);
// Takes the reversion cell as read this frame: when its bit 0 differs from
// the last one, sets the shown display, the page controller and the title.
// True when the role changed.
bool mfd_role_update(uint8_t reversion_cell);
