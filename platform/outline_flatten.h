#pragma once
// Curve flattening shared by the font back ends: a glyph outline arrives as
// lines, quadratic and cubic curves in em units and leaves as closed polygons
// that the text layer tessellates.
#include <vector>

#include "platform/font_outline.h"

struct OutlineBuilder {
  std::vector<std::vector<OutlinePoint>>* contours;
  OutlinePoint last;
};

void outline_move_to(OutlineBuilder* builder, OutlinePoint to);
void outline_line_to(OutlineBuilder* builder, OutlinePoint to);
void outline_conic_to(OutlineBuilder* builder, OutlinePoint control, OutlinePoint to);
void outline_cubic_to(OutlineBuilder* builder, OutlinePoint c1, OutlinePoint c2, OutlinePoint to);
// Drops the repeated closing point and contours too small to enclose anything.
void outline_tidy(std::vector<std::vector<OutlinePoint>>* contours);

// The units ask for an ANSI (Windows-1252) font: the Unicode character of a
// code, 0 for the five codes that have none.
unsigned long outline_unicode_of_code(int code);
