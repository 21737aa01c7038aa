// The delayed-print time as the printer reads it: "YYYY:MM:DD:hh:mm", today
// when the chosen time of day is still ahead, otherwise tomorrow.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>

namespace KESTRANE_NS {

// The panel asks this for "now"; tests put a fixed clock in its place.
using DelayPrintClock = std::function<std::time_t()>;
DelayPrintClock& CurrentDelayPrintClock();

// Ticket text for hour:minute chosen at local time `now`.
std::string FormDelayPrintTime(int32_t hour, int32_t minute, std::time_t now);

// "hh:mm" of a time of day, the form kept in the preferences.
std::string FormTimeOfDay(int32_t hour, int32_t minute);
// Reads "hh:mm" (or the ticket form, whose last two fields are hour and
// minute); false for anything else or values out of range.
bool ParseTimeOfDay(const std::string& text, int32_t& hour, int32_t& minute);

} // namespace KESTRANE_NS
