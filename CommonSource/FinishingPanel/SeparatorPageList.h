// The separator pages entry: pages as typed ("10, 3,5"), checked, and kept
// in the form the printer's separator procedure takes ("3 5 10").
#pragma once

#include <string>
#include <vector>

namespace KESTRANE_NS {

inline constexpr int kSeparatorMaxPages = 20;
inline constexpr int kSeparatorFirstPage = 2;
inline constexpr int kSeparatorLastPage = 9999;

enum SeparatorListError {
    kSeparatorListOK = 0,
    kSeparatorListBad = 1,     // "Message22c"
    kSeparatorListTooMany = 2, // "Message22d"
};

// IsPageInputValid: 0, or the error. An empty text is a valid empty list.
int IsPageInputValid(const std::string& text);
// The message key of an error; null for kSeparatorListOK.
const char* SeparatorListMessageKey(int error);
// The pages of a valid entry, ascending.
std::vector<int> SeparatorPages(const std::string& text);
// The stored form: the sorted pages joined by single blanks.
std::string SeparatorStoredForm(const std::string& text);
// The entry form of a stored value: the pages joined by ",".
std::string SeparatorEntryForm(const std::string& stored);

} // namespace KESTRANE_NS
