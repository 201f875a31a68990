#pragma once
// The PFD's whole picture, drawn from the state record alone: the groups in
// their order, then the dimming quad and the bezel overlay. The frame runs
// the link exchanges and the power step before it.

// Texture slots loaded at start.
constexpr int TEXTURE_ZERO_FLAG = 2;
constexpr int TEXTURE_SCREEN = 3;
constexpr int TEXTURE_BEZEL = 4;

// Clears, then draws the attitude group and, with the battery master on, the
// screen background and every other group; then the overlays.
void pfd_draw_picture(float dim_alpha);
// The screen background texture as a full-window quad.
void pfd_draw_screen_background();
// The dimming quad (battery on) and the bezel overlay (when shown) over everything.
void pfd_draw_overlays(float dim_alpha);
