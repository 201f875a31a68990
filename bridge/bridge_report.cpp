#include "bridge/bridge_report.h"

#include <chrono>
#include <cstdio>

void bridge_report(BridgeReport* report, BridgeTopic topic, const std::string& text) {
  if (report->last[topic] == text) return;
  report->last[topic] = text;
  std::fprintf(stderr, "link_bridge: %s\n", text.c_str());
  std::fflush(stderr);
}

int64_t bridge_now_ms() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}
