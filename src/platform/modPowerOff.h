#pragma once

#include <functional>

// Asks the system to power the machine off (systemd's "systemctl poweroff", started detached) and
// returns at once; a failure is ignored, as the caller goes on with its own steps either way.
void PowerOff();

// Replaces what PowerOff does (a test's recorder); an empty function restores the real power-off.
// In a process with QStandardPaths' test mode on, the real one only says so on standard error, so
// a test that forgot its recorder still cannot power anything off.
std::function<void()> SetPowerOffHandlerForTests(std::function<void()> handler);
