#include "framework/drawing_area.h"

#include <GL/gl.h>
#include <GL/glu.h>

bool drawing_area_for_client(AspectRule rule, double factor, int client_width, int client_height,
                             DrawingArea* area) {
  if (client_width <= 0 || client_height <= 0 || factor <= 0.0) return false;
  if (rule == ASPECT_WIDTH_FROM_HEIGHT) {
    area->height = client_height;
    area->width = static_cast<int>(client_height * factor);
    if (area->width < 1) area->width = 1;
  } else {
    area->width = client_width;
    area->height = static_cast<int>(client_width / factor);
    if (area->height < 1) area->height = 1;
  }
  return true;
}

void apply_drawing_area(const DrawingArea& area) {
  glViewport(0, 0, area.width, area.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FIELD_OF_VIEW_DEGREES, static_cast<double>(area.width) / area.height, NEAR_PLANE, FAR_PLANE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
