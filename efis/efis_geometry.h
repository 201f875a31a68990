#pragma once
// Where the panel picture and the drawn pointers sit in the drawing space
// (perspective 45 degrees, the panel quad near the eye, pointers far away).
// The artwork is laid out from these same numbers.

constexpr float EFIS_ASPECT = 2.745f;           // panel width / height
constexpr float EFIS_FIELD_OF_VIEW = 45.0f;     // degrees, vertical (near 0.1, far 100)

// The panel quad: (0,0)..(2.745,1) moved to this offset.
constexpr float EFIS_QUAD_X = -1.37f, EFIS_QUAD_Y = -0.5f, EFIS_QUAD_Z = -1.22f;
constexpr float EFIS_QUAD_WIDTH = 2.745f, EFIS_QUAD_HEIGHT = 1.0f;

// Knob pointers at instrument depth.
constexpr float EFIS_POINTER_Z = -30.0f;
constexpr float EFIS_KNOB1_X = -22.46f, EFIS_KNOB2_X = 17.14f, EFIS_KNOB_Y = -4.19f;
constexpr float EFIS_POINTER_LENGTH = 1.95f;
constexpr float EFIS_POINTER_GREY = 0.6f;
constexpr float EFIS_POINTER_WIDTH = 2.0f;
// Degrees for knob positions 0..3 (OFF, VOR, ADF, FMS).
constexpr float EFIS_KNOB1_ANGLES[4] = {-38.8f, -3.5f, 35.8f, 63.2f};
constexpr float EFIS_KNOB2_ANGLES[4] = {-137.0f, -174.0f, -212.0f, -246.0f};

// The course-source light over the FMS or the NAV button.
constexpr float EFIS_LIGHT_FMS_X = 14.8f, EFIS_LIGHT_NAV_X = 22.89f, EFIS_LIGHT_Y = 8.89f;
constexpr float EFIS_LIGHT_LENGTH = 2.05f;
constexpr float EFIS_LIGHT_WIDTH = 5.0f;
constexpr float EFIS_LIGHT_RED = 0.156f, EFIS_LIGHT_GREEN = 0.803f, EFIS_LIGHT_BLUE = 0.215f;

constexpr int EFIS_PANEL_TEXTURE_SLOT = 0;
constexpr const char* EFIS_PANEL_TEXTURE = "textures//EFIS_2.tga";
