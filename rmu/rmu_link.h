#pragma once
// The RMU-to-RMU link over UDP multicast, steps 9 of the frame: network
// receive, then network send. Each RMU sends on one group and listens on the
// other (RMU1 sends to 225.0.0.1, port 1001, and listens on 225.0.0.2, port
// 1002; RMU2 the other way round), so it never hears itself.
//
// Endpoints are made on the first frame and kept. A failure writes one line
// to the side's error file ("serverError.txt", replaced, for the sender;
// "clientError.txt", appended, for the receiver) only when its error code is
// new, shows a message box at most once per distinct code, releases what
// the attempt opened, and is retried quietly about once a second.
//
// Receive drains the socket without blocking: every waiting datagram (at
// most RMU_LINK_DRAIN_LIMIT a frame, the rest in the next frame) is applied
// in the order it came, when it is well formed (rmu/rmu_datagram.h), to the
// shared transponder and TCAS values and their local tuning values. It never
// writes the simulator. Send formats each raised request (transponder,
// range, band, TA display, in that order) into a 256-byte datagram, sends it
// five times and lowers the request.
#include <cstddef>
#include <cstdint>

#include "rmu/rmu_datagram.h"
#include "rmu/rmu_state.h"

constexpr int RMU_LINK_DRAIN_LIMIT = 64;
constexpr int RMU_LINK_COPIES = 5;
constexpr int64_t RMU_LINK_RETRY_MS = 1000;
constexpr uint32_t RMU_LINK_GROUPS[2] = {0xE1000001, 0xE1000002};  // 225.0.0.1, 225.0.0.2
constexpr const char* RMU_SENDER_ERROR_FILE = "serverError.txt";
constexpr const char* RMU_RECEIVER_ERROR_FILE = "clientError.txt";
// The environment's choice of interface and ports, read at start-up.
constexpr const char* RMU_LINK_INTERFACE_VARIABLE = "RMU_LINK_INTERFACE";
constexpr const char* RMU_LINK_PORTS_VARIABLE = "RMU_LINK_PORTS";

// "A.B.C.D" as the interface; "P1,P2" as the ports of the two groups. False
// (nothing changed) for a malformed value.
bool rmu_link_set_interface(RmuLinkConfig* config, const char* text);
bool rmu_link_set_ports(RmuLinkConfig* config, const char* text);
// Takes the two variables when they are set; false when one is malformed.
bool rmu_link_config_from_environment(RmuLinkConfig* config);

// Applies one well-formed message to the state.
void rmu_link_apply(const RmuMessage& message, RmuTransponder* transponder);
// Parses and applies received bytes; false (state untouched) when malformed.
bool rmu_link_take_datagram(const uint8_t* data, size_t size, RmuTransponder* transponder);

// The frame's steps on g_rmu.
void rmu_link_receive();
void rmu_link_send();
// Releases both endpoints (at shutdown).
void rmu_link_close();
