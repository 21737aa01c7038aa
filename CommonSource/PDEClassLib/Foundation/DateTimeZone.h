// Time-of-day texts of timed jobs and the local time-zone offset they carry.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace KESTRANE_NS {

// The platform's long date record; only hour and minute are used here.
struct LongDateRec {
    int16_t era = 0, year = 0, month = 0, day = 0;
    int16_t hour = 0, minute = 0, second = 0;
    int16_t dayOfWeek = 0, dayOfYear = 0, weekOfYear = 0;
};

// Daylight-saving shift of the local zone in seconds (July against January
// 2005).
int GetActualDSTSecondOffset();
// Local standard-time offset as "+0900", "-0330", "+1000".
std::string GetActualTimeZoneString();
// "2001-01-01 09:05:00 +0900" for 9:05 in the local zone.
const std::string& ConvertLongDateToNSDate(const LongDateRec& time, std::string& output);
// Hour from characters 11-12 and minute from 14-15 of the date's standard
// text form "YYYY-MM-DD hh:mm:ss +zzzz".
void ConvertNSDateToLongDate(std::string_view dateText, LongDateRec& time);
void ConvertNSDateToLongDate(std::time_t date, LongDateRec& time);

} // namespace KESTRANE_NS
