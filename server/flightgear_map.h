#pragma once
// FlightGear's properties onto the model's quantities. Quantities FlightGear
// has no property for are left as they are in `values` (the held stand-in's),
// or derived here from what it does give (hydraulics from running engines).
#include "server/aircraft_model.h"
#include "server/flightgear_protocol.h"

struct FgDerived {
  double accel_fps2;            // from the change of airspeed between packets
  unsigned traffic_indicator;   // 1..255, moved on once a second
};

void fg_apply_packet(const FgPacket& packet, const FgDerived& derived, ModelValues* values);
// The settings the units may write, as FlightGear has them.
void fg_radios_from_packet(const FgPacket& packet, Radios* radios);
FgSettings fg_settings_from_radios(const Radios& radios);
