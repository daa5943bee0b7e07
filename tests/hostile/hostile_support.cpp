#include "hostile/hostile_support.h"

#include <FreeImage.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

ProgramRun HostileScene::run(const std::vector<std::string>& arguments,
                             const std::map<std::string, std::string>& env) const
{
    std::map<std::string, std::string> environment = env;
    environment.emplace("TMPDIR", temp);
    return runKorvane(arguments, environment, work);
}

std::string HostileScene::copySample(const std::string& sample, const std::string& name) const
{
    writeFile(in + name, readFile(testDataPath(sample)));
    return in + name;
}

std::string HostileScene::folder(const std::string& name)
{
    mkdir((root.path + name).c_str(), 0755);
    return root.path + name;
}

SmallFileSystem::SmallFileSystem(const std::string& path, const std::string& size) : folder(path)
{
    mkdir(folder.c_str(), 0755);
    mounted = mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
}

SmallFileSystem::~SmallFileSystem()
{
    if (mounted)
        umount2(folder.c_str(), MNT_DETACH);
}

bool SmallFileSystem::makeReadOnly()
{
    return mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

PictureFacts jpegFacts(const std::string& path)
{
    PictureFacts facts;
    const std::string data = readFile(path);
    // FreeImage reads a cut-off JPEG without complaint; the end marker tells.
    if (data.size() < 4 || data.compare(data.size() - 2, 2, "\xFF\xD9") != 0)
        return facts;
    FIBITMAP* picture = FreeImage_Load(FIF_JPEG, path.c_str(), JPEG_DEFAULT);
    if (!picture)
        return facts;
    facts = {true, FreeImage_GetWidth(picture), FreeImage_GetHeight(picture)};
    FreeImage_Unload(picture);
    return facts;
}

std::string cutSample(const std::string& sample, size_t sectors)
{
    return readFile(testDataPath(sample)).substr(0, sectors * 2048);
}

void expectNoLeftovers(const HostileScene& scene)
{
    EXPECT_TRUE(namesIn(scene.temp).empty()) << "left in the temporary folder: " << namesIn(scene.temp).front();
    EXPECT_TRUE(namesIn(scene.work).empty()) << "left in the working folder: " << namesIn(scene.work).front();
    for (const std::string& name : namesIn(scene.out))
        EXPECT_EQ(name.find(".korvane-"), std::string::npos) << "a temporary file of the save: " << name;
}

bool processEnded(pid_t pid)
{
    std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    size_t state = stat.rfind(')');
    return stat.empty() || (state != std::string::npos && stat.compare(state + 2, 1, "Z") == 0);
}

// Waits up to ten seconds for the condition.
bool eventually(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
