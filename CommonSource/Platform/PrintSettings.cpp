#include "PrintSettings.h"

std::vector<std::pair<std::string, std::string>> PrintSettings::TextValues() const {
    std::vector<std::pair<std::string, std::string>> values;
    for (const std::string& key : Keys()) {
        const std::string* text = GetValue(key)->AsText();
        if (text)
            values.emplace_back(key, *text);
    }
    return values;
}
