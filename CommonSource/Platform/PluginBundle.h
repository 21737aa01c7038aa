// A plug-in bundle: a directory with its information dictionary "Info.json",
// its "Resources/" (interface files, strings tables, images) and "Help/".
#pragma once

#include "PlatformExport.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

class StringsTable;

// Default strings table.
inline constexpr const char* kDefaultStringsTable = "Localizable";

class KESTRANE_PLATFORM_EXPORT PluginBundle {
public:
    // Opens the bundle at a directory and keeps it for the life of the
    // process; the same directory gives the same object. Null when the
    // directory has no readable Info.json object.
    static PluginBundle* Open(const std::string& directory);
    // A bundle opened before, by its "CFBundleIdentifier"; null when none.
    static PluginBundle* WithIdentifier(const std::string& identifier);

    ~PluginBundle();
    PluginBundle(const PluginBundle&) = delete;
    PluginBundle& operator=(const PluginBundle&) = delete;

    const std::string& Path() const { return m_path; }
    const std::string& Identifier() const { return m_identifier; }
    std::string ResourcesPath() const;
    // A string of the information dictionary ("CFBundleShortVersionString",
    // "CFBundleHelpBookName", ...); nullopt when absent or not a string.
    std::optional<std::string> InfoString(const std::string& key) const;

    // Path of "<name>.<type>" (type may be empty) looked up in
    // Resources/<folder>/, then in <bundle>/<folder>/; empty when missing.
    std::string PathForResource(const std::string& name, const std::string& type,
                                const std::string& folder = {}) const;

    // The key's text in the table (empty: "Localizable"); `value` when the
    // table or the key is missing.
    std::string LocalizedString(const std::string& key, const std::string& value,
                                const std::string& table = {}) const;

private:
    explicit PluginBundle(std::string path);
    const StringsTable* Table(const std::string& table) const;

    std::string m_path;
    std::string m_identifier;
    std::map<std::string, std::string> m_info;
    mutable std::map<std::string, std::unique_ptr<StringsTable>> m_tables;
};
