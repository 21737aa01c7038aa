#include "SecretStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#ifdef KESTRANE_HAVE_KEYCHAIN
#include <qt6keychain/keychain.h>
#endif

namespace {

// All values of the driver live under one service name in the secret store.
constexpr const char* kService = "com.kestrane.printdialog";

#ifdef KESTRANE_HAVE_KEYCHAIN
// Runs a QtKeychain job to its end; the dialog waits as for a file write.
bool RunJob(QKeychain::Job& job) {
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    return job.error() == QKeychain::NoError;
}
#endif

} // namespace

bool IsSecretPreferenceKey(const std::string& key) {
    std::string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower.find("password") != std::string::npos ||
           lower.find("passcode") != std::string::npos;
}

SecretStore& SecretStore::Shared() {
    static SecretStore store;
    return store;
}

bool SecretStore::Available() {
    if (m_available)
        return *m_available;
    m_available = false;
#ifdef KESTRANE_HAVE_KEYCHAIN
    const char* choice = std::getenv("KESTRANE_SECRET_STORE");
    if ((choice && std::strcmp(choice, "ini") == 0) || !QCoreApplication::instance())
        return false;
    // Without a session bus neither libsecret nor KWallet can answer.
    const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (!bus || !*bus)
        return false;
    QKeychain::ReadPasswordJob probe(kService);
    probe.setKey("availability-probe");
    RunJob(probe);
    m_available = probe.error() == QKeychain::NoError || probe.error() == QKeychain::EntryNotFound;
#endif
    return *m_available;
}

std::optional<std::string> SecretStore::Read(const std::string& key) {
    if (!Available())
        return std::nullopt;
#ifdef KESTRANE_HAVE_KEYCHAIN
    QKeychain::ReadPasswordJob job(kService);
    job.setKey(QString::fromStdString(key));
    if (RunJob(job))
        return job.textData().toStdString();
#else
    (void)key;
#endif
    return std::nullopt;
}

bool SecretStore::Write(const std::string& key, const std::optional<std::string>& value) {
    if (!Available())
        return false;
#ifdef KESTRANE_HAVE_KEYCHAIN
    if (value) {
        QKeychain::WritePasswordJob job(kService);
        job.setKey(QString::fromStdString(key));
        job.setTextData(QString::fromStdString(*value));
        return RunJob(job);
    }
    QKeychain::DeletePasswordJob job(kService);
    job.setKey(QString::fromStdString(key));
    return RunJob(job) || job.error() == QKeychain::EntryNotFound;
#else
    (void)key;
    (void)value;
    return false;
#endif
}
