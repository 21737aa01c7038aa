#include "DelayPrintTime.h"

#include <cstdio>

namespace KESTRANE_NS {

DelayPrintClock& CurrentDelayPrintClock() {
    static DelayPrintClock clock = [] { return std::time(nullptr); };
    return clock;
}

std::string FormDelayPrintTime(int32_t hour, int32_t minute, std::time_t now) {
    std::tm local{};
    localtime_r(&now, &local);
    if (hour < local.tm_hour || (hour == local.tm_hour && minute < local.tm_min)) {
        // The time has passed today: the next calendar day. Stepping the day
        // rather than adding 86400 s keeps the date right on the 25-hour day
        // at the end of summer time.
        local.tm_mday += 1;
        local.tm_hour = 12;
        local.tm_isdst = -1;
        std::time_t next = std::mktime(&local);
        localtime_r(&next, &local);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%04d:%02d:%02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, hour, minute);
    return text;
}

std::string FormTimeOfDay(int32_t hour, int32_t minute) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", hour % 100, minute % 100);
    return text;
}

bool ParseTimeOfDay(const std::string& text, int32_t& hour, int32_t& minute) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    size_t before = text.rfind(':', colon - 1);
    std::string h = text.substr(before == std::string::npos ? 0 : before + 1,
                                colon - (before == std::string::npos ? 0 : before + 1));
    std::string m = text.substr(colon + 1);
    auto number = [](const std::string& s, int32_t& out) {
        if (s.empty() || s.size() > 2)
            return false;
        out = 0;
        for (char c : s) {
            if (c < '0' || c > '9')
                return false;
            out = out * 10 + (c - '0');
        }
        return true;
    };
    int32_t hh = 0, mm = 0;
    if (!number(h, hh) || !number(m, mm) || hh > 23 || mm > 59)
        return false;
    hour = hh;
    minute = mm;
    return true;
}

} // namespace KESTRANE_NS
