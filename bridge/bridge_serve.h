#pragma once
// The serving end: a link client of the local link server (the stand-in,
// or on Windows the simulator's own) that answers the batches attaching ends
// send. It binds HOST:PORT; with CURVE only the attaching ends whose public
// keys are in the keys folder's clients/ get through.
//
// Batches are executed one at a time, in the order they arrive, each as one
// batch of the local link: all of it or nothing. While the local link is
// closed the end reopens it about once a second and answers every batch
// "link lost", which the attaching end turns into the units' own "server
// gone".
#include <csignal>

#include "bridge/bridge_socket.h"

// Runs until `stop` is set; 0 then, 1 when the end cannot start (the reason
// on stderr).
int bridge_serve(const BridgeOptions& options, const volatile std::sig_atomic_t* stop);
