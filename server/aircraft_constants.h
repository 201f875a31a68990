#pragma once
// Figures of the stand-in twin business jet and its scripted flight.
constexpr double AC_WEIGHT_EMPTY_LB = 11000;     // without fuel
constexpr double AC_WING_AREA_FT2 = 320;
constexpr double AC_MAX_THRUST_LBF = 3600;       // per engine, sea level
constexpr double AC_CD0 = 0.022, AC_CD_FLAPS = 0.045, AC_CD_GEAR = 0.02, AC_CD_SPOILERS = 0.06;
constexpr double AC_INDUCED_K = 0.05;
constexpr double AC_G_FPS2 = 32.174;
constexpr double AC_FPS_PER_KT = 1.68781;
constexpr double AC_RHO0_SLUG = 0.0023769;
constexpr double AC_FLAP_MAX_DEG = 40;
constexpr double AC_SPOILER_MAX_DEG = 60;

constexpr double AC_VR_KT = 128, AC_V2_KT = 135, AC_VREF_KT = 125;
constexpr double AC_VMO_KT = 300, AC_MMO = 0.78;
constexpr double AC_TAXI_KT = 15;
constexpr double AC_MAX_BANK_DEG = 25;
constexpr double AC_ROLL_RATE_DPS = 6;
constexpr double AC_VS_RATE_FPM_PER_S = 400;     // how fast vertical speed changes
constexpr double AC_ATTITUDE_TAU_S = 1.0;

constexpr double ENG_IDLE_N1 = 22, ENG_MAX_N1 = 96, ENG_REVERSE_N1 = 70;
constexpr double ENG_IDLE_N2 = 55;
constexpr double ENG_LIGHT_OFF_N2 = 20;
constexpr double ENG_STARTER_CUTOUT_N2 = 45;
constexpr double ENG_SPOOL_TAU_S = 2.0;
constexpr double ENG_IDLE_FF_PPH = 180, ENG_MAX_FF_PPH = 1580;

constexpr double FUEL_LB_PER_GAL = 6.7;
constexpr double TANK_WING_GAL = 430, TANK_CENTRE_GAL = 120;
constexpr double CENTRE_TRANSFER_PPH = 600;

constexpr double BUS_GENERATOR_V = 28.0, BUS_BATTERY_V = 24.0;
constexpr double HYD_ENGINE_PSI = 3000;
constexpr double FEET_PER_HPA = 27.0;            // altimeter sensitivity near the ground
constexpr double TRANSITION_ALTITUDE_FT = 18000;

constexpr double APPROACH_HEIGHT_FT = 2500;      // above the arrival runway, before the glideslope
constexpr double DESCENT_FPM = -2000;
constexpr double SPEED_LIMIT_ALT_FT = 10000, SPEED_LIMIT_KT = 250;
constexpr double TAXI_IN_S = 45;
constexpr double FLARE_HEIGHT_FT = 40;
constexpr double CLIMB_LEVER = 0.9, TAKEOFF_LEVER = 1.0;
