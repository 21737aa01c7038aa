// The pages to print as a person types them ("1-3, 5, 8-") and as CUPS's
// "page-ranges" option takes them ("1-3,5,8-").
#pragma once

#include <string>

// Empty text means every page (out empty). False with a message for anything
// but ascending page numbers from 1, single or as ranges, separated by commas.
bool NormalizePageRanges(const std::string& text, std::string& out, std::string& message);
