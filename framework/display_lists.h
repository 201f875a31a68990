#pragma once
// The static shapes the pages draw many times, compiled once per window.
// Each list sets what its shape needs (colour, line width, scale) and, like
// the glyph lists, leaves its matrix changes in place: callers that need the
// matrix afterwards push and pop around the call.
#include <cstdint>

typedef struct GLUquadric GLUquadric;

struct StaticLists {
  uint32_t hexagon;             // green outline, scale 0.6
  uint32_t three_lobe;          // green symbol with inner strokes, scale 0.6
  uint32_t three_lobe_outline;  // green outline only, scale 0.6
  uint32_t double_ring;         // green, scale 0.6
  uint32_t cyan_ring;
  uint32_t small_ring;          // green
  uint32_t four_point_star;     // colour from the caller
  uint32_t own_aircraft;        // white
  uint32_t left_arrow;          // magenta, placed from a reset matrix
  uint32_t right_arrow;
  uint32_t compass_rose;        // 0 until the map adds it
  uint32_t unit_square;         // filled (0,0)-(1,1)
  uint32_t unit_square_outline;
  uint32_t unit_triangle;       // filled (0,0), (1,0), (0.5,1)
};

// Compiles every list (needs a current GL context). `quadric` draws the
// rings; when null a quadric is made for the purpose and released again.
// False when GL could not reserve the lists.
bool build_display_lists(StaticLists* lists, GLUquadric* quadric);

// Deletes the lists that were built and zeroes the ids.
void delete_display_lists(StaticLists* lists);
