#include "framework/overlay_quads.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace {
// The part u0..u1, v0..v1 of the full quad, textured with the same coordinates.
void quad_part(float u0, float u1, float v0, float v1) {
  float x0 = -FULL_QUAD_HALF_WIDTH + 2.0f * FULL_QUAD_HALF_WIDTH * u0;
  float x1 = -FULL_QUAD_HALF_WIDTH + 2.0f * FULL_QUAD_HALF_WIDTH * u1;
  float y0 = -FULL_QUAD_HALF_HEIGHT + 2.0f * FULL_QUAD_HALF_HEIGHT * v0;
  float y1 = -FULL_QUAD_HALF_HEIGHT + 2.0f * FULL_QUAD_HALF_HEIGHT * v1;
  glTexCoord2f(u0, v0);
  glVertex2f(x0, y0);
  glTexCoord2f(u1, v0);
  glVertex2f(x1, y0);
  glTexCoord2f(u1, v1);
  glVertex2f(x1, y1);
  glTexCoord2f(u0, v1);
  glVertex2f(x0, y1);
}

bool rect_transparent(const uint8_t* alpha, int width, int x0, int x1, int y0, int y1) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (alpha[static_cast<size_t>(y) * width + x] != 0) return false;
  return true;
}

void quad(float half_width, float half_height, bool textured) {
  glBegin(GL_QUADS);
  if (textured) glTexCoord2f(0.0f, 0.0f);
  glVertex2f(-half_width, -half_height);
  if (textured) glTexCoord2f(1.0f, 0.0f);
  glVertex2f(half_width, -half_height);
  if (textured) glTexCoord2f(1.0f, 1.0f);
  glVertex2f(half_width, half_height);
  if (textured) glTexCoord2f(0.0f, 1.0f);
  glVertex2f(-half_width, half_height);
  glEnd();
}

void full_quad(bool textured) { quad(FULL_QUAD_HALF_WIDTH, FULL_QUAD_HALF_HEIGHT, textured); }
}  // namespace

void draw_fade_quad(float alpha) {
  glLoadIdentity();
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.0f, 0.0f, 0.0f, alpha);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  full_quad(false);
}

void draw_blended_texture_quad(uint32_t texture, float half_width, float half_height, float depth) {
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -depth);
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  quad(half_width, half_height, true);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
}

void draw_bezel_overlay(uint32_t texture) {
  draw_blended_texture_quad(texture, FULL_QUAD_HALF_WIDTH, FULL_QUAD_HALF_HEIGHT,
                            FULL_QUAD_DEPTH + BEZEL_OVERLAY_OFFSET);
}

OverlayOpening find_alpha_opening(const uint8_t* alpha, int width, int height) {
  OverlayOpening none{false, 0, 0, 0, 0};
  if (width < 3 || height < 3) return none;
  int cx = width / 2, cy = height / 2;
  auto at = [&](int x, int y) { return alpha[static_cast<size_t>(y) * width + x]; };
  if (at(cx, cy) != 0) return none;
  int x0 = cx, x1 = cx, y0 = cy, y1 = cy;
  while (x0 > 0 && at(x0 - 1, cy) == 0) --x0;
  while (x1 < width - 1 && at(x1 + 1, cy) == 0) ++x1;
  while (y0 > 0 && at(cx, y0 - 1) == 0) --y0;
  while (y1 < height - 1 && at(cx, y1 + 1) == 0) ++y1;
  // Rounded corners: shrink until the whole rectangle is clear.
  constexpr int SHRINK_STEP = 2;
  while (x0 < x1 && y0 < y1 && !rect_transparent(alpha, width, x0, x1, y0, y1)) {
    x0 += SHRINK_STEP;
    x1 -= SHRINK_STEP;
    y0 += SHRINK_STEP;
    y1 -= SHRINK_STEP;
  }
  x0 += OVERLAY_OPENING_MARGIN_TEXELS;
  x1 -= OVERLAY_OPENING_MARGIN_TEXELS;
  y0 += OVERLAY_OPENING_MARGIN_TEXELS;
  y1 -= OVERLAY_OPENING_MARGIN_TEXELS;
  if (x0 >= x1 || y0 >= y1) return none;
  return OverlayOpening{true, static_cast<float>(x0) / width, static_cast<float>(x1 + 1) / width,
                        static_cast<float>(y0) / height, static_cast<float>(y1 + 1) / height};
}

OverlayOpening find_overlay_opening(uint32_t texture) {
  GLint width = 0, height = 0;
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (width <= 0 || height <= 0) return OverlayOpening{false, 0, 0, 0, 0};
  std::vector<uint8_t> alpha(static_cast<size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha.data());
  return find_alpha_opening(alpha.data(), width, height);
}

void draw_bezel_overlay_around(uint32_t texture, const OverlayOpening& opening) {
  if (!opening.found) {
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
  const OverlayOpening& o = opening;
  glBegin(GL_QUADS);
  quad_part(0.0f, 1.0f, 0.0f, o.v_min);        // below the opening
  quad_part(0.0f, 1.0f, o.v_max, 1.0f);        // above
  quad_part(0.0f, o.u_min, o.v_min, o.v_max);  // left
  quad_part(o.u_max, 1.0f, o.v_min, o.v_max);  // right
  glEnd();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
}

void draw_full_textured_quad(uint32_t texture) {
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  full_quad(true);
  glDisable(GL_TEXTURE_2D);
}

void draw_full_textured_quad(uint32_t texture, const TextureTiles& tiles) {
  glLoadIdentity();
  glColor3f(1.0f, 1.0f, 1.0f);
  glTranslatef(0.0f, 0.0f, -FULL_QUAD_DEPTH);
  draw_texture_tiles(texture, tiles, FULL_QUAD_HALF_WIDTH, FULL_QUAD_HALF_HEIGHT);
}
