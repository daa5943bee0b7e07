#pragma once

#include <functional>

// Runs work on a helper thread while the interface thread keeps redrawing
// the windows, which stay disabled under a busy cursor until it ends.
void runWhileRedrawing(const std::function<void()>& work);

// Lets the windows lay themselves out and draw for about milliseconds,
// without taking any user input.
void redrawFor(int milliseconds);
