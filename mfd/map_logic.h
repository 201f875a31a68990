#pragma once
// Values of the map page worked out from plain numbers: readouts, the heading
// bug's place, minutes to the next waypoint, and the traffic picture's rules.
// The drawing (mfd_page_map.cpp, map_traffic_draw.cpp) only prints them.
#include <cstdint>

constexpr int MAP_RANGE_COUNT = 9;
constexpr int32_t MAP_RANGES_NM[MAP_RANGE_COUNT] = {5, 10, 25, 50, 100, 200, 300, 500, 1000};
constexpr float MAP_RANGE_RADIUS = 6.669f;  // the selected range on the screen
constexpr int MAP_TEXT_CAPACITY = 16;

// Range in NM of an index, the index clamped to 0..8.
int32_t map_range_nm(int32_t index);

// The heading readout: rounded half away from zero, 360 shown as 0, three digits.
void map_heading_text(double heading, char (&out)[MAP_TEXT_CAPACITY]);

enum MapBugPlace { MAP_BUG_ON_ARC, MAP_BUG_LEFT_ARROW, MAP_BUG_RIGHT_ARROW };
// Bug minus heading brought into -180..180.
double map_bug_offset(double bug, double heading);
MapBugPlace map_bug_place(double bug, double heading);

// Whole minutes to the next waypoint, 0..1000. An arrival time earlier in
// the day than the clock by more than half a day is tomorrow's (the flight
// crosses midnight); a smaller difference is a passed arrival and gives 0.
int32_t map_minutes_to_go(int64_t arrival_s, int hours, int minutes, int seconds);

// Traffic.
constexpr int TRAFFIC_SLOT_COUNT = 95;
constexpr int32_t TRAFFIC_RANGE_MIN = 6, TRAFFIC_RANGE_MAX = 40;
enum TrafficClass : int32_t { TRAFFIC_OTHER = 0, TRAFFIC_ADVISORY = 1, TRAFFIC_RESOLUTION = 2 };
enum TrafficBand : int32_t { TRAFFIC_BAND_NORMAL = 0, TRAFFIC_BAND_ABOVE = 1, TRAFFIC_BAND_BELOW = 2 };

int32_t traffic_range(int32_t cell);
// The band the mode byte selects; both bits clear keep `current`.
int32_t traffic_band(uint8_t mode_byte, int32_t current);
// Most severe first: within 2 NM and 750 ft a resolution advisory, within
// 6 NM and 1200 ft an advisory, else other traffic.
int32_t traffic_class(double distance_nm, double altitude_difference_ft);
// Own altitude minus the intruder's, shown in the band?
bool traffic_visible(int32_t band, double own_minus_traffic_ft);
// The altitude tag: hundreds of feet of the intruder over the aircraft,
// signed, two digits below ten.
void traffic_tag_text(double traffic_altitude_ft, int32_t own_altitude_ft, char (&out)[MAP_TEXT_CAPACITY]);
