#pragma once

// Opaque fills drawn without blending. With the colour's alpha at 1, blending
// (source alpha, one minus source alpha) leaves exactly the source colour, yet
// the software renderer still reads and mixes every covered pixel; for text
// and filled shapes that is a good part of their cost. Translucent colours,
// other blend functions and display lists being compiled (whose colour is set
// where they are called) keep the blending as it is.

// Turns blending off when it is on and the current colour is opaque; returns
// whether it did, for opaque_fill_end().
bool opaque_fill_begin();
void opaque_fill_end(bool paused);
