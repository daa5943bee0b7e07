#include "engine/job_state.h"

#include "formats/format_registry.h"
#include "platform/clock.h"
#include "platform/files.h"

JobState g_job;
FileSet g_fileSet;
ProgressRecord g_progress;
std::mutex progressMutex;

void resetJob()
{
    g_job = JobState{};
    g_job.programFolder = executableFolder();
    g_job.randomNumber = randomInRange(1, 99999);
    g_job.fileCounter = 1;
    g_fileSet.clear();
    buildAcceptedExtensions();
}
