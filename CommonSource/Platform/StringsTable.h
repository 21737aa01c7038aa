// A localised strings table: a `.strings` file of lines
//     "key" = "value";
// with /* */ and // comments and the escapes \" \\ \n \t \r \Uxxxx.
#pragma once

#include "PlatformExport.h"

#include <map>
#include <optional>
#include <string>

class KESTRANE_PLATFORM_EXPORT StringsTable {
public:
    // False when the file cannot be read or is malformed; the entries read
    // before the fault stay.
    bool LoadFile(const std::string& path);
    bool Parse(const std::string& text);

    std::optional<std::string> Lookup(const std::string& key) const;
    std::size_t Count() const { return m_entries.size(); }

private:
    std::map<std::string, std::string> m_entries;
};
