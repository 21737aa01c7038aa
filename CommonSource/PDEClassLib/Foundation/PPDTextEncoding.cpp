#include "PPDTextEncoding.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <strings.h>

namespace KESTRANE_NS {

namespace {

const char* IconvName(CFStringEncoding encoding) {
    switch (encoding) {
    case kCFStringEncodingISOLatin1:
        return "ISO-8859-1";
    case kCFStringEncodingWindowsLatin1:
        return "CP1252";
    case kCFStringEncodingMacJapanese:
        // Shift-JIS with the vendor extensions found in real Japanese PPDs.
        return "CP932";
    case kCFStringEncodingUTF8:
        return "UTF-8";
    default:
        return "MACINTOSH";
    }
}

} // namespace

CFStringEncoding CFStringEncodingFromLanguageEncoding(const char* languageEncoding) {
    if (!languageEncoding)
        return kCFStringEncodingMacRoman;
    if (strcasecmp(languageEncoding, "ISOLatin1") == 0)
        return kCFStringEncodingISOLatin1;
    if (strcasecmp(languageEncoding, "WindowsANSI") == 0)
        return kCFStringEncodingWindowsLatin1;
    if (strcasecmp(languageEncoding, "JIS83-RKSJ") == 0)
        return kCFStringEncodingMacJapanese;
    if (strcasecmp(languageEncoding, "UTF-8") == 0 || strcasecmp(languageEncoding, "UTF8") == 0)
        return kCFStringEncodingUTF8;
    return kCFStringEncodingMacRoman;
}

std::optional<std::string> CreateUTF8StringWithEncoding(std::string_view bytes,
                                                        CFStringEncoding encoding) {
    iconv_t cd = iconv_open("UTF-8", IconvName(encoding));
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    std::string out;
    std::string input(bytes);
    char* in = input.data();
    size_t inLeft = input.size();
    char buffer[256];
    bool ok = true;
    while (inLeft > 0) {
        char* o = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &in, &inLeft, &o, &outLeft);
        out.append(buffer, static_cast<size_t>(o - buffer));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace KESTRANE_NS
