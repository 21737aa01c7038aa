#include "UserGroups.h"

#include <cstdio>
#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

const char* AdminGroupName() {
    return KESTRANE_ADMIN_GROUP_NAME;
}

std::string CurrentLoginName() {
    if (const char* login = getlogin(); login && *login)
        return login;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_name)
        return pw->pw_name;
    return {};
}

bool CheckUserGroups(const char* userName, const char* groupName) {
    if (!userName || !groupName)
        return false;
    const passwd* pw = getpwnam(userName);
    if (!pw) {
        std::fputs("groups: no such user.\n", stderr);
        return false;
    }
    const gid_t primary = pw->pw_gid;
    const std::string user = userName; // pw's storage is reused by the calls below

    // The same group may be listed by more than one source (files, NIS...),
    // so every entry of that name counts.
    bool member = false;
    setgrent();
    while (const group* gr = getgrent()) {
        if (!gr->gr_name || std::strcmp(gr->gr_name, groupName) != 0)
            continue;
        if (gr->gr_gid == primary) {
            member = true;
            break;
        }
        for (char** m = gr->gr_mem; m && *m; ++m) {
            if (user == *m) {
                member = true;
                break;
            }
        }
        if (member)
            break;
    }
    endgrent();
    return member;
}

bool IsUserAdmin() {
    const std::string login = CurrentLoginName();
    if (login.empty())
        return false;
    return CheckUserGroups(login.c_str(), AdminGroupName());
}
