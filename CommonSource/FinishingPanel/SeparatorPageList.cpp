#include "SeparatorPageList.h"

#include "FinishingUnits.h"

#include <algorithm>

namespace KESTRANE_NS {

namespace {

std::string WithoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

} // namespace

int IsPageInputValid(const std::string& text) {
    if (text.empty())
        return kSeparatorListOK;
    for (char c : text)
        if (c != ' ' && c != ',' && (c < '0' || c > '9'))
            return kSeparatorListBad;
    if (text.front() == ',' || text.back() == ',')
        return kSeparatorListBad;
    const std::string compact = WithoutBlanks(text);
    if (compact.empty() || compact.find(",,") != std::string::npos)
        return kSeparatorListBad;
    if (std::count(compact.begin(), compact.end(), ',') > kSeparatorMaxPages - 1)
        return kSeparatorListTooMany;
    // Digits split by blanks ("3 5") are not one page number.
    for (const std::string& part : Split(text, ',')) {
        std::string trimmed = part;
        trimmed.erase(0, trimmed.find_first_not_of(' '));
        trimmed.erase(trimmed.find_last_not_of(' ') + 1);
        if (trimmed.find(' ') != std::string::npos)
            return kSeparatorListBad;
    }
    for (const std::string& part : Split(compact, ',')) {
        auto page = ParseFieldNumber(part, 0);
        if (!page || *page < kSeparatorFirstPage || *page > kSeparatorLastPage)
            return kSeparatorListBad;
    }
    return kSeparatorListOK;
}

const char* SeparatorListMessageKey(int error) {
    switch (error) {
    case kSeparatorListOK:
        return nullptr;
    case kSeparatorListTooMany:
        return "Message22d";
    default:
        return "Message22c";
    }
}

std::vector<int> SeparatorPages(const std::string& text) {
    std::vector<int> pages;
    const std::string compact = WithoutBlanks(text);
    if (compact.empty())
        return pages;
    for (const std::string& part : Split(compact, ','))
        if (auto page = ParseFieldNumber(part, 0))
            pages.push_back(*page);
    std::sort(pages.begin(), pages.end());
    return pages;
}

static std::string Join(const std::vector<int>& pages, const char* separator) {
    std::string out;
    for (int page : pages) {
        if (!out.empty())
            out += separator;
        out += std::to_string(page);
    }
    return out;
}

std::string SeparatorStoredForm(const std::string& text) {
    return Join(SeparatorPages(text), " ");
}

std::string SeparatorEntryForm(const std::string& stored) {
    std::vector<int> pages;
    for (const std::string& part : Split(stored, ' '))
        if (auto page = ParseFieldNumber(part, 0))
            pages.push_back(*page);
    return Join(pages, ",");
}

} // namespace KESTRANE_NS
