#pragma once

// A gate the worker passes before it takes each file. The window closes it
// while it asks whether to stop, so that the answer is known before another
// file starts; a thread cannot be paused from outside on POSIX.
void closeFileGate();
void openFileGate();
// Returns at once while the gate is open; waits while it is closed.
void passFileGate();
