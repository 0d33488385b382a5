// SIGINT, SIGTERM and SIGHUP noted instead of ending the process at once, so that the console
// can stop a run as the window's Stop button does and its HTML file is completed.
#pragma once

namespace zenthra {

// Catches the three signals; once one is caught, the next ends the process at once.
void CatchStopSignals();

// The number of the signal caught, 0 while none was.
int CaughtStopSignal();

}  // namespace zenthra
