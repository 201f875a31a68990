#pragma once
// The drawing area keeps the unit's fixed aspect inside whatever client size
// the window has; the rest of the client area stays black.
#include "framework/skeleton.h"

constexpr double DU_WIDTH_PER_HEIGHT = 0.7165;   // display units: width = height * 0.7165
constexpr double EFIS_WIDTH_PER_HEIGHT = 2.745;  // EFIS panel: height = width / 2.745
constexpr double FIELD_OF_VIEW_DEGREES = 45.0;
constexpr double NEAR_PLANE = 0.1;
constexpr double FAR_PLANE = 100.0;
constexpr int MAX_TRACKING_SIZE = 3000;          // display units' largest client side

struct DrawingArea {
  int width, height;
};

// The drawing area for a client size, truncated toward zero. False for a
// client of zero width or height (minimised): keep the previous area then.
bool drawing_area_for_client(AspectRule rule, double factor, int client_width, int client_height,
                             DrawingArea* area);

// Viewport at the bottom left and the 45 degree perspective of the area;
// model-view reset to identity. Needs a current GL context.
void apply_drawing_area(const DrawingArea& area);
