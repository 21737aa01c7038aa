// A dictionary of text, number, Boolean and sub-dictionary values with a lock
// flag per key: the print settings and the page format's tickets are made of it.
#pragma once

#include "PlatformExport.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class SettingsDictionary;

// One value. Text is UTF-8.
class KESTRANE_PLATFORM_EXPORT SettingsValue {
public:
    enum class Kind { Text, Number, Boolean, Dictionary };

    SettingsValue(); // empty text
    static SettingsValue Text(std::string text);
    static SettingsValue Number(double number);
    static SettingsValue Boolean(bool flag);
    static SettingsValue Dictionary(const SettingsDictionary& dict);

    SettingsValue(const SettingsValue& other);
    SettingsValue& operator=(const SettingsValue& other);
    SettingsValue(SettingsValue&&) noexcept;
    SettingsValue& operator=(SettingsValue&&) noexcept;
    ~SettingsValue();

    Kind GetKind() const { return m_kind; }
    // Null / nullopt when the value is of another kind.
    const std::string* AsText() const;
    std::optional<double> AsNumber() const;
    std::optional<bool> AsBoolean() const;
    const SettingsDictionary* AsDictionary() const;
    SettingsDictionary* AsDictionary();

    bool operator==(const SettingsValue& other) const;

private:
    Kind m_kind = Kind::Text;
    std::string m_text;
    double m_number = 0;
    bool m_flag = false;
    std::unique_ptr<SettingsDictionary> m_dict; // deep-copied with the value
};

class KESTRANE_PLATFORM_EXPORT SettingsDictionary {
public:
    // Stores the value under the key. A locked key keeps its value and the
    // answer is kStatusLockIgnored; otherwise 0. `locked` locks the new value
    // against later changes by other parts of the dialog.
    int SetValue(const std::string& key, SettingsValue value, bool locked);
    int SetText(const std::string& key, const std::string& text, bool locked = false);
    int SetNumber(const std::string& key, double number, bool locked = false);
    int SetBoolean(const std::string& key, bool flag, bool locked = false);
    int SetDictionary(const std::string& key, const SettingsDictionary& dict, bool locked = false);

    // Null when absent.
    const SettingsValue* GetValue(const std::string& key) const;
    // 0, or kStatusSessionItemMissing when absent or of another kind (out untouched).
    int GetText(const std::string& key, std::string& out) const;
    int GetNumber(const std::string& key, double& out) const;
    int GetBoolean(const std::string& key, bool& out) const;
    // Null when absent or not a dictionary.
    const SettingsDictionary* GetDictionary(const std::string& key) const;
    // A sub-dictionary to edit in place; null when absent, not a dictionary
    // or locked.
    SettingsDictionary* GetMutableDictionary(const std::string& key);

    bool Contains(const std::string& key) const;
    bool IsLocked(const std::string& key) const;
    // Removes an unlocked key: 0; kStatusLockIgnored when locked;
    // kStatusSessionItemMissing when absent.
    int RemoveValue(const std::string& key);

    std::vector<std::string> Keys() const; // sorted
    std::size_t Count() const { return m_entries.size(); }
    bool operator==(const SettingsDictionary& other) const;

private:
    struct Entry {
        SettingsValue value;
        bool locked = false;
        bool operator==(const Entry&) const = default;
    };
    std::map<std::string, Entry> m_entries;
};
