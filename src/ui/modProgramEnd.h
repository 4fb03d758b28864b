#pragma once

class frmMain;

// Ties the program's life to its window: it ends when the window is closed, destroyed, or
// destroyed by the window system behind Qt's back, and a signal asking it to end (SIGTERM, SIGINT,
// SIGHUP) closes the window as the window manager's close does (the task's encoder stopped, its
// unfinished file removed, the settings saved), whatever dialog is open at the time. An end
// through a broken X connection does the part of that which needs no display (modDisplayLoss.h).
void EndProgramWithWindow(frmMain &window);

// Closes the window as the window manager's close does, closing any dialog over it first.
void CloseProgramWindow(frmMain &window);
