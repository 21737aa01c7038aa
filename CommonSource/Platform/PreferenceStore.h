// User preferences in INI files: one domain shared by all applications, kept
// per host, for the current user or for all users.
//
// Current user:  $KESTRANE_PREFS_USER_ROOT, else $XDG_CONFIG_HOME/kestrane,
//                else ~/.config/kestrane
// All users:     $KESTRANE_PREFS_SYSTEM_ROOT, else the build default
//                (a directory writable by the administrators' group only)
// File:          <root>/ByHost/GlobalPreferences.<host name>.ini
//
// The current user's folders are made mode 0700 and the file 0600: panels may
// remember account names and codes there.
#pragma once

#include "PlatformExport.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QSettings;

// User domains. A control names one of these; the current login name also
// means the current user.
inline constexpr const char* kPreferencesCurrentUser = "kCFPreferencesCurrentUser";
inline constexpr const char* kPreferencesAnyUser = "kCFPreferencesAnyUser";

class KESTRANE_PLATFORM_EXPORT PreferenceStore {
public:
    // `adminGroup`: members may write the all-users domain.
    explicit PreferenceStore(std::string adminGroup);
    ~PreferenceStore();
    PreferenceStore(const PreferenceStore&) = delete;
    PreferenceStore& operator=(const PreferenceStore&) = delete;

    // The store of the process, with the build's administrators' group.
    static PreferenceStore& Shared();

    // Sets (or, with nullopt, removes) a value in memory; Synchronize writes
    // it to disk. False for an unknown user domain, or for the all-users
    // domain when the person running is not an administrator.
    bool SetValue(const std::string& key, const std::optional<std::string>& value,
                  const std::string& user);
    // The value, or nullopt when absent or the user domain is unknown.
    std::optional<std::string> CopyValue(const std::string& key, const std::string& user);
    // Writes the domain's pending changes to disk and re-reads it. True when
    // the file was written (or there was nothing to write).
    bool Synchronize(const std::string& user);
    // Drops cached files so the next access reads them from disk.
    void Reset();
    // Files that could not be written since the last call, each told once
    // for the life of the store ("<path>: <why>").
    std::vector<std::string> TakeWriteFailures();

    // Path of the domain's file for this host; empty for an unknown domain.
    std::string FilePath(const std::string& user) const;
    bool MayWrite(const std::string& user) const;

    static std::string UserRoot();
    static std::string SystemRoot();
    static std::string CurrentHostName();

private:
    enum Domain { kCurrentUser = 0, kAnyUser = 1, kUnknown = 2 };
    Domain DomainOf(const std::string& user) const;
    // The key of a value in the secret store: per host, as the files are.
    static std::string SecretKey(const std::string& key);
    QSettings* Settings(Domain domain);

    std::string m_adminGroup;
    std::unique_ptr<QSettings> m_settings[2];
    std::string m_paths[2];
    std::vector<std::string> m_failures;
    std::set<std::string> m_failedPaths;
};
