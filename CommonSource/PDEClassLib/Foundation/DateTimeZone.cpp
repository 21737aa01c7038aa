#include "DateTimeZone.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace KESTRANE_NS {

namespace {

long OffsetAt(std::time_t when, bool* daylight = nullptr) {
    std::tm local{};
    if (!localtime_r(&when, &local))
        return 0;
    if (daylight)
        *daylight = local.tm_isdst > 0;
    return local.tm_gmtoff;
}

int16_t TwoDigits(std::string_view text, std::size_t pos) {
    if (text.size() < pos + 2)
        return 0;
    int value = 0;
    for (std::size_t i = pos; i < pos + 2; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return static_cast<int16_t>(value);
        value = value * 10 + (text[i] - '0');
    }
    return static_cast<int16_t>(value);
}

} // namespace

int GetActualDSTSecondOffset() {
    const std::time_t july = 1120219200;    // 2005-07-01 12:00:00 +0000
    const std::time_t january = 1104580800; // 2005-01-01 12:00:00 +0000
    return static_cast<int>(std::labs(OffsetAt(july) - OffsetAt(january)));
}

std::string GetActualTimeZoneString() {
    bool daylight = false;
    long s = OffsetAt(std::time(nullptr), &daylight);
    if (daylight)
        s -= GetActualDSTSecondOffset();
    const float h = static_cast<float>(s) / 3600.0f;
    const float w = std::trunc(h);
    // Rounded, so that offsets such as +0:20 do not lose a minute to float.
    const long m = std::lround(w * 100.0f + (h - w) * 60.0f);
    char text[32];
    if (m >= -999 && m < 0)
        std::snprintf(text, sizeof text, "-0%ld", -m);
    else if (m > 0 && m <= 999)
        std::snprintf(text, sizeof text, "+0%ld", m);
    else if (m == 0)
        std::snprintf(text, sizeof text, "+0000");
    else if (m > 999)
        std::snprintf(text, sizeof text, "+%ld", m);
    else
        std::snprintf(text, sizeof text, "%ld", m);
    return text;
}

const std::string& ConvertLongDateToNSDate(const LongDateRec& time, std::string& output) {
    char text[256];
    std::snprintf(text, sizeof text, "2001-01-01 %02d:%02d:00 %s", time.hour, time.minute,
                  GetActualTimeZoneString().c_str());
    output = text;
    return output;
}

void ConvertNSDateToLongDate(std::string_view dateText, LongDateRec& time) {
    time.hour = TwoDigits(dateText, 11);
    time.minute = TwoDigits(dateText, 14);
}

void ConvertNSDateToLongDate(std::time_t date, LongDateRec& time) {
    std::tm local{};
    char text[64] = "";
    if (localtime_r(&date, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S %z", &local);
    ConvertNSDateToLongDate(std::string_view(text), time);
}

} // namespace KESTRANE_NS
