#pragma once
// The drawing groups and per-frame steps the PFD frame calls, in frame order.
// Each reads and updates the global record `g_pfd` (pfd/pfd_state.h).

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
void heading_logic_step();       // reads the side's bearing source bytes
void draw_heading_group();
void altitude_control_step();    // barometric/minimums requests, bit 6 edge, writes 0x0330
void draw_altitude_group();      // passed flags, tape, baro, minimums and the aural alert
void speed_data_exchange();      // 0x28C8, 0x28C0, 0x02B8, 0x0E8C and 0x73D5 bit 6
void draw_speed_group();
void draw_vertical_speed_group();

// Bezel click hooks (set requests the altitude control step serves).
void minimums_mode_pressed();    // next minimums mode
void standard_baro_pressed();    // 29.92 in
void minimums_knob_step(int direction);  // -1 down / +1 up, 10 ft
void baro_knob_step(int direction);      // -1 down / +1 up, 0.01 in

// Shutdown: waits for a minimums sound thread still playing.
void minimums_shutdown();
