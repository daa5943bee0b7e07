#pragma once

#include "engine/job_state.h"

// The job the command line fills (-i, -o, -c, -d) for the console driver:
// start-up's one job record, beside g_settings. Only the main thread uses
// it, and the driver takes a copy; the window keeps a job of its own.
extern JobState g_job;

// Makes g_job a new empty job (see newJob).
void resetJob();
