// Temporary job files in the spool directory and the user and group checks.
#include "SpoolFiles.h"
#include "UserGroups.h"

#include "PDEResourceAccess.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : m_old(umask(mask)) {}
    ~ScopedUmask() { umask(m_old); }

private:
    mode_t m_old;
};

} // namespace

TEST(SpoolFile, IsCreatedInTheSpoolDirectoryReadableByTheFilter) {
    TempDir spool;
    ScopedEnv env("KESTRANE_SPOOL_DIR", spool.Path() + "/");
    EXPECT_EQ(SpoolDirectory(), spool.Path() + "/");
    ScopedUmask mask(077); // the mode must not depend on the caller's umask

    std::string first, second;
    const int fd1 = CreateSpoolFile("KPIFTicket_", ".xml", first);
    const int fd2 = CreateSpoolFile("KPIFTicket_", ".xml", second);
    ASSERT_GE(fd1, 0);
    ASSERT_GE(fd2, 0);
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
        EXPECT_EQ(path.rfind(spool.Path() + "/KPIFTicket_", 0), 0u) << path;
        EXPECT_EQ(path.substr(path.size() - 4), ".xml");
        EXPECT_EQ(path.size(), spool.Path().size() + 1 + 11 + 6 + 4);
        struct stat st {};
        ASSERT_EQ(lstat(path.c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, 0644u) << path;
    }
    EXPECT_EQ(write(fd1, "ticket", 6), 6);
    EXPECT_NE(fcntl(fd1, F_GETFD) & FD_CLOEXEC, 0);
    close(fd1);
    close(fd2);
}

TEST(SpoolFile, JobFileNamesAreUnpredictableLettersAndDigitsOfTheGivenLength) {
    TempDir spool;
    ScopedEnv env("KESTRANE_SPOOL_DIR", spool.Path());
    for (int length : {14, 12, 6}) {
        std::string path;
        const int fd = CreateSpoolTempFile(length, path);
        ASSERT_GE(fd, 0) << length;
        close(fd);
        const std::string name = path.substr(spool.Path().size() + 1);
        EXPECT_EQ(path.substr(0, spool.Path().size() + 1), spool.Path() + "/");
        EXPECT_EQ(name.size(), static_cast<std::size_t>(length));
        EXPECT_EQ(name.find_first_not_of(
                      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
                  std::string::npos)
            << name;
        EXPECT_EQ(name.find("XXXX"), std::string::npos) << name;
    }
    std::string path = "stale";
    EXPECT_EQ(CreateSpoolTempFile(5, path), -1);
    EXPECT_EQ(path, "");
}

TEST(SpoolFile, RefusesNamesLeavingTheDirectoryAndMissingDirectories) {
    TempDir spool;
    ScopedEnv env("KESTRANE_SPOOL_DIR", spool.Path());
    std::string path = "stale";
    EXPECT_EQ(CreateSpoolFile("../escape", "", path), -1);
    EXPECT_EQ(path, "");
    EXPECT_EQ(CreateSpoolFile("a", "/b", path), -1);

    ScopedEnv missing("KESTRANE_SPOOL_DIR", spool / "missing");
    EXPECT_EQ(CreateSpoolFile("WMImage_", ".png", path), -1);
    EXPECT_EQ(path, "");
}

TEST(UserGroups, PrimaryGroupAndListedMembersCount) {
    const std::string login = CurrentLoginName();
    ASSERT_FALSE(login.empty());
    const passwd* pw = getpwnam(login.c_str());
    ASSERT_NE(pw, nullptr);
    const std::string primary = getgrgid(pw->pw_gid)->gr_name;
    EXPECT_TRUE(CheckUserGroups(login.c_str(), primary.c_str()));
    EXPECT_TRUE(MNTest::CheckUserGroups(login.c_str(), primary.c_str()));
    EXPECT_FALSE(CheckUserGroups(login.c_str(), "kestrane-no-such-group"));

    // A listed member whose primary group is another one.
    bool found = false;
    setgrent();
    std::string user, groupName;
    while (const group* gr = getgrent()) {
        for (char** m = gr->gr_mem; m && *m && !found; ++m) {
            const passwd* member = getpwnam(*m);
            if (member && member->pw_gid != gr->gr_gid) {
                user = *m;
                groupName = gr->gr_name;
                found = true;
            }
        }
        if (found)
            break;
    }
    endgrent();
    if (found) {
        EXPECT_TRUE(CheckUserGroups(user.c_str(), groupName.c_str())) << user << " " << groupName;
    }
}

TEST(UserGroups, UnknownUsersAreReportedAndRefused) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(CheckUserGroups("kestrane-no-such-user", "root"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "groups: no such user.\n");
    EXPECT_FALSE(CheckUserGroups(nullptr, "root"));
    EXPECT_FALSE(CheckUserGroups("root", nullptr));
    EXPECT_EQ(IsUserAdmin(), CheckUserGroups(CurrentLoginName().c_str(), AdminGroupName()));
}
