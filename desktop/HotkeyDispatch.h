#pragma once

#include <QtGlobal>

class Program;

// Carries out a hotkey press by its identifier: 0 Start/Stop, 1 Snap and 2 Reset as presses of
// the panel's buttons (Snap and Reset only while their buttons are enabled), 3 pops up the full
// options menu at the mouse. Any other identifier does nothing.
void DispatchHotkey(Program& program, quint8 id);
