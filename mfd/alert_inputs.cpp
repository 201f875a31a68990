#include "mfd/alert_inputs.h"

#include "framework/display_power.h"
#include "mfd/mfd_variables.h"

AlertInputs mfd_alert_inputs(const MfdRaw& raw, const MfdValues& value, const DisplayPower& power) {
  AlertInputs in{};
  in.battery_on = power.battery_on != 0;
  in.battery_was_off = power.previous_battery_on == 0;
  in.engine_fire = raw.engine_fire_flags;
  in.door = raw.door_flags;
  in.parking_brake = raw.parking_brake != 0;
  in.gear_down = raw.gear_control != 0;
  in.on_ground = value.on_ground;
  in.spoilers_armed = raw.spoiler_arm != 0;
  in.pitot_heat_on = raw.pitot_heat_switch != 0;
  in.ias_kt = value.indicated_airspeed;
  in.n1_pct[ENGINE_LEFT] = value.left_n1;
  in.n1_pct[ENGINE_RIGHT] = value.right_n1;
  in.fuel_pressure_psi[ENGINE_LEFT] = raw.left_fuel_pressure;
  in.fuel_pressure_psi[ENGINE_RIGHT] = raw.right_fuel_pressure;
  in.bus_voltage[ENGINE_LEFT] = raw.left_bus_voltage;
  in.bus_voltage[ENGINE_RIGHT] = raw.right_bus_voltage;
  in.oil_pressure_psi[ENGINE_LEFT] = value.left_oil_pressure;
  in.oil_pressure_psi[ENGINE_RIGHT] = value.right_oil_pressure;
  in.spoiler_deg[ENGINE_LEFT] = value.left_spoiler_angle;
  in.spoiler_deg[ENGINE_RIGHT] = value.right_spoiler_angle;
  in.flaps_deg = value.flap_angle;
  in.pitch_trim = value.pitch_trim;
  in.aileron_trim_deg = value.aileron_trim;
  in.rudder_trim_deg = value.rudder_trim;
  in.tank_lb[ENGINE_LEFT] = value.left_tank_lb;
  in.tank_lb[ENGINE_RIGHT] = value.right_tank_lb;
  in.combustion[ENGINE_LEFT] = raw.left_engine_combustion;
  in.combustion[ENGINE_RIGHT] = raw.right_engine_combustion;
  in.starter[ENGINE_LEFT] = raw.left_starter_switch;
  in.starter[ENGINE_RIGHT] = raw.right_starter_switch;
  return in;
}
