#pragma once
// The drawing groups the PFD picture calls in order, and the unit's start-up
// and bezel hooks. Each group draws from the global record `g_pfd`
// (pfd/pfd_state.h) and keeps only its own frame-to-frame state there (speed
// trend, minimums passed, annunciator flashes); none exchanges with the link.

// Start-up (GL context current).
void annunciators_init();        // the "AP" and "YD" annunciator objects
void minimums_init();            // minimums state to its initial values
void heading_lists_init();       // display lists of the waypoint star and unit square
void plan_geometry_update();     // distance and bearing of each plan waypoint for the map

// Frame, in drawing order. The attitude group is drawn first, always.
void draw_attitude_group();      // sphere, ladder, chevrons, RA readout, symbol, FD, or failure picture
// Battery on only, after the background texture:
void draw_roll_scale();
void draw_annunciations();       // autopilot and mode annunciations, markers, flags
void draw_heading_group();
void draw_altitude_group();      // passed flags, tape, baro, minimums and the aural alert
void draw_speed_group();
void draw_vertical_speed_group();

// Bezel click hooks (set requests that pfd_exchange_altitude_controls() serves).
void minimums_mode_pressed();    // next minimums mode
void standard_baro_pressed();    // 29.92 in
void minimums_knob_step(int direction);  // -1 down / +1 up, 10 ft
void baro_knob_step(int direction);      // -1 down / +1 up, 0.01 in

// Shutdown: waits for a minimums sound thread still playing.
void minimums_shutdown();
