#include "platform/outline_flatten.h"

#include <algorithm>
#include <cmath>

namespace {

// Largest distance, in em, between a flattened curve and the true curve:
// two fifths of a pixel for text 50 pixels high, the largest the pages draw.
// Every segment more is a triangle more for every glyph drawn.
constexpr float FLATTEN_TOLERANCE_EM = 0.008f;
constexpr int MAX_CURVE_SEGMENTS = 32;

// Codes 0x80..0x9F are not Latin-1 in Windows-1252. Zero marks the five unassigned codes.
const unsigned short CP1252_HIGH[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int segments_for(float deviation, float factor) {
  int n = static_cast<int>(std::ceil(std::sqrt(deviation * factor / FLATTEN_TOLERANCE_EM)));
  return std::clamp(n, 1, MAX_CURVE_SEGMENTS);
}

}  // namespace

void outline_move_to(OutlineBuilder* builder, OutlinePoint to) {
  builder->contours->emplace_back();
  outline_line_to(builder, to);
}

void outline_line_to(OutlineBuilder* builder, OutlinePoint to) {
  if (builder->contours->empty()) builder->contours->emplace_back();
  builder->contours->back().push_back(to);
  builder->last = to;
}

void outline_conic_to(OutlineBuilder* builder, OutlinePoint control, OutlinePoint to) {
  OutlinePoint p0 = builder->last, p1 = control, p2 = to;
  float dx = p0.x - 2 * p1.x + p2.x, dy = p0.y - 2 * p1.y + p2.y;
  int n = segments_for(std::hypot(dx, dy), 0.25f);
  for (int i = 1; i <= n; ++i) {
    float t = static_cast<float>(i) / n, u = 1 - t;
    outline_line_to(builder, {u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
                              u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
}

void outline_cubic_to(OutlineBuilder* builder, OutlinePoint c1, OutlinePoint c2, OutlinePoint to) {
  OutlinePoint p0 = builder->last, p1 = c1, p2 = c2, p3 = to;
  float d1 = std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y);
  float d2 = std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y);
  int n = segments_for(std::max(d1, d2), 0.75f);
  for (int i = 1; i <= n; ++i) {
    float t = static_cast<float>(i) / n, u = 1 - t;
    float a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    outline_line_to(builder, {a * p0.x + b * p1.x + c * p2.x + d * p3.x, a * p0.y + b * p1.y + c * p2.y + d * p3.y});
  }
}

void outline_tidy(std::vector<std::vector<OutlinePoint>>* contours) {
  std::vector<std::vector<OutlinePoint>> kept;
  for (auto& c : *contours) {
    if (c.size() > 1 && c.front().x == c.back().x && c.front().y == c.back().y) c.pop_back();
    if (c.size() >= 3) kept.push_back(std::move(c));
  }
  contours->swap(kept);
}

unsigned long outline_unicode_of_code(int code) {
  if (code >= 0x80 && code <= 0x9F) return CP1252_HIGH[code - 0x80];
  return static_cast<unsigned long>(code);
}
