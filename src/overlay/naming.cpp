#include "overlay/naming.h"

#include "engine/job_state.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"

// The default mask only for now.
std::string expandFileNameMask()
{
    return nameWithoutExtension(fileNameOf(g_job.inputPath)) + "." + g_job.outputExt;
}

std::string buildOutputPath()
{
    std::string path = g_job.outputFolder;
    if (g_settings.keepSubfolders)
        path += g_job.relativeFolder;
    return path + expandFileNameMask();
}

std::string expandWatermarkText() { return g_settings.wmText; }

std::string nameWithoutExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return name.empty() || dot == std::string::npos ? name : name.substr(0, dot);
}
