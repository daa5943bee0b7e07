#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/app_data.h"
#include "test_support.h"

namespace {

// Sets or unsets an environment variable for the length of a test.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvironmentOverride()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(AppData, WithoutHomeTheSettingsStayInTheUsersOwnHome)
{
    EnvironmentOverride noConfigHome("XDG_CONFIG_HOME", nullptr);
    EnvironmentOverride noHome("HOME", nullptr);
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(configurationHome(), std::string(user->pw_dir) + "/.config");

    // A relative path names no home.
    EnvironmentOverride relativeHome("HOME", "somewhere");
    EXPECT_EQ(configurationHome(), std::string(user->pw_dir) + "/.config");
}

TEST(AppData, AFolderOthersMayWriteOrOwnHoldsNoSettings)
{
    ScratchFolder home;
    EnvironmentOverride configHome("XDG_CONFIG_HOME", home.path.c_str());
    EXPECT_EQ(appDataFolder("Tessaly", "korvane"), home.path + "/Tessaly/korvane/");

    for (const std::string& folder : {home.path + "Tessaly", home.path + "Tessaly/korvane", home.path}) {
        ASSERT_EQ(chmod(folder.c_str(), 0777), 0);
        EXPECT_EQ(appDataFolder("Tessaly", "korvane"), "") << folder;
        ASSERT_EQ(chmod(folder.c_str(), 0700), 0);
    }
    // Group write for the user's own group is what umask 002 gives every folder.
    ASSERT_EQ(chmod((home.path + "Tessaly").c_str(), 0775), 0);
    EXPECT_EQ(appDataFolder("Tessaly", "korvane"), home.path + "/Tessaly/korvane/");
    if (geteuid() == 0) {
        ASSERT_EQ(chown((home.path + "Tessaly").c_str(), 0, 65534), 0);
        EXPECT_EQ(appDataFolder("Tessaly", "korvane"), "") << "group-writable for a group of others";
        ASSERT_EQ(chown((home.path + "Tessaly").c_str(), 0, 0), 0);
        ASSERT_EQ(chmod((home.path + "Tessaly").c_str(), 0700), 0);

        ASSERT_EQ(chown((home.path + "Tessaly").c_str(), 65534, 65534), 0);
        EXPECT_EQ(appDataFolder("Tessaly", "korvane"), "");
    }

    // The window mode then neither reads nor writes a config.ini.
    ScratchFolder shared;
    ASSERT_EQ(chmod(shared.path.c_str(), 0777), 0);
    ProgramRun run = runKorvane({}, {{"XDG_CONFIG_HOME", shared.path}, {"DISPLAY", ""}});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(namesIn(shared.path).empty());
}
