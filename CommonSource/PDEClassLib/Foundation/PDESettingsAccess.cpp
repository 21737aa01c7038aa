#include "PDESettingsAccess.h"

#include "PDETextUnits.h"

#include "PageFormat.h"
#include "PlatformStatus.h"
#include "PrintSession.h"
#include "PrintSettings.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace KESTRANE_NS {

int GetTicketFromSession(PrintSession* session, const char* key, std::int32_t* out) {
    if (!session || !key || !out)
        return kStatusSessionItemMissing;
    double number = 0;
    if (session->GetDataNumber(key, number) != kStatusNoErr || std::isnan(number))
        return kStatusSessionItemMissing;
    // Out-of-range numbers are clamped rather than converted undefined.
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    *out = static_cast<std::int32_t>(number < lo ? lo : number > hi ? hi : number);
    return kStatusNoErr;
}

int GetPPDRefFromSession(PrintSession* session, ppd_file_t** out) {
    if (!out)
        return kStatusParamErr;
    *out = nullptr;
    if (!session)
        return kStatusParamErr;
    void* ppd = nullptr;
    const int status = session->GetDataPointer(kPMPPDReference, ppd);
    if (status == kStatusNoErr)
        *out = static_cast<ppd_file_t*>(ppd);
    return status;
}

int SetPrinterString(PrintSession* session, std::string* printerString) {
    if (!session || !printerString)
        return 1;
    std::string id;
    if (session->GetCurrentPrinterID(id) != kStatusNoErr)
        return 1;
    printerString->append(id);
    return 0;
}

bool CreateKeyWithCurrentPrinter(const char* preferenceKey, const char* printerID,
                                 std::string* out) {
    if (!preferenceKey || !printerID || !out)
        return false;
    out->append(printerID);
    out->append(preferenceKey);
    return true;
}

int SetValueToSettingsWithTicketKeyAndLock(const char* text, PrintSettings* settings,
                                           const char* ticketKey, bool lock) {
    if (!text || !settings || !ticketKey)
        return kStatusParamErr;
    std::u32string chars;
    if (!DecodeUtf8(text, chars))
        return kStatusMemFullErr;
    CutToUtf16Units(chars, 255);
    // The full-width broken bar is not in the printers' character set.
    for (char32_t& c : chars)
        if (c == 0xFFE4)
            c = 0x00A6;
    return settings->SetText(ticketKey, EncodeUtf8(chars), lock);
}

int SetIntegerValueToSettings(int value, PrintSettings* settings, const char* ticketKey,
                              bool lock) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return SetValueToSettingsWithTicketKeyAndLock(text, settings, ticketKey, lock);
}

bool SetCStringToTicket(PrintSettings* settings, const char* text, const char* ticketKey,
                        bool lock) {
    if (!settings || !text || !ticketKey)
        return false;
    std::string copy = CutUtf8ToBytes(text, 255);
    std::u32string chars;
    if (!DecodeUtf8(copy, chars))
        copy.clear();
    return SetValueToSettingsWithTicketKeyAndLock(copy.c_str(), settings, ticketKey, lock) ==
           kStatusNoErr;
}

bool SetCFStringToTicketWithByteFilter(PrintSettings* settings, const char* text,
                                       const char* ticketKey, bool lock, unsigned char lowest,
                                       unsigned char highest, int maxBytes) {
    if (!settings || !text || !ticketKey)
        return false;
    if (maxBytes < 1)
        maxBytes = 256;
    const std::string utf8 = text;
    std::string result;
    // The text must fit the buffer with its terminating NUL.
    if (utf8.size() < static_cast<std::size_t>(maxBytes)) {
        const std::size_t keep = maxBytes < 32 ? static_cast<std::size_t>(maxBytes) : 32;
        const std::string bytes = CutUtf8ToBytes(utf8, keep);
        if (bytes.find_first_not_of(' ') != std::string::npos) {
            for (std::size_t i = 0; i < bytes.size(); ++i) {
                const auto b = static_cast<unsigned char>(bytes[i]);
                if (b == 0xE2 && bytes.compare(i, 3, "\xE2\x80\x99") == 0) {
                    result += "___";
                    i += 2;
                } else if (b < lowest || b > highest) {
                    result += '_';
                } else {
                    result += static_cast<char>(b);
                }
            }
        }
    }
    return SetValueToSettingsWithTicketKeyAndLock(result.c_str(), settings, ticketKey, lock) ==
           kStatusNoErr;
}

bool IsCustomPaperSelected(const SettingsDictionary* pageFormatTicket) {
    if (!pageFormatTicket)
        return false;
    const SettingsDictionary* paperInfo = pageFormatTicket->GetDictionary(kPMPaperInfoTicket);
    bool custom = false;
    if (!paperInfo || paperInfo->GetBoolean(kPMPaperInfoCustomPaper, custom) != kStatusNoErr)
        return false;
    return custom;
}

std::string EncodeEscapedTicketString(const std::string& text) {
    const bool escape =
        (!text.empty() && text.front() == '/') || text.find_first_of("',\\") != std::string::npos;
    if (!escape)
        return text;
    std::string out;
    out.reserve(text.size() * 4);
    for (const char c : text) {
        out += '/';
        out += std::to_string(static_cast<unsigned char>(c));
    }
    return out;
}

} // namespace KESTRANE_NS
