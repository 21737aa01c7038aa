#include "SortCompare.h"

#include <climits>
#include <cstdlib>

namespace KESTRANE_NS {

namespace {

int Order(int a, int b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

int FirstValue(const std::vector<std::string>& array) {
    return array.empty() ? 0 : IntValueOfString(array.front());
}

int ValueUnder(const std::map<std::string, std::string>& dict, const std::string& key) {
    auto it = dict.find(key);
    return it == dict.end() ? 0 : IntValueOfString(it->second);
}

} // namespace

int IntValueOfString(const std::string& text) {
    long value = std::strtol(text.c_str(), nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

int numCompare(const std::string& a, const std::string& b, void*) {
    return Order(IntValueOfString(a), IntValueOfString(b));
}

int pageNumCompare(const std::vector<std::string>& a, const std::vector<std::string>& b, void*) {
    return Order(FirstValue(a), FirstValue(b));
}

int pageNumCompareDict(const std::map<std::string, std::string>& a,
                       const std::map<std::string, std::string>& b, const std::string& key) {
    return Order(ValueUnder(a, key), ValueUnder(b, key));
}

} // namespace KESTRANE_NS
