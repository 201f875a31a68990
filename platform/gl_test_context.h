#pragma once
// A hidden window with an OpenGL compatibility context, for tests and tools
// that draw without the unit skeleton. Drawing goes to the back buffer and is
// read back with read_gl_pixels().
#include <cstdint>
#include <vector>

struct GlTestContext;

// Creates the window and context with a drawable of width x height pixels
// and makes the context current; the viewport covers the drawable and the
// matrices are identity. Null (with a line on stderr) when no display or context is
// available.
GlTestContext* gl_test_context_create(int width, int height);
void gl_test_context_destroy(GlTestContext* context);

// RGBA rows of the back buffer, first row = top of the picture.
std::vector<uint8_t> read_gl_pixels(int width, int height);
