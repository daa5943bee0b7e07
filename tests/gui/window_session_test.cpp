#include "gui/window_session.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "settings/conversion_settings.h"
#include "test_support.h"

namespace {

const std::string kMark = "\xEF\xBB\xBF";

// One window session over the settings in configHome, as the window runs it.
class SessionInFolder {
public:
    explicit SessionInFolder(const std::string& configHome) : saved_(g_settings)
    {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            oldHome_ = old;
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    }
    ~SessionInFolder()
    {
        if (oldHome_)
            setenv("XDG_CONFIG_HOME", oldHome_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        g_settings = saved_;
    }
    // Whether the session found settings to read.
    bool run()
    {
        const bool stored = startWindowSession();
        finishWindowSession();
        return stored;
    }

private:
    ConversionSettings saved_;
    std::optional<std::string> oldHome_;
};

}  // namespace

TEST(WindowSession, OnlyAConfigIniReadCountsAsAStoredPlacement)
{
    ScratchFolder home;
    SessionInFolder session(home.path);
    EXPECT_FALSE(session.run());  // a first start, which leaves the file behind
    EXPECT_TRUE(session.run());
    const std::string path = home.path + "Tessaly/korvane/config.ini";
    ASSERT_EQ(unlink(path.c_str()), 0);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(session.run());
}

TEST(WindowSession, AConfigIniThatCannotBeReadSurvivesTheEnd)
{
    ScratchFolder home;
    const std::string folder = home.path + "Tessaly/korvane/";
    const std::string path = folder + "config.ini";
    std::filesystem::create_directories(folder);
    SessionInFolder session(home.path);

    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    session.run();
    EXPECT_TRUE(std::filesystem::is_fifo(path));
    ASSERT_EQ(unlink(path.c_str()), 0);

    ASSERT_EQ(symlink((home.path + "elsewhere/config.ini").c_str(), path.c_str()), 0);
    session.run();
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_FALSE(fileExists(home.path + "elsewhere"));
    ASSERT_EQ(unlink(path.c_str()), 0);

    if (geteuid() != 0) {
        writeFile(path, "[Output]\r\nJPG Quality = 80\r\n");
        ASSERT_EQ(chmod(path.c_str(), 0), 0);
        session.run();
        ASSERT_EQ(chmod(path.c_str(), 0600), 0);
        EXPECT_EQ(readFile(path), "[Output]\r\nJPG Quality = 80\r\n");
    }

    // UTF-16 as Notepad writes it, in either byte order, is read, not replaced by defaults.
    for (bool bigEndian : {false, true}) {
        std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
        for (char c : std::string("[Output]\r\nJPG Quality = 80\r\n"))
            utf16 += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
        writeFile(path, utf16);
        session.run();
        const std::string saved = readFile(path);
        EXPECT_TRUE(saved.starts_with(kMark)) << bigEndian;
        EXPECT_NE(saved.find("\r\nJPG Quality = 80\r\n"), std::string::npos) << bigEndian;
    }
}
