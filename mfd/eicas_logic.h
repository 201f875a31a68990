#pragma once
// The engine instrument layer's rules, free of GL: colour bands, boxes, the
// N1 limit, and readouts that never cast a value the field cannot hold.
#include <cstddef>
#include <cstdint>

struct EicasColour { float r, g, b; };

constexpr EicasColour EICAS_WHITE = {1, 1, 1};
constexpr EicasColour EICAS_BLACK = {0, 0, 0};
constexpr EicasColour EICAS_RED = {1, 0, 0};
constexpr EicasColour EICAS_AMBER = {0.933f, 0.596f, 0};
constexpr EicasColour EICAS_GREEN = {0.156f, 0.803f, 0.215f};
constexpr EicasColour EICAS_CYAN = {0, 1, 1};
constexpr EicasColour EICAS_MAGENTA = {0.882f, 0, 0.482f};

enum EicasBox { EICAS_BOX_NONE = 0, EICAS_BOX_AMBER, EICAS_BOX_RED };

// The simulator version for which the oil-pressure red box is not drawn.
constexpr uint32_t SIM_VERSION_WITHOUT_OIL_RED_BOX = 7;

// N1 in its red band (100.1 % and above; beyond 110 % stays red).
bool eicas_n1_red(double n1_pct);
// N2: white up to 100 % (and below 0), amber 100.1 to 102.5, else red.
EicasColour eicas_n2_colour(double n2_pct);
// Oil pressure box of one engine (0 left, 1 right).
EicasBox eicas_oil_pressure_box(double psi, int side, uint32_t sim_version);
EicasBox eicas_oil_temperature_box(double celsius);

// N1 limit in % from the outside air temperature and the indicated altitude.
double eicas_n1_limit(double oat_c, double altitude_ft);
// The limit is shown unless N1 is manual, when the take-off condition holds
// (an engine running with its lever above 80 %, or on the ground) or flaps are out.
struct N1LimitInputs {
  bool manual_n1;
  bool on_ground;
  bool running[2];
  double thrust_lever_pct[2];
  int32_t flap_angle;
};
bool eicas_n1_limit_shown(const N1LimitInputs& in);

// The flap angle as shown (0 to 40), and whether it gets its outline box:
// between the detents 0, 8, 20 and 40, and not at high power.
int eicas_flaps_shown(int32_t flap_angle);
bool eicas_flaps_boxed(int32_t flap_angle, bool high_power);

// Readouts: the value clamped to the field's range, then turned into text
// ("%d" truncates toward zero; fixed gives `decimals` places at least
// `width` wide). False, with an empty text, for a non-finite value: the
// readout stays blank.
struct ReadoutRange { double low, high; };
bool eicas_format_whole(char* out, size_t size, double value, ReadoutRange range);
bool eicas_format_fixed(char* out, size_t size, double value, int width, int decimals, ReadoutRange range);

constexpr ReadoutRange READOUT_PERCENT = {-999.99, 999.99};
constexpr ReadoutRange READOUT_ITT = {-999, 9999};
constexpr ReadoutRange READOUT_OIL = {-999, 9999};
constexpr ReadoutRange READOUT_FUEL_FLOW = {-99999, 99999};
constexpr ReadoutRange READOUT_FUEL_LB = {-999999, 999999};
constexpr ReadoutRange READOUT_TEMPERATURE = {-999, 999};
constexpr ReadoutRange READOUT_TRIM = {-99.9, 99.9};
