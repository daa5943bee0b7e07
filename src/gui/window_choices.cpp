#include "gui/window_choices.h"

#include "engine/batch_driver.h"
#include "gui/recent_folders.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/conversion_settings.h"

InputFileTaken takeInputFile(const std::string& path, const std::string& folderBoxText, JobState& job,
                             ConversionSettings& settings)
{
    InputFileTaken taken;
    if (acceptedInputFiles(path, job).empty())
        return taken;
    taken.accepted = true;
    if (job.consoleMode)
        return taken;
    taken.inputFieldText = path;
    if (folderBoxText.empty()) {
        const std::string folder = folderOf(path);
        rememberOutputFolder(settings, folder);
        job.outputFolder = folder;
        taken.folderChosen = !folder.empty();
    }
    return taken;
}

std::string folderDialogStart(const std::string& folderBoxText, const JobState& job)
{
    return folderBoxText.empty() ? job.outputFolder : folderOf(folderBoxText);
}

bool takeOutputFolder(std::string folder, JobState& job, ConversionSettings& settings)
{
    if (folder.empty() || !isDirectory(folder))
        return false;
    if (!endsWith(folder, "/"))
        folder += "/";
    rememberOutputFolder(settings, folder);
    job.outputFolder = folder;
    return true;
}
