#pragma once

namespace devhost {

// Makes SIGINT and SIGTERM end the event loop, so that an interrupted host
// still gives every reference back and checks the plug-in went. The signal
// handler only writes to a pipe; the event loop does the rest.
void quitEventLoopOnSignals();

}  // namespace devhost
