#include "pfd/pfd_frame_bezel.h"

#include <GL/gl.h>

#include "framework/overlay_quads.h"

static TexRect g_opening = {0, 0, 0, 0};

static bool transparent_row(const TgaImage& im, uint32_t row, uint32_t x0, uint32_t x1) {
  for (uint32_t x = x0; x <= x1; ++x)
    if (im.pixels[(static_cast<size_t>(row) * im.width + x) * 4 + 3] != 0) return false;
  return true;
}

static bool transparent_column(const TgaImage& im, uint32_t x, uint32_t y0, uint32_t y1) {
  for (uint32_t y = y0; y <= y1; ++y)
    if (im.pixels[(static_cast<size_t>(y) * im.width + x) * 4 + 3] != 0) return false;
  return true;
}

TexRect transparent_opening(const TgaImage& im, int margin) {
  TexRect none = {0, 0, 0, 0};
  if (im.bytes_per_pixel != 4 || im.width < 3 || im.height < 3) return none;
  uint32_t x0 = im.width / 2, x1 = x0, y0 = im.height / 2, y1 = y0;
  if (!transparent_row(im, y0, x0, x1)) return none;
  // Grow one side at a time while the new edge is wholly transparent.
  bool grew = true;
  while (grew) {
    grew = false;
    if (x0 > 0 && transparent_column(im, x0 - 1, y0, y1)) { --x0; grew = true; }
    if (x1 + 1 < im.width && transparent_column(im, x1 + 1, y0, y1)) { ++x1; grew = true; }
    if (y0 > 0 && transparent_row(im, y0 - 1, x0, x1)) { --y0; grew = true; }
    if (y1 + 1 < im.height && transparent_row(im, y1 + 1, x0, x1)) { ++y1; grew = true; }
  }
  const uint32_t m = static_cast<uint32_t>(margin);
  if (x1 - x0 <= 2 * m || y1 - y0 <= 2 * m) return none;
  return {static_cast<float>(x0 + m) / im.width, static_cast<float>(y0 + m) / im.height,
          static_cast<float>(x1 + 1 - m) / im.width, static_cast<float>(y1 + 1 - m) / im.height};
}

bool bezel_opening_load(const char* path) {
  TgaImage image;
  g_opening = {0, 0, 0, 0};
  if (!load_tga(path, &image)) return false;
  g_opening = transparent_opening(image, 4);  // mip levels blur a few texels in
  return g_opening.u0 < g_opening.u1;
}

// One piece of the full quad, with the texture coordinates it has there.
static void piece(float u0, float v0, float u1, float v1) {
  if (u1 <= u0 || v1 <= v0) return;
  auto x = [](float u) { return -FULL_QUAD_HALF_WIDTH + u * 2 * FULL_QUAD_HALF_WIDTH; };
  auto y = [](float v) { return -FULL_QUAD_HALF_HEIGHT + v * 2 * FULL_QUAD_HALF_HEIGHT; };
  glTexCoord2f(u0, v0); glVertex2f(x(u0), y(v0));
  glTexCoord2f(u1, v0); glVertex2f(x(u1), y(v0));
  glTexCoord2f(u1, v1); glVertex2f(x(u1), y(v1));
  glTexCoord2f(u0, v1); glVertex2f(x(u0), y(v1));
}

void draw_bezel_overlay_strips(uint32_t texture) {
  const TexRect& o = g_opening;
  if (!(o.u0 < o.u1)) {
    draw_bezel_overlay(texture);
    return;
  }
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -BEZEL_OVERLAY_OFFSET);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  glBegin(GL_QUADS);
  piece(0, 0, 1, o.v0);          // below the opening
  piece(0, o.v1, 1, 1);          // above
  piece(0, o.v0, o.u0, o.v1);    // left
  piece(o.u1, o.v0, 1, o.v1);    // right
  glEnd();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
}
