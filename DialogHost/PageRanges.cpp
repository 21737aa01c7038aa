#include "PageRanges.h"

#include <cctype>
#include <climits>

namespace {

// Reads a page number at `i`; 0 when there is none.
long ReadPage(const std::string& s, size_t& i) {
    long n = 0;
    const size_t start = i;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        n = n * 10 + (s[i] - '0');
        if (n > INT_MAX)
            return -1;
        ++i;
    }
    return i == start ? 0 : n;
}

} // namespace

bool NormalizePageRanges(const std::string& text, std::string& out, std::string& message) {
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t')
            s += c;
    out.clear();
    if (s.empty())
        return true;
    long last = 0; // highest page of the ranges so far
    size_t i = 0;
    while (true) {
        long first = ReadPage(s, i);
        long end = first;
        bool open = false;
        if (i < s.size() && s[i] == '-') {
            ++i;
            end = ReadPage(s, i);
            open = end == 0;
            if (first == 0) {
                first = 1; // "-3" = pages 1 to 3
                if (open)
                    break;
            }
        }
        if (first <= 0 || end < 0 || (!open && end < first))
            break;
        if (first <= last) {
            message = "pages must be given in ascending order without overlap: \"" + text + "\"";
            return false;
        }
        if (!out.empty())
            out += ',';
        out += std::to_string(first);
        if (open)
            out += '-';
        else if (end != first)
            out += '-' + std::to_string(end);
        last = open ? LONG_MAX : end;
        if (i == s.size())
            return true;
        if (s[i] != ',' || last == LONG_MAX)
            break;
        ++i;
    }
    message = "pages are numbers from 1 and ranges like 1-3,5,8- separated by commas, not \"" +
              text + "\"";
    return false;
}
