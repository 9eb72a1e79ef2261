// The application main: machine checks, construction, the first script, the main loop and teardown; and
// what the commands reach of it.
#pragma once

#include "StartUp.h"

class YThread;

// The script thread started at start-up (null before and after the run).
YThread* mainThread();
// Clears the application's running flag, so the main loop returns and teardown runs.
void quitApplication();
// Starts the main thread's script afresh on the next pass of the main loop.
void restartMainThreadSoon();

// The probes of this machine for the start-up checks.
MachineProbes machineProbes();
// Shows the alert of the first check that fails (flags 0x3000, title "Alert"); true when all pass.
bool passStartupChecks(const MachineProbes& probes);

// A new stream over "PScripts\" + name, read whole; the thread deletes it.
class OMIStream;
OMIStream* scriptPathResolver(const char* name);
