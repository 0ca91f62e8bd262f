#pragma once
// A measuring hook for start-up, used only when the environment holds CORVEXA_STARTUP_PROBE
// (any value): the program then answers its own message boxes, waits for the main window, opens
// the five-stage window from the Architecture menu, prints on standard error how long each step
// took and the peak memory, and quits.
//
//   CORVEXA_STARTUP_PROBE=1 xvfb-run -s '-screen 0 1024x768x24' build/release/corvexa

#include <QElapsedTimer>

namespace corvexa::qt {

class QtDesk;

void ArmStartupProbe(QtDesk &desk, const QElapsedTimer &sinceMain);

} // namespace corvexa::qt
