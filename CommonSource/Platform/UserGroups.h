// User and group checks over the system's user and group databases.
#pragma once

#include "PlatformExport.h"

#include <string>

// The administrators' group (build option).
KESTRANE_PLATFORM_EXPORT const char* AdminGroupName();

// The login name of the person running the process: getlogin(), else the
// name of the real user id; empty when neither is known.
KESTRANE_PLATFORM_EXPORT std::string CurrentLoginName();

// True when the group's id is the user's primary group or the user is
// listed among its members. An unknown user writes "groups: no such user.\n"
// to standard error; unknown user or group gives false.
KESTRANE_PLATFORM_EXPORT bool CheckUserGroups(const char* userName, const char* groupName);

// CheckUserGroups for the login name and the administrators' group.
KESTRANE_PLATFORM_EXPORT bool IsUserAdmin();
