#include "engine/batch_inputs.h"

#include <set>

#include "engine/photocd_base.h"
#include "formats/format_registry.h"
#include "platform/files.h"
#include "platform/folder_walk.h"
#include "platform/text.h"

namespace {

bool hasAcceptedExtension(const std::string& name)
{
    return listContains(acceptedInputExtensions, extensionOf(name));
}

std::string acceptedExtensionsText()
{
    std::string text;
    for (const std::string& extension : acceptedInputExtensions)
        text += (text.empty() ? "." : ", .") + extension;
    return text;
}

struct Collection {
    BatchInputs inputs;
    std::set<FileKey> taken;

    void add(const std::string& path, const std::string& relativeFolder, const FileKey& key)
    {
        if (taken.insert(key).second)
            inputs.files.push_back({path, relativeFolder});
    }

    void addFolder(std::string folder)
    {
        if (!endsWith(folder, "/"))
            folder += "/";
        WalkResult walk = filesBelow(folder, hasAcceptedExtension);
        for (const FoundFile& file : walk.files)
            add(file.path, file.relativeFolder, file.key);
        for (const std::string& unreadable : walk.unreadable) {
            const size_t split = unreadable.find(": ");
            inputs.problems.push_back(
                {unreadable.substr(0, split), "the folder cannot be read: " + unreadable.substr(split + 2)});
        }
        inputs.linksLeftOut.insert(inputs.linksLeftOut.end(), walk.linksLeftOut.begin(), walk.linksLeftOut.end());
    }

    void addNamed(const std::string& parameter)
    {
        const std::optional<FileKey> key = fileKeyOf(parameter);
        if (!key)
            inputs.problems.push_back({parameter, "no such file or folder"});
        else if (isDirectory(parameter))
            addFolder(parameter);
        else if (!hasAcceptedExtension(parameter))
            inputs.problems.push_back({parameter, "not a PhotoCD file name (" + acceptedExtensionsText() + ")"});
        else
            add(parameter, "", *key);
    }
};

}  // namespace

BatchInputs collectBatchInputs(const std::vector<std::string>& parameters)
{
    Collection collection;
    for (const std::string& parameter : parameters)
        collection.addNamed(parameter);
    return collection.inputs;
}

InputContent inputContentOf(std::string_view start)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(start.data());
    if (hasImagePacSignature({bytes, start.size()}))
        return InputContent::ImagePac;
    if (startsWith(start, "PHOTO_CD"))
        return InputContent::DiscInformation;
    if (startsWith(start, "PCD_OPA"))
        return InputContent::OverviewPac;
    return InputContent::Other;
}
