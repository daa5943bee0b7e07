#pragma once

#include <functional>

// Ctrl-C, Ctrl-\, a kill, a closed terminal, a timer or a CPU limit (every
// signal that would end the program and may be caught) end the program as the
// signal would, but first stop a running convert together with its process
// group, remove the private work folder and any half-written output, and give
// a terminal waiting for a key its echo back. A signal that the program was
// started with ignored stays ignored (nohup).
//
// A file-size limit (SIGXFSZ) no longer ends the program unnoticed: the write
// fails with EFBIG, and the file that needed it fails like any other.
void handleInterruptions();

// The last words of a run that a signal ends: called once on the thread that
// handles the signal, after convert is stopped and every temporary file is
// removed, just before the program ends by the signal. Other threads may
// still run meanwhile, but none can start a program or make a file; the
// report must take no lock that a thread holds while it waits for either.
// An empty function withdraws it.
void setInterruptionReport(std::function<void()> report);
