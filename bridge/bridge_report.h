#pragma once
// Tells the operator what changed, once: a line on stderr when a topic's
// news differs from the last line of that topic, so that an end retrying
// every second never floods the log.
#include <cstdint>
#include <string>

enum BridgeTopic { BRIDGE_TOPIC_LINK, BRIDGE_TOPIC_PEER, BRIDGE_TOPIC_LISTENER, BRIDGE_TOPIC_COUNT };

struct BridgeReport {
  std::string last[BRIDGE_TOPIC_COUNT];
};

void bridge_report(BridgeReport* report, BridgeTopic topic, const std::string& text);
// Milliseconds on the steady clock, for the ends' timers.
int64_t bridge_now_ms();
