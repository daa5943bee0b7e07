#include "app/command_line_job.h"

JobState g_job;

void resetJob()
{
    g_job = newJob();
}
