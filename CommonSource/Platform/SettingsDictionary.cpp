#include "SettingsDictionary.h"

#include "PlatformStatus.h"

SettingsValue::SettingsValue() = default;
SettingsValue::~SettingsValue() = default;
SettingsValue::SettingsValue(SettingsValue&&) noexcept = default;
SettingsValue& SettingsValue::operator=(SettingsValue&&) noexcept = default;

SettingsValue::SettingsValue(const SettingsValue& other)
    : m_kind(other.m_kind), m_text(other.m_text), m_number(other.m_number), m_flag(other.m_flag),
      m_dict(other.m_dict ? std::make_unique<SettingsDictionary>(*other.m_dict) : nullptr) {}

SettingsValue& SettingsValue::operator=(const SettingsValue& other) {
    if (this != &other) {
        SettingsValue copy(other);
        *this = std::move(copy);
    }
    return *this;
}

SettingsValue SettingsValue::Text(std::string text) {
    SettingsValue v;
    v.m_kind = Kind::Text;
    v.m_text = std::move(text);
    return v;
}

SettingsValue SettingsValue::Number(double number) {
    SettingsValue v;
    v.m_kind = Kind::Number;
    v.m_number = number;
    return v;
}

SettingsValue SettingsValue::Boolean(bool flag) {
    SettingsValue v;
    v.m_kind = Kind::Boolean;
    v.m_flag = flag;
    return v;
}

SettingsValue SettingsValue::Dictionary(const SettingsDictionary& dict) {
    SettingsValue v;
    v.m_kind = Kind::Dictionary;
    v.m_dict = std::make_unique<SettingsDictionary>(dict);
    return v;
}

const std::string* SettingsValue::AsText() const {
    return m_kind == Kind::Text ? &m_text : nullptr;
}

std::optional<double> SettingsValue::AsNumber() const {
    if (m_kind != Kind::Number)
        return std::nullopt;
    return m_number;
}

std::optional<bool> SettingsValue::AsBoolean() const {
    if (m_kind != Kind::Boolean)
        return std::nullopt;
    return m_flag;
}

const SettingsDictionary* SettingsValue::AsDictionary() const {
    return m_kind == Kind::Dictionary ? m_dict.get() : nullptr;
}

SettingsDictionary* SettingsValue::AsDictionary() {
    return m_kind == Kind::Dictionary ? m_dict.get() : nullptr;
}

bool SettingsValue::operator==(const SettingsValue& other) const {
    if (m_kind != other.m_kind)
        return false;
    switch (m_kind) {
    case Kind::Text:
        return m_text == other.m_text;
    case Kind::Number:
        return m_number == other.m_number;
    case Kind::Boolean:
        return m_flag == other.m_flag;
    case Kind::Dictionary:
        return *m_dict == *other.m_dict;
    }
    return false;
}

int SettingsDictionary::SetValue(const std::string& key, SettingsValue value, bool locked) {
    auto it = m_entries.find(key);
    if (it != m_entries.end()) {
        if (it->second.locked)
            return kStatusLockIgnored;
        it->second.value = std::move(value);
        it->second.locked = locked;
        return kStatusNoErr;
    }
    m_entries.emplace(key, Entry{std::move(value), locked});
    return kStatusNoErr;
}

int SettingsDictionary::SetText(const std::string& key, const std::string& text, bool locked) {
    return SetValue(key, SettingsValue::Text(text), locked);
}

int SettingsDictionary::SetNumber(const std::string& key, double number, bool locked) {
    return SetValue(key, SettingsValue::Number(number), locked);
}

int SettingsDictionary::SetBoolean(const std::string& key, bool flag, bool locked) {
    return SetValue(key, SettingsValue::Boolean(flag), locked);
}

int SettingsDictionary::SetDictionary(const std::string& key, const SettingsDictionary& dict,
                                      bool locked) {
    return SetValue(key, SettingsValue::Dictionary(dict), locked);
}

const SettingsValue* SettingsDictionary::GetValue(const std::string& key) const {
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second.value;
}

int SettingsDictionary::GetText(const std::string& key, std::string& out) const {
    const SettingsValue* v = GetValue(key);
    if (!v || !v->AsText())
        return kStatusSessionItemMissing;
    out = *v->AsText();
    return kStatusNoErr;
}

int SettingsDictionary::GetNumber(const std::string& key, double& out) const {
    const SettingsValue* v = GetValue(key);
    if (!v || !v->AsNumber())
        return kStatusSessionItemMissing;
    out = *v->AsNumber();
    return kStatusNoErr;
}

int SettingsDictionary::GetBoolean(const std::string& key, bool& out) const {
    const SettingsValue* v = GetValue(key);
    if (!v || !v->AsBoolean())
        return kStatusSessionItemMissing;
    out = *v->AsBoolean();
    return kStatusNoErr;
}

const SettingsDictionary* SettingsDictionary::GetDictionary(const std::string& key) const {
    const SettingsValue* v = GetValue(key);
    return v ? v->AsDictionary() : nullptr;
}

SettingsDictionary* SettingsDictionary::GetMutableDictionary(const std::string& key) {
    auto it = m_entries.find(key);
    if (it == m_entries.end() || it->second.locked)
        return nullptr;
    return it->second.value.AsDictionary();
}

bool SettingsDictionary::Contains(const std::string& key) const {
    return m_entries.count(key) != 0;
}

bool SettingsDictionary::IsLocked(const std::string& key) const {
    auto it = m_entries.find(key);
    return it != m_entries.end() && it->second.locked;
}

int SettingsDictionary::RemoveValue(const std::string& key) {
    auto it = m_entries.find(key);
    if (it == m_entries.end())
        return kStatusSessionItemMissing;
    if (it->second.locked)
        return kStatusLockIgnored;
    m_entries.erase(it);
    return kStatusNoErr;
}

std::vector<std::string> SettingsDictionary::Keys() const {
    std::vector<std::string> keys;
    keys.reserve(m_entries.size());
    for (const auto& [key, entry] : m_entries)
        keys.push_back(key);
    return keys;
}

bool SettingsDictionary::operator==(const SettingsDictionary& other) const {
    return m_entries == other.m_entries;
}
