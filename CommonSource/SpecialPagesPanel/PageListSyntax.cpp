#include "PageListSyntax.h"

#include "SpecialPageRecord.h"

#include <cctype>
#include <set>

namespace KESTRANE_NS {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

struct PageSet {
    int first = 0;
    int last = 0;
};

// One set of the normalised text; reads the number strictly so that a long
// run of digits is an out-of-range page, not an overflow.
PageListError ParseSet(const std::string& set, int lowest, PageSet& out) {
    const auto dash = set.find('-');
    if (dash != std::string::npos && set.find('-', dash + 1) != std::string::npos)
        return kPageListSyntax;
    auto number = [lowest](const std::string& text, int& value) {
        return ParseBoundedInt(text, lowest, kSPMaxPage, value) && IsDigit(text[0]);
    };
    if (dash == std::string::npos)
        return number(set, out.first) ? (out.last = out.first, kPageListOK) : kPageListSyntax;
    const std::string left = set.substr(0, dash);
    const std::string right = set.substr(dash + 1);
    if (left.empty() && right.empty())
        return kPageListSyntax;
    out.first = 1;
    out.last = kSPMaxPage;
    if (!left.empty() && !number(left, out.first))
        return kPageListSyntax;
    if (!right.empty() && !number(right, out.last))
        return kPageListSyntax;
    return out.last < out.first ? kPageListReversed : kPageListOK;
}

PageListError ParseSets(const std::string& text, int lowest, std::vector<PageSet>& sets) {
    for (char c : text)
        if (!IsDigit(c) && c != ',' && c != '-' && c != ' ')
            return kPageListSyntax;
    const std::string normal = NormalisePageList(text);
    std::size_t start = 0;
    while (start < normal.size()) {
        const auto comma = normal.find(',', start);
        PageSet set;
        if (PageListError e = ParseSet(normal.substr(start, comma - start), lowest, set))
            return e;
        sets.push_back(set);
        start = comma + 1;
    }
    return kPageListOK;
}

} // namespace

std::string NormalisePageList(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == ' ') {
            std::size_t next = text.find_first_not_of(' ', i);
            if (!out.empty() && IsDigit(out.back()) && next != std::string::npos &&
                IsDigit(text[next]))
                c = ',';
            else
                continue;
        }
        if (c == ',' && (out.empty() || out.back() == ','))
            continue;
        out += c;
    }
    if (!out.empty() && out.back() != ',')
        out += ',';
    return out;
}

PageListResult ParseInsertPageList(const std::string& text, bool hasFrontCover) {
    PageListResult result;
    std::vector<PageSet> sets;
    if (text.size() > kPageListMaxLength) {
        result.error = kPageListSyntax;
        return result;
    }
    if ((result.error = ParseSets(text, 0, sets)))
        return result;
    result.setCount = static_cast<int>(sets.size());
    for (PageSet set : sets) {
        if (hasFrontCover && set.first == 0)
            set.first = 1;
        for (int page = set.first; page <= set.last; ++page) {
            result.pages.push_back(page);
            // More than the list can hold is refused anyway.
            if (result.pages.size() > static_cast<std::size_t>(kSPMaxInserts)) {
                result.error = kPageListTooMany;
                return result;
            }
        }
    }
    return result;
}

PageListResult ParseExceptionPageList(const std::string& text) {
    PageListResult result;
    std::vector<PageSet> sets;
    if (text.empty() || text.size() > kPageListMaxLength) {
        result.error = kPageListSyntax;
        return result;
    }
    if ((result.error = ParseSets(text, 1, sets)))
        return result;
    result.setCount = static_cast<int>(sets.size());
    if (sets.empty()) {
        result.error = kPageListSyntax;
        return result;
    }
    if (result.setCount > kPageListMaxSets) {
        result.error = kPageListTooMany;
        return result;
    }
    std::set<int> pages;
    for (const PageSet& set : sets)
        for (int page = set.first; page <= set.last; ++page)
            pages.insert(page);
    result.pages.assign(pages.begin(), pages.end());
    return result;
}

const char* InsertPageListMessage(PageListError error) {
    switch (error) {
    case kPageListOK:
        return nullptr;
    case kPageListReversed:
        return "Warning49";
    case kPageListTooMany:
        return "Warning47";
    default:
        return "Warning44";
    }
}

const char* ExceptionPageListMessage(PageListError error) {
    switch (error) {
    case kPageListOK:
        return nullptr;
    case kPageListReversed:
        return "Warning50";
    case kPageListTooMany:
        return "Warning48";
    default:
        return "Warning46";
    }
}

} // namespace KESTRANE_NS
