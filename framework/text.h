#pragma once
// Outline-font text: four slots of 256 glyphs tessellated once from outlines,
// one advance table, and print() with three alignments. Text is geometry in
// model-view space, never bitmaps.
#include <string>
#include <vector>

constexpr int FONT_SLOT_COUNT = 4;
constexpr int FONT_GLYPH_COUNT = 256;
constexpr int PRINT_BUFFER_SIZE = 256;  // formatted text is cut to 255 characters

enum TextAlignment { ALIGN_CENTRED = 0, ALIGN_LEFT = 1, ALIGN_RIGHT = 2 };

// Builds the slot's glyph lists from the named face (looked up with
// fontconfig, which may substitute a face). Returns false, and marks the font
// missing, only when no face at all can be loaded. Needs a current GL context.
bool build_font(const char* face_name, int slot, int height, int weight);
bool font_is_missing();

// Releases the glyphs of the slots that were built.
void delete_fonts();

// Formats and draws one line at the current model-view position.
void print(int slot, int alignment, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Sum of the horizontal advances of the text's characters (last built font).
float text_width(const char* text);
float glyph_advance(unsigned char code);

// Capture of printed text for tests and --dump-text: every print() records its
// string, the current GL colour, its projected window position (pixels from
// the top left of the client area; the current point at the call, before the
// alignment shift) and the slot.
struct PrintedText {
  std::string text;
  float r, g, b;
  float x, y;
  int slot;
};
// Capture is on from the start; a program that dumps no text turns it off,
// which spares every print() its reads of the GL state.
void text_capture_enable(bool on);
void text_capture_clear();                       // the skeleton calls it at the start of each frame
const std::vector<PrintedText>& text_captured(); // what the frame printed so far
bool text_capture_write(const char* path);       // one line per string: text, r, g, b, x, y, slot, tab-separated
