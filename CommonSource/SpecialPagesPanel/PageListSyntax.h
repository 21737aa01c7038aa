// Page lists typed into the inserts and exceptions windows: "3 5, 7-9",
// "-4" (from the first page), "5-" (to the last page, 65000).
#pragma once

#include <string>
#include <vector>

namespace KESTRANE_NS {

enum PageListError {
    kPageListOK = 0,
    kPageListSyntax,   // a letter, "1-2-3", a lone "-", a page out of range
    kPageListReversed, // "9-7"
    kPageListTooMany,  // more sets (exceptions) or sheets (inserts) than allowed
};

inline constexpr int kPageListMaxLength = 99;
inline constexpr int kPageListMaxSets = 250;

struct PageListResult {
    PageListError error = kPageListOK;
    // Inserts: pages in the order typed (ranges expanded); exceptions:
    // distinct pages ascending.
    std::vector<int> pages;
    int setCount = 0;
};

// Spaces between two numbers separate them; other spaces go; runs of commas
// collapse; leading commas go; the text ends with a comma.
std::string NormalisePageList(const std::string& text);

// Insert pages 0..65000. With a front cover, page 0 is left out (a range
// starting at 0 starts at 1). An empty text gives no pages.
PageListResult ParseInsertPageList(const std::string& text, bool hasFrontCover);
// Exception pages 1..65000, at most 250 comma-separated sets, not empty.
PageListResult ParseExceptionPageList(const std::string& text);

// The message key of a result for the window ("Warning44"... ); null for OK.
const char* InsertPageListMessage(PageListError error);
const char* ExceptionPageListMessage(PageListError error);

} // namespace KESTRANE_NS
