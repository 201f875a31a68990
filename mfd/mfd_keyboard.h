#pragma once
// The display unit's keyboard handling, frame step 4: keys '1' to '8' pick
// the map range, 'A', 'V', 'I', 'N' and 'P' toggle the map layers (airports,
// VORs, intersections, NDBs, the plan). The knob cell's event comes from the
// exchange (mfd_knob_cell_step), which sees only values of good batches.
void mfd_keyboard_handling();
