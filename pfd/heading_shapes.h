#pragma once
// Small shapes of the heading display that the altitude, annunciation and
// failure pictures share, drawn at the current model-view position.

void pfd_circle_outline(float cx, float cy, float radius, int segments);
// An arc as a line strip, angles in radians, counter-clockwise from +x.
void pfd_arc_strip(float cx, float cy, float radius, float from, float to, int segments);
void pfd_filled_rect(float x1, float y1, float x2, float y2);
// The white outline airplane at the centre of the rose and the arc.
void pfd_aircraft_symbol();
// A white unit square with a black inner square: the box of the "MIN" alert
// and the marker lights.
void pfd_boxed_square(float inner_x1, float inner_y1, float inner_x2, float inner_y2);
// The arrow of the wind and the coupling indicator: shaft and two head lines.
void pfd_small_arrow();
// The diamond head of bearing pointer 2 (a square turned 45 degrees).
void pfd_diamond(float cx, float cy, float half);
// The magenta heading bug shape, its notch at the origin pointing at -x.
void pfd_heading_bug_shape();
// The four-point star of a waypoint, a closed outline about its centre.
constexpr int PFD_STAR_POINTS = 8;
extern const float PFD_STAR_OUTLINE[2 * PFD_STAR_POINTS];
