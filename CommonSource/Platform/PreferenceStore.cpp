#include "PreferenceStore.h"

#include "SecretStore.h"
#include "UserGroups.h"

#include <QSettings>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::string(value) : fallback;
}

// The all-users files belong to the administrators' group so that any of
// them may change them later.
void HandToAdminGroup(const std::string& path, const std::string& adminGroup, mode_t mode) {
    if (geteuid() != 0)
        return;
    if (const group* gr = getgrnam(adminGroup.c_str())) {
        if (chown(path.c_str(), static_cast<uid_t>(-1), gr->gr_gid) == 0)
            chmod(path.c_str(), mode);
    }
}

// Makes the user's folders private, creating those that are missing.
void MakePrivateDirectories(const fs::path& root, const fs::path& dir) {
    std::error_code ec;
    for (const fs::path& d : {root, dir}) {
        if (!fs::exists(d, ec))
            fs::create_directories(d, ec);
        if (fs::is_directory(d, ec) && !fs::is_symlink(d, ec))
            chmod(d.c_str(), 0700);
    }
}

// Why a preference file could not be written, as the person is told.
std::string WriteFailure(const std::string& path) {
    std::error_code ec;
    const fs::path dir = fs::path(path).parent_path();
    std::string why = "could not be written (is the disk full?)";
    if (fs::is_directory(path, ec))
        why = "is a directory";
    else if (!fs::is_directory(dir, ec))
        why = "has no folder to live in (" + dir.string() + " is not a directory)";
    else if (fs::exists(path, ec) && access(path.c_str(), R_OK) != 0)
        why = "cannot be read";
    else if (fs::exists(path, ec) && access(path.c_str(), W_OK) != 0)
        why = "is read-only";
    else if (access(dir.c_str(), W_OK) != 0)
        why = "lives in a folder that cannot be written";
    return path + ": " + why;
}

} // namespace

PreferenceStore::PreferenceStore(std::string adminGroup) : m_adminGroup(std::move(adminGroup)) {}
PreferenceStore::~PreferenceStore() = default;

PreferenceStore& PreferenceStore::Shared() {
    static PreferenceStore store(AdminGroupName());
    return store;
}

std::string PreferenceStore::UserRoot() {
    if (const char* root = std::getenv("KESTRANE_PREFS_USER_ROOT"); root && *root)
        return root;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg)
        return std::string(xdg) + "/kestrane";
    std::string home = EnvOr("HOME", "");
    if (home.empty())
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir)
            home = pw->pw_dir;
    return home + "/.config/kestrane";
}

std::string PreferenceStore::SystemRoot() {
    return EnvOr("KESTRANE_PREFS_SYSTEM_ROOT", KESTRANE_PREFS_SYSTEM_DIR_DEFAULT);
}

std::string PreferenceStore::CurrentHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0 || !name[0])
        return "localhost";
    std::string host(name);
    for (char& c : host)
        if (c == '/')
            c = '_';
    return host;
}

std::string PreferenceStore::SecretKey(const std::string& key) {
    return CurrentHostName() + "/" + key;
}

PreferenceStore::Domain PreferenceStore::DomainOf(const std::string& user) const {
    if (user == kPreferencesCurrentUser)
        return kCurrentUser;
    if (user == kPreferencesAnyUser)
        return kAnyUser;
    if (!user.empty() && user == CurrentLoginName())
        return kCurrentUser;
    return kUnknown;
}

std::string PreferenceStore::FilePath(const std::string& user) const {
    const Domain domain = DomainOf(user);
    if (domain == kUnknown)
        return {};
    const std::string root = domain == kCurrentUser ? UserRoot() : SystemRoot();
    return root + "/ByHost/GlobalPreferences." + CurrentHostName() + ".ini";
}

bool PreferenceStore::MayWrite(const std::string& user) const {
    const Domain domain = DomainOf(user);
    if (domain == kCurrentUser)
        return true;
    if (domain != kAnyUser)
        return false;
    const std::string login = CurrentLoginName();
    return !login.empty() && CheckUserGroups(login.c_str(), m_adminGroup.c_str());
}

QSettings* PreferenceStore::Settings(Domain domain) {
    if (domain == kUnknown)
        return nullptr;
    const std::string path =
        FilePath(domain == kCurrentUser ? kPreferencesCurrentUser : kPreferencesAnyUser);
    // The roots come from the environment and may have moved since.
    if (!m_settings[domain] || m_paths[domain] != path) {
        m_settings[domain] =
            std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
        m_paths[domain] = path;
    }
    return m_settings[domain].get();
}

bool PreferenceStore::SetValue(const std::string& key, const std::optional<std::string>& value,
                               const std::string& user) {
    if (key.empty() || !MayWrite(user))
        return false;
    const Domain domain = DomainOf(user);
    QSettings* settings = Settings(domain);
    const QString qkey = QString::fromStdString(key);
    // The user's passwords go to the secret store; the INI file then keeps
    // no copy of them.
    if (domain == kCurrentUser && IsSecretPreferenceKey(key) &&
        SecretStore::Shared().Write(SecretKey(key), value)) {
        settings->remove(qkey);
        return true;
    }
    if (value)
        settings->setValue(qkey, QString::fromStdString(*value));
    else
        settings->remove(qkey);
    return true;
}

std::optional<std::string> PreferenceStore::CopyValue(const std::string& key,
                                                      const std::string& user) {
    QSettings* settings = Settings(DomainOf(user));
    if (!settings || key.empty())
        return std::nullopt;
    if (DomainOf(user) == kCurrentUser && IsSecretPreferenceKey(key))
        if (std::optional<std::string> secret = SecretStore::Shared().Read(SecretKey(key)))
            return secret;
    const QVariant value = settings->value(QString::fromStdString(key));
    if (!value.isValid())
        return std::nullopt;
    // A text with commas written by another tool reads back as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(", ").toStdString();
    return value.toString().toStdString();
}

bool PreferenceStore::Synchronize(const std::string& user) {
    const Domain domain = DomainOf(user);
    if (domain == kUnknown)
        return false;
    QSettings* settings = Settings(domain);
    const std::string path = m_paths[domain];
    const bool adminDomain = domain == kAnyUser;
    if (adminDomain && MayWrite(user)) {
        std::error_code ec;
        const fs::path dir = fs::path(path).parent_path();
        if (!fs::exists(dir, ec)) {
            fs::create_directories(dir, ec);
            HandToAdminGroup(dir.string(), m_adminGroup, 02775);
        }
    }
    if (adminDomain) {
        settings->sync();
    } else {
        MakePrivateDirectories(UserRoot(), fs::path(path).parent_path());
        // The file is born private; the mode is set again for a file that
        // an older version left readable to others.
        const mode_t old = umask(077);
        settings->sync();
        umask(old);
        std::error_code ec;
        if (fs::is_regular_file(path, ec))
            chmod(path.c_str(), 0600);
    }
    const bool ok = settings->status() == QSettings::NoError;
    if (ok && adminDomain && MayWrite(user))
        HandToAdminGroup(path, m_adminGroup, 0664);
    if (!ok && m_failedPaths.insert(path).second)
        m_failures.push_back(WriteFailure(path));
    return ok;
}

std::vector<std::string> PreferenceStore::TakeWriteFailures() {
    std::vector<std::string> out;
    out.swap(m_failures);
    return out;
}

void PreferenceStore::Reset() {
    for (auto& settings : m_settings)
        settings.reset();
    for (auto& path : m_paths)
        path.clear();
}
