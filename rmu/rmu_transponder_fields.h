#pragma once
// The lower half of the radio page: the transponder code (L3), its mode
// (L4), the ident annunciator, the TCAS range (L5) and band (L6). The keys
// queue the simulator writes and raise the link's send requests; the draw
// reads only g_rmu.
//
// Writes: 0x0354 transponder word (2 bytes) after a knob step; 0x7B91 mode
// (1 byte) when the unit is the radios' master; 0x7B93 ident (1 byte); 0x73FA
// range (1 byte) every frame while L5 is selected; 0x7842 band byte (1 byte)
// while L6 is selected, only when the byte read this frame changes.

void rmu_transponder_fields_keys();
void rmu_transponder_fields_draw();
