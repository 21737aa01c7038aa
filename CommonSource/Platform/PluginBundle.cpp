#include "PluginBundle.h"

#include "StringsTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Bundles stay open for the life of the process, like the system's.
std::map<std::string, std::unique_ptr<PluginBundle>>& Registry() {
    static std::map<std::string, std::unique_ptr<PluginBundle>> bundles;
    return bundles;
}

bool IsRegularFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

} // namespace

PluginBundle::PluginBundle(std::string path) : m_path(std::move(path)) {}
PluginBundle::~PluginBundle() = default;

PluginBundle* PluginBundle::Open(const std::string& directory) {
    if (directory.empty())
        return nullptr;
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(directory, ec), ec);
    if (ec)
        return nullptr;
    const std::string key = canonical.string();
    auto& registry = Registry();
    if (auto it = registry.find(key); it != registry.end())
        return it->second.get();

    QFile file(QString::fromStdString((canonical / "Info.json").string()));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return nullptr;

    std::unique_ptr<PluginBundle> bundle(new PluginBundle(key));
    const QJsonObject info = doc.object();
    for (auto it = info.begin(); it != info.end(); ++it)
        if (it.value().isString())
            bundle->m_info[it.key().toStdString()] = it.value().toString().toStdString();
    if (auto id = bundle->InfoString("CFBundleIdentifier"))
        bundle->m_identifier = *id;
    PluginBundle* result = bundle.get();
    registry.emplace(key, std::move(bundle));
    return result;
}

PluginBundle* PluginBundle::WithIdentifier(const std::string& identifier) {
    if (identifier.empty())
        return nullptr;
    for (auto& [path, bundle] : Registry())
        if (bundle->m_identifier == identifier)
            return bundle.get();
    return nullptr;
}

std::string PluginBundle::ResourcesPath() const {
    return (fs::path(m_path) / "Resources").string();
}

std::optional<std::string> PluginBundle::InfoString(const std::string& key) const {
    auto it = m_info.find(key);
    if (it == m_info.end())
        return std::nullopt;
    return it->second;
}

std::string PluginBundle::PathForResource(const std::string& name, const std::string& type,
                                          const std::string& folder) const {
    if (name.empty())
        return {};
    std::string file = name;
    if (!type.empty())
        file += type.front() == '.' ? type : "." + type;
    // A resource name never leaves the bundle.
    const fs::path rel = folder.empty() ? fs::path(file) : fs::path(folder) / file;
    for (const auto& part : rel)
        if (part == "..")
            return {};
    const fs::path inResources = fs::path(ResourcesPath()) / rel;
    if (IsRegularFile(inResources))
        return inResources.string();
    if (!folder.empty()) {
        const fs::path inBundle = fs::path(m_path) / rel;
        if (IsRegularFile(inBundle))
            return inBundle.string();
    }
    return {};
}

const StringsTable* PluginBundle::Table(const std::string& table) const {
    const std::string name = table.empty() ? kDefaultStringsTable : table;
    auto it = m_tables.find(name);
    if (it == m_tables.end()) {
        auto loaded = std::make_unique<StringsTable>();
        const std::string path = PathForResource(name, "strings");
        // A table that fails part-way keeps the entries read before the fault.
        if (!path.empty())
            loaded->LoadFile(path);
        it = m_tables.emplace(name, std::move(loaded)).first;
    }
    return it->second.get();
}

std::string PluginBundle::LocalizedString(const std::string& key, const std::string& value,
                                          const std::string& table) const {
    if (auto text = Table(table)->Lookup(key))
        return *text;
    return value;
}
