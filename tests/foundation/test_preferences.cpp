// The preference store on real INI files under private roots: current user,
// all users, administrators only for the latter, one file per host.
#include "PreferenceStore.h"
#include "UserGroups.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <QSettings>

#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>

namespace {

// A group the person running the tests belongs to (their primary group).
std::string OwnGroup() {
    const std::string login = CurrentLoginName();
    const passwd* pw = getpwnam(login.c_str());
    if (!pw)
        return {};
    const group* gr = getgrgid(pw->pw_gid);
    return gr ? gr->gr_name : std::string();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class Preferences : public testing::Test {
protected:
    TempDir root;
    ScopedEnv userRoot{"KESTRANE_PREFS_USER_ROOT", root / "user"};
    ScopedEnv systemRoot{"KESTRANE_PREFS_SYSTEM_ROOT", root / "system"};
};

} // namespace

TEST_F(Preferences, FilesLiveUnderTheRootsOnePerHost) {
    PreferenceStore store(OwnGroup());
    const std::string host = PreferenceStore::CurrentHostName();
    EXPECT_EQ(store.FilePath(kPreferencesCurrentUser),
              root / ("user/ByHost/GlobalPreferences." + host + ".ini"));
    EXPECT_EQ(store.FilePath(kPreferencesAnyUser),
              root / ("system/ByHost/GlobalPreferences." + host + ".ini"));
    EXPECT_EQ(store.FilePath(CurrentLoginName()), store.FilePath(kPreferencesCurrentUser));
    EXPECT_EQ(store.FilePath("somebody-else"), "");
}

TEST_F(Preferences, RootsFollowTheEnvironmentWithXdgAndHomeAsFallbacks) {
    EXPECT_EQ(PreferenceStore::UserRoot(), root / "user");
    EXPECT_EQ(PreferenceStore::SystemRoot(), root / "system");
    ScopedEnv noUserRoot("KESTRANE_PREFS_USER_ROOT", "");
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", root / "xdg");
        EXPECT_EQ(PreferenceStore::UserRoot(), root / "xdg/kestrane");
    }
    ScopedEnv noXdg("XDG_CONFIG_HOME", "");
    ScopedEnv home("HOME", root / "home");
    EXPECT_EQ(PreferenceStore::UserRoot(), root / "home/.config/kestrane");
}

TEST_F(Preferences, CurrentUserValuesReachTheDiskOnlyWhenSynchronised) {
    const std::string value = "Draft, \"copy\" @home \xC3\xA9/\\;#=";
    {
        PreferenceStore store(OwnGroup());
        ASSERT_TRUE(store.SetValue("Office_PrinterWMARKName", value, kPreferencesCurrentUser));
        ASSERT_TRUE(store.SetValue("Office_PrinterJobType", "2", kPreferencesCurrentUser));
        EXPECT_EQ(store.CopyValue("Office_PrinterWMARKName", kPreferencesCurrentUser), value);
        EXPECT_FALSE(std::filesystem::exists(store.FilePath(kPreferencesCurrentUser)));
        ASSERT_TRUE(store.Synchronize(kPreferencesCurrentUser));
        EXPECT_TRUE(std::filesystem::exists(store.FilePath(kPreferencesCurrentUser)));
    }
    // A new store (another plug-in, a later dialog) reads the file.
    PreferenceStore later(OwnGroup());
    EXPECT_EQ(later.CopyValue("Office_PrinterWMARKName", kPreferencesCurrentUser), value);
    EXPECT_EQ(later.CopyValue("Office_PrinterJobType", CurrentLoginName()), "2");
    EXPECT_EQ(later.CopyValue("Office_PrinterJobType", kPreferencesAnyUser), std::nullopt);
    EXPECT_EQ(later.CopyValue("Other_PrinterJobType", kPreferencesCurrentUser), std::nullopt);

    ASSERT_TRUE(later.SetValue("Office_PrinterJobType", std::nullopt, kPreferencesCurrentUser));
    ASSERT_TRUE(later.Synchronize(kPreferencesCurrentUser));
    later.Reset();
    EXPECT_EQ(later.CopyValue("Office_PrinterJobType", kPreferencesCurrentUser), std::nullopt);
    EXPECT_EQ(later.CopyValue("Office_PrinterWMARKName", kPreferencesCurrentUser), value);
}

