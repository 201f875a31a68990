#pragma once
// Recording side of the text capture (the reading side is in framework/text.h).

// Records one printed string with the current GL colour and the window
// position of the current model-view origin, before any alignment shift.
void text_capture_record(const char* text, int slot);

// The same for a string drawn at (x, y) of the current model-view frame.
void text_capture_record_at(const char* text, int slot, float x, float y);
