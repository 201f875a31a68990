#pragma once
// The control mailbox of sim_server, in a part of the offset space no unit
// reads. A client writes the command text and then a new request number (one
// batch, number last); the server executes the command inside its write hook
// and answers with the same number, a status and a reply text. Commands:
// "fail NAME", "restore NAME", "scenario load PATH", "pause", "resume",
// "time-scale X", "state".
#include <cstdint>

constexpr uint32_t CONTROL_REQUEST_SEQUENCE = 0xA000;   // u32, written last
constexpr uint32_t CONTROL_REQUEST_TEXT = 0xA004;
constexpr uint32_t CONTROL_REQUEST_TEXT_SIZE = 508;     // up to 0xA200
constexpr uint32_t CONTROL_REPLY_SEQUENCE = 0xA200;     // u32
constexpr uint32_t CONTROL_REPLY_STATUS = 0xA204;       // u32: 0 done, 1 refused
constexpr uint32_t CONTROL_REPLY_TEXT = 0xA208;
constexpr uint32_t CONTROL_REPLY_TEXT_SIZE = 0xB000 - CONTROL_REPLY_TEXT;
constexpr double CONTROL_MAX_TIME_SCALE = 100.0;
