#pragma once
// The display unit's keyboard handling, frame step 4: keys '1' to '8' pick
// the map range, 'A', 'V', 'I', 'N' and 'P' toggle the map layers (airports,
// VORs, intersections, NDBs, the plan), and a changed knob counter gives one
// knob event.
void mfd_keyboard_handling();
