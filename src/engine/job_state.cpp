#include "engine/job_state.h"

#include "formats/format_registry.h"
#include "platform/clock.h"
#include "platform/files.h"

JobState newJob()
{
    JobState job;
    job.programFolder = executableFolder();
    job.randomNumber = randomInRange(1, 99999);
    job.fileCounter = 1;
    buildAcceptedExtensions();
    return job;
}
