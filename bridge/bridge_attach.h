#pragma once
// The attaching end: on a display machine it serves the local link folder
// (the one $COCKPIT_LINK_DIR names, as the units find it) and carries each
// unit's batch, whole, to the serving end and its answer back. The units need
// no change.
//
// The local link is served only while the serving end answers and has its
// own link open. When either goes (a dead peer is noticed within about a
// second through the heartbeats, a batch unanswered in time at once), the
// units' connections are closed and the folder's socket removed: each unit
// gets the link's own failure for a lost server and reopens, with "cannot
// link" until the serving end is back.
#include <csignal>

#include "bridge/bridge_socket.h"

// How long a batch may take end to end before the serving end counts as
// lost: below the units' own wait for an answer.
constexpr int BRIDGE_ANSWER_TIMEOUT_MS = 1500;
// How long the serving end may stay silent (no answer, no pong).
constexpr int BRIDGE_PEER_SILENCE_MS = 1500;
constexpr int BRIDGE_PING_MS = 250;

// Runs until `stop` is set; 0 then, 1 when the end cannot start (the reason
// on stderr).
int bridge_attach(const BridgeOptions& options, const volatile std::sig_atomic_t* stop);
