// The print settings of a job (the "ticket"): keys with values and lock flags.
// The host turns every text value into a CUPS job option of the same name.
#pragma once

#include "SettingsDictionary.h"

#include <string>
#include <utility>
#include <vector>

class KESTRANE_PLATFORM_EXPORT PrintSettings : public SettingsDictionary {
public:
    // Every text value with its key, sorted by key; other kinds are skipped.
    std::vector<std::pair<std::string, std::string>> TextValues() const;
};
