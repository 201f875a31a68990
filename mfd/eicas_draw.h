#pragma once
// The EICAS picture, drawn from g_mfd only (no link I/O): the engine
// instruments, then the crew-alert list with the start and reverser
// annunciations. Each group places its items from a reset model-view matrix
// at depth 30, and leaves line width 1 and scissor off.
#include <cstdint>

constexpr float EICAS_DEPTH = 30.0f;

// Dials, boxes, readouts, bands, N2, oil, fuel, SAT, trim, flaps, "IGN",
// "SYNC", "MAN", the N1 limit and the cyan row labels.
void eicas_draw_engines();
// The active messages of g_mfd.alerts in table order; flashing lines are
// black in the off half of the blink phase of `now_ms`.
void eicas_draw_alert_list(int64_t now_ms);
// "START" beside a starting engine, "REV" or "DEP" over a reversing one.
void eicas_draw_start_and_reversers();

// Shared by the two drawing files.
struct EicasColour;
void eicas_colour(const EicasColour& c);
void eicas_place(float x, float y);
void eicas_text(float x, float y, float scale, int alignment, int slot, const char* text);
