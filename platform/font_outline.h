#pragma once
// Glyph outlines of an installed face, found by name through the system's
// font matching (which substitutes a face when the named one is missing).
// Coordinates are in em units (one em = 1.0), baseline at y = 0, so text
// scales with the model-view matrix and not with a pixel size.
#include <string>
#include <vector>

constexpr int OUTLINE_GLYPH_COUNT = 256;

struct OutlinePoint {
  float x, y;
};

struct GlyphOutline {
  std::vector<std::vector<OutlinePoint>> contours;  // closed polygons, curves flattened
  float advance;                                    // horizontal cell advance
};

struct FontOutlines {
  std::string file;    // the face file that was loaded
  std::string family;  // its family and style, as the face reports them
  std::string style;
  bool bold;           // the loaded face is a bold one
  GlyphOutline glyphs[OUTLINE_GLYPH_COUNT];  // by Windows-1252 code; unmapped codes stay empty
};

// Loads the best match for the face name and weight (400 regular, 700 bold;
// a bold request falls back to the regular face when no bold one exists).
// Code 255 is left empty with advance 0. False only when no face at all loads.
bool load_font_outlines(const char* face_name, int weight, FontOutlines* out);