TEST_F(Preferences, ValuesWrittenByOtherToolsAsListsReadBackAsText) {
    PreferenceStore store(OwnGroup());
    const std::string path = store.FilePath(kPreferencesCurrentUser);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "[General]\nOffice_PrinterWMARKName=one, two\n";
    EXPECT_EQ(store.CopyValue("Office_PrinterWMARKName", kPreferencesCurrentUser), "one, two");
}

TEST_F(Preferences, AdministratorsWriteTheAllUsersDomain) {
    const std::string group = OwnGroup();
    ASSERT_FALSE(group.empty());
    PreferenceStore store(group);
    EXPECT_TRUE(store.MayWrite(kPreferencesAnyUser));
    ASSERT_TRUE(store.SetValue("Office_PrinterJBAUserID", "accounting", kPreferencesAnyUser));
    ASSERT_TRUE(store.Synchronize(kPreferencesAnyUser));
    const std::string contents = ReadFile(store.FilePath(kPreferencesAnyUser));
    EXPECT_NE(contents.find("Office_PrinterJBAUserID=accounting"), std::string::npos);

    // The current user's domain is a different file.
    PreferenceStore reader(group);
    EXPECT_EQ(reader.CopyValue("Office_PrinterJBAUserID", kPreferencesAnyUser), "accounting");
    EXPECT_EQ(reader.CopyValue("Office_PrinterJBAUserID", kPreferencesCurrentUser), std::nullopt);
}

TEST_F(Preferences, NonAdministratorsAreRefusedTheAllUsersDomainButMayReadIt) {
    {
        PreferenceStore admin(OwnGroup());
        ASSERT_TRUE(admin.SetValue("Office_PrinterJBAUserID", "set by admin", kPreferencesAnyUser));
        ASSERT_TRUE(admin.Synchronize(kPreferencesAnyUser));
    }
    for (const char* otherGroup : {"kestrane-no-such-group", "nogroup"}) {
        PreferenceStore store(otherGroup);
        if (CheckUserGroups(CurrentLoginName().c_str(), otherGroup))
            continue; // the person running the tests is in it after all
        EXPECT_FALSE(store.MayWrite(kPreferencesAnyUser)) << otherGroup;
        EXPECT_FALSE(store.SetValue("Office_PrinterJBAUserID", "changed", kPreferencesAnyUser));
        EXPECT_FALSE(store.SetValue("Office_PrinterJBAUserID", std::nullopt, kPreferencesAnyUser));
        store.Synchronize(kPreferencesAnyUser);
        EXPECT_EQ(store.CopyValue("Office_PrinterJBAUserID", kPreferencesAnyUser), "set by admin");
        EXPECT_TRUE(store.SetValue("Office_PrinterJBAUserID", "mine", kPreferencesCurrentUser));
    }
    PreferenceStore fresh(OwnGroup());
    EXPECT_EQ(fresh.CopyValue("Office_PrinterJBAUserID", kPreferencesAnyUser), "set by admin");
}

TEST_F(Preferences, UnknownUsersAndUnwritableRootsFail) {
    PreferenceStore store(OwnGroup());
    EXPECT_FALSE(store.SetValue("k", "v", "somebody-else"));
    EXPECT_EQ(store.CopyValue("k", "somebody-else"), std::nullopt);
    EXPECT_FALSE(store.Synchronize("somebody-else"));
    EXPECT_FALSE(store.SetValue("", "v", kPreferencesCurrentUser));

    // A root that is a plain file cannot hold the preferences folder.
    const std::string blocker = root.Write("blocker", "x");
    ScopedEnv blocked("KESTRANE_PREFS_USER_ROOT", blocker);
    ASSERT_TRUE(store.SetValue("k", "v", kPreferencesCurrentUser));
    EXPECT_FALSE(store.Synchronize(kPreferencesCurrentUser));
}
