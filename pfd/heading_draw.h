#pragma once
// The parts of the heading group, drawn by draw_heading_group().
#include "pfd/heading_logic.h"

constexpr float ROSE_X = 0.0f, ROSE_Y = -3.7399f;
constexpr float ARC_X = 0.0f, ARC_Y = -6.29f;
constexpr float HEADING_DEPTH = 30.0f;

void draw_rose_format();
void draw_arc_format();
void draw_navigation_readouts();
void draw_bearing_readouts(bool arc);
void draw_wind();
void draw_plan_map();
void draw_heading_bug_readout();
void draw_course_readout_digits(int course);
void draw_bearing_pointer_shape(int index, const BearingPointer& p, bool arc);
