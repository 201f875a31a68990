#pragma once
// The pictures of the altitude, vertical speed and heading groups while the
// avionics master is off (battery on).
void draw_altitude_failure();
void draw_vertical_speed_failure();
void draw_heading_failure();
// Shared with the live pictures.
void draw_altitude_readout_box();
void draw_rose_card(double heading);
void draw_deviation_circles();
