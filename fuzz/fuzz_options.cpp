// Fuzzes the ticket readers over an arbitrary job-option string (argv[5]):
// cupsParseOptions, then every reader kind into fields of the sizes the
// filter's ticket tables use, including fields too small for most values.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "UtilityFunctionFilter.h"

namespace {

int32_t gInt[4];
float gFloat[2];
char gText5[5], gText17[17], gText25[25], gText33[33], gText65[65], gText100[100];
char gText256a[256], gText256b[256], gNumberUp[10], gPlainUp[10], gRows[10];

const TicketTableEntry kTable[] = {
    {KTICKET("PrintTypeTicketKey"), &gInt[0], 4, GetTicketInteger},
    {KTICKET("PrintTypeUserNameTicketKey"), gText25, 25, GetTicketStringConvertedToPrtLang},
    {KTICKET("PrintTypePasswordTicketKey"), gText17, 17, GetTicketString},
    {KTICKET("DocumentNameTicketKey"), gText65, 65, GetTicketStringConvertedToPrtLang},
    {KTICKET("PrintTypeMBNTicketKey"), gText5, 5, GetTicketStringConvertedToPrtLang},
    {KTICKET("JBAUserIDTextEditTicket"), &gInt[1], 4, CheckTicketKey},
    {KTICKET("JBAUserIDTextEditTicket"), gText33, 33, GetTicketStringConvertedToPrtLang},
    {"number-up", gNumberUp, 10, GetNumberUpTicketString},
    {"number-up", gPlainUp, 10, GetTicketStringConvertedToPrtLang},
    {"com.apple.print.PrintSettings.PMLayoutRows..n.", gRows, 10,
     GetTicketStringConvertedToPrtLang},
    {KTICKET("SeparatorPageTicket"), gText100, 100, GetTicketStringConvertedToPrtLang},
    {KTICKET("WMARKNameTicket"), gText256a, 256, GetTicketString},
    {KTICKET("WMARKTextTicket"), gText256b, 256, GetTicketStringConvertedToPrtLang},
    {KTICKET("WMARKColorRTicket"), &gFloat[0], 4, GetTicketFloat},
    {KTICKET("WMARKScaleTicket"), &gFloat[1], 4, GetTicketFloat},
    {KTICKET("WMARKAngleTicket"), &gInt[2], 4, GetTicketInteger},
};

// Every text field must still be terminated inside its buffer.
void CheckTerminated(const char* field, size_t size) {
    if (memchr(field, 0, size) == nullptr)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string options(reinterpret_cast<const char*>(data), size);
    char prog[] = "kst", job[] = "1", user[] = "fuzz", title[] = "fuzz", copies[] = "1";
    char* argv[] = {prog, job, user, title, copies, options.data(), nullptr};
    GetTicketFromArray(argv, kTable, sizeof kTable / sizeof kTable[0]);

    CheckTerminated(gText5, sizeof gText5);
    CheckTerminated(gText17, sizeof gText17);
    CheckTerminated(gText25, sizeof gText25);
    CheckTerminated(gText33, sizeof gText33);
    CheckTerminated(gText65, sizeof gText65);
    CheckTerminated(gText100, sizeof gText100);
    CheckTerminated(gText256a, sizeof gText256a);
    CheckTerminated(gText256b, sizeof gText256b);
    CheckTerminated(gNumberUp, sizeof gNumberUp);
    CheckTerminated(gPlainUp, sizeof gPlainUp);
    // The n-up string is never empty when it fits: "1" or "N..." .
    if (gNumberUp[0] != 0 && gNumberUp[0] != '1' && gNumberUp[0] != 'N')
        __builtin_trap();
    return 0;
}
