// Drives the watermark writer in-process: a ticket made of option pairs, the
// layout strings, and the writer's output captured from a memory stream.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FilterGlobals.h"
#include "UtilityFunctionFilter.h"
#include "WatermarkFilter.h"
#include "WatermarkOption.h"

namespace wmtest {

using Ticket = std::map<std::string, std::string>;

// A text watermark: red at half density, 200 x 50 box on portrait A4.
inline Ticket TextTicket() {
    return {{"WMARKNameTicket", "Draft"},      {"WMARKTypeTicket", "0"},
            {"WMARKTextTicket", "AB"},         {"WMARKFontTypeTicket", "0"},
            {"WMARKFontTicket", "Helvetica"},  {"WMARKFontSizeTicket", "48"},
            {"WMARKColorRTicket", "1"},        {"WMARKColorGTicket", "0"},
            {"WMARKColorBTicket", "0"},        {"WMARKColorATicket", "1"},
            {"WMARKDensityTicket", "50"},      {"WMARKAngleTicket", "0"},
            {"WMARKWidthTicket", "200"},       {"WMARKHeightTicket", "50"},
            {"WMARKOrientationTicket", "1"},   {"WMARKPaperWidthTicket", "595"},
            {"WMARKPaperHeightTicket", "842"}, {"WMARKhOffsetTicket", "0"},
            {"WMARKvOffsetTicket", "0"},       {"WMARKOnlyFirstTicket", "0"}};
}

// Option string as CUPS hands it over: spaces, quotes and backslashes escaped.
inline std::string OptionString(const Ticket& ticket) {
    std::string out;
    for (const auto& [name, value] : ticket) {
        if (!out.empty())
            out += ' ';
        out += KTICKET_PREFIX + name + '=';
        if (value.empty())
            out += "''";
        for (char c : value) {
            if (c == ' ' || c == '\\' || c == '\'' || c == '"')
                out += '\\';
            out += c;
        }
    }
    return out;
}

struct Layout {
    const char* numberUp = "";
    const char* direction = "";
    const char* rows = "";
    const char* columns = "";
};

// Reads `ticket` as the filter does and starts a fresh job.
inline void StartJob(const Ticket& ticket, const Layout& layout = {}) {
    std::string options = OptionString(ticket);
    char* argv[] = {const_cast<char*>("jobfilter"),
                    const_cast<char*>("1"),
                    const_cast<char*>("user"),
                    const_cast<char*>("title"),
                    const_cast<char*>("1"),
                    options.data(),
                    nullptr};
    std::snprintf(NumberUpPlainString, sizeof NumberUpPlainString, "%s", layout.numberUp);
    std::snprintf(LayoutDirectionString, sizeof LayoutDirectionString, "%s", layout.direction);
    std::snprintf(LayoutRowsString, sizeof LayoutRowsString, "%s", layout.rows);
    std::snprintf(LayoutColumnsString, sizeof LayoutColumnsString, "%s", layout.columns);
    WatermarkResetState();
    WatermarkGetTicketFromPDE(argv);
}

// Everything the writer puts out while `body` runs.
inline std::string Capture(const std::function<void()>& body) {
    char* buffer = nullptr;
    size_t size = 0;
    FILE* memory = open_memstream(&buffer, &size);
    FILE* saved = gFilterOut;
    gFilterOut = memory;
    body();
    gFilterOut = saved;
    std::fclose(memory);
    std::string out(buffer, size);
    std::free(buffer);
    return out;
}

// Output of a sequence of injection points given as (code, page counter).
inline std::string RunPoints(const std::vector<std::pair<int, int>>& points) {
    return Capture([&] {
        for (const auto& [code, page] : points)
            WatermarkOutputPSCommandFromFilter(code, page);
    });
}

inline const char* kProlog = "userdict/kvqInfo 2 dict dup begin\n"
                             "/kvqpgsave 0 def\n"
                             "/kvqbp{/kvqpgsave save store} bind def\n";

} // namespace wmtest

namespace wmtest {

// The escaped ticket form the dialog uses for a text that begins with "/".
inline std::string Escaped(const std::string& text) {
    std::string out;
    for (unsigned char c : text)
        out += "/" + std::to_string(c);
    return out;
}

} // namespace wmtest
