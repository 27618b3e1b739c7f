// Requests to end the program that come from outside the message loop:
// SIGINT (Ctrl+C) and SIGTERM (the system asking the program to end), and,
// during long work that keeps the message loop from running (a runaway
// script), the viewer closing a window or pressing Esc.
#pragma once

// Handlers that only note the signal; the message queue then asks every
// window to close (WM_CLOSE), so the program ends with its usual clean-up.
void installQuitSignals();
bool quitSignalled();
// Forgets a noted signal (for tests).
void clearQuitSignal();

// For work outside the message loop: a quit signal, or a window close or
// Esc waiting in the input (left there for the message loop to handle).
// Cheap enough to ask often: the input is looked at every 50 ms at most.
bool quitRequested();
