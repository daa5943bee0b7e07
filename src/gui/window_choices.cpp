#include "gui/window_choices.h"

#include "engine/batch_driver.h"
#include "engine/job_state.h"
#include "gui/recent_folders.h"
#include "platform/files.h"
#include "platform/text.h"

InputFileTaken takeInputFile(const std::string& path, const std::string& folderBoxText)
{
    InputFileTaken taken;
    if (!addInputFile(path))
        return taken;
    taken.accepted = true;
    if (g_job.consoleMode)
        return taken;
    taken.inputFieldText = path;
    if (folderBoxText.empty()) {
        const std::string folder = folderOf(path);
        rememberOutputFolder(folder);
        g_job.outputFolder = folder;
        taken.folderChosen = !folder.empty();
    }
    return taken;
}

std::string folderDialogStart(const std::string& folderBoxText)
{
    return folderBoxText.empty() ? g_job.outputFolder : folderOf(folderBoxText);
}

bool takeOutputFolder(std::string folder)
{
    if (folder.empty() || !isDirectory(folder))
        return false;
    if (!endsWith(folder, "/"))
        folder += "/";
    rememberOutputFolder(folder);
    g_job.outputFolder = folder;
    return true;
}
