// Sort comparators of the page lists: ascending by integer value.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace KESTRANE_NS {

// Integer value of a text as the lists store numbers: leading blanks and a
// sign, then digits; 0 when there are none.
int IntValueOfString(const std::string& text);

int numCompare(const std::string& a, const std::string& b, void* context);
// Compares the arrays' first elements; an empty array counts as 0.
int pageNumCompare(const std::vector<std::string>& a, const std::vector<std::string>& b,
                   void* context);
// Compares the values under key; a missing value counts as 0.
int pageNumCompareDict(const std::map<std::string, std::string>& a,
                       const std::map<std::string, std::string>& b, const std::string& key);

} // namespace KESTRANE_NS
