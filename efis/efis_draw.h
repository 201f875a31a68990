#pragma once
// Draws the panel: the picture, the two knob pointers and the source light.
#include <cstdint>

#include "efis/efis_panel.h"

void efis_gl_setup();
void efis_draw(const EfisPanel* panel, uint32_t panel_texture);
