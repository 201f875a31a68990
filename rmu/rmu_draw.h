#pragma once
// Drawing helpers of the RMU pages: colours, text placed in the display group
// at a given height, lines and boxes. Every helper keeps the display group's
// matrix (it pushes and pops around its own translation and scale).
#include <cstdint>

struct RmuColour {
  float r, g, b;
};
constexpr RmuColour RMU_GREEN = {0.156f, 0.803f, 0.215f};
constexpr RmuColour RMU_CYAN = {0.0f, 0.658f, 0.921f};  // the radio pages' cyan
constexpr RmuColour RMU_WHITE = {1.0f, 1.0f, 1.0f};
constexpr RmuColour RMU_YELLOW = {1.0f, 1.0f, 0.0f};
constexpr RmuColour RMU_MAGENTA = {0.882f, 0.0f, 0.482f};
constexpr RmuColour RMU_BLACK = {0.0f, 0.0f, 0.0f};

constexpr int RMU_FONT = 2;  // all RMU text
// Text heights (em) in display-group units.
constexpr float RMU_TEXT_LARGE = 0.036f;   // frequencies
constexpr float RMU_TEXT_NORMAL = 0.028f;  // titles and labels
constexpr float RMU_TEXT_SMALL = 0.021f;   // legends

// Baselines of labels beside the line keys L1..L6 (R1..R6), and the x of
// labels left-aligned in the left column and right-aligned in the right (a
// right-aligned text's last character starts there, so it ends about 0.015
// further right).
constexpr float RMU_KEY_ROW_Y[6] = {0.262f, 0.183f, 0.080f, 0.013f, -0.105f, -0.163f};
constexpr float RMU_LEFT_LABEL_X = -0.185f;
constexpr float RMU_RIGHT_LABEL_X = 0.168f;

void rmu_colour(RmuColour colour);
// One line of text with its baseline's reference point at (x, y): alignment
// 0 centred, 1 left-aligned, 2 right-aligned (framework/text.h).
void rmu_text(float x, float y, float height, RmuColour colour, int alignment, const char* format, ...)
    __attribute__((format(printf, 6, 7)));
float rmu_text_width(const char* text, float height);
// A real value shown with "%d": truncated toward zero; beyond the int range
// (or NaN) it shows 0.
int rmu_display_int(double value);
void rmu_line_width(float width);
void rmu_line(float x1, float y1, float x2, float y2);
void rmu_box(float left, float bottom, float right, float top);         // outline
void rmu_filled_box(float left, float bottom, float right, float top);
// The yellow box around the field or memory under the cursor.
void rmu_selection_box(float left, float bottom, float right, float top);
// The pages' line width: thicker without the bezel, where the picture is smaller.
float rmu_frame_line_width(bool bezel_shown);
// Green lines of the pages' width from here on.
void rmu_green_lines(bool bezel_shown);

// The pages' green outline and its rules; titles sit on a rule, which is
// broken around them, and are printed white.
constexpr float RMU_FRAME_LEFT = -0.199f, RMU_FRAME_RIGHT = 0.2f;
constexpr float RMU_FRAME_TOP = 0.31f, RMU_FRAME_BOTTOM = -0.176f;
struct RmuTitle {
  const char* text;
  float x, y;  // left end of the baseline
};
// The left, bottom and right edges and the top edge with its titles, in the
// pages' line width.
void rmu_page_outline(const RmuTitle* titles, int count, bool bezel_shown);
// A rule across the outline at y with its titles.
void rmu_titled_rule(float y, const RmuTitle* titles, int count);
