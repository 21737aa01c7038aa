// Where a remembered password or code of the current user goes: the
// desktop's secret store (libsecret or KWallet, through QtKeychain) when one
// is running, otherwise nothing, and the preference store keeps the value in
// the user's private INI file instead.
#pragma once

#include <optional>
#include <string>

// Preference keys that hold a password or code ("...PasswordTextEdit...").
bool IsSecretPreferenceKey(const std::string& key);

class SecretStore {
public:
    // The process's store; KESTRANE_SECRET_STORE=ini turns it off.
    static SecretStore& Shared();

    // True when a secret service answers (asked once per process).
    bool Available();
    // nullopt when absent or the service failed.
    std::optional<std::string> Read(const std::string& key);
    // Stores, or with nullopt deletes; false when the service failed.
    bool Write(const std::string& key, const std::optional<std::string>& value);

private:
    std::optional<bool> m_available;
};
