#pragma once
// The map's compass rose, compiled into StaticLists::compass_rose once the
// fonts exist (its labels are outline text): ticks every 5 degrees, labels
// every 30 at radius 6.4, and the black mask that leaves the upper arc of
// about +-64 degrees. The caller sets colour, line width and placement; the
// list leaves the matrix reset and placed at the mask's origin.
#include "framework/display_lists.h"

// False when GL could not reserve the list.
bool build_compass_rose_list(StaticLists* lists, int font_slot);
