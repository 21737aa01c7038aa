// Reading the print session and storing values into the print settings (the
// ticket) and under per-printer preference keys.
#pragma once

#include <cstdint>
#include <string>

class PrintSession;
class PrintSettings;
class SettingsDictionary;
typedef struct ppd_file_s ppd_file_t;

namespace KESTRANE_NS {

// Reads the session data item under key as a number, as a signed 32-bit
// integer (truncated, clamped to the 32-bit range). 0, or -30891 when the
// item is missing or not a number (out untouched).
int GetTicketFromSession(PrintSession* session, const char* key, std::int32_t* out);

// Sets *out to null, then to the PPD of "kPMPPDReference". The status of the
// session read (-30891 when absent), -50 for null arguments.
int GetPPDRefFromSession(PrintSession* session, ppd_file_t** out);

// Appends the current printer's identifier (the CUPS queue name). 0, or 1
// when the string is null or there is no current printer.
int SetPrinterString(PrintSession* session, std::string* printerString);

// Appends the printer identifier, then the preference key:
// "Office_Printer" + "WMARKName" -> "Office_PrinterWMARKName". False, with
// nothing appended, when any argument is null.
bool CreateKeyWithCurrentPrinter(const char* preferenceKey, const char* printerID,
                                 std::string* out);

// Stores UTF-8 text under the ticket key with the lock flag. The text is cut
// to 255 UTF-16 code units and U+FFE4 FULLWIDTH BROKEN BAR becomes U+00A6
// BROKEN BAR. -50 for null arguments, -108 for text that is not UTF-8,
// otherwise the settings' status (-30878 when the key is locked).
int SetValueToSettingsWithTicketKeyAndLock(const char* text, PrintSettings* settings,
                                           const char* ticketKey, bool lock);

// The integer as "%d", stored as above.
int SetIntegerValueToSettings(int value, PrintSettings* settings, const char* ticketKey, bool lock);

// At most 255 bytes of the text (cut at a whole character; text that is not
// UTF-8 becomes empty), stored as above. YES when the store reports 0.
bool SetCStringToTicket(PrintSettings* settings, const char* text, const char* ticketKey,
                        bool lock);

// Stores a byte-filtered form of the text: at most 32 bytes (or maxBytes
// when smaller; maxBytes < 1 means 256), empty when the text does not fit
// maxBytes or is all blanks, every byte outside [lowest, highest] replaced
// by "_" and U+2019 by "___". YES when the store reports 0.
bool SetCFStringToTicketWithByteFilter(PrintSettings* settings, const char* text,
                                       const char* ticketKey, bool lock, unsigned char lowest,
                                       unsigned char highest, int maxBytes);

// True when the page-format ticket's "com.apple.print.PaperInfoTicket" has
// "com.apple.print.PaperInfo.PMCustomPaper" set.
bool IsCustomPaperSelected(const SettingsDictionary* pageFormatTicket);

// The escaped ticket string: a text that begins with "/" or holds an
// apostrophe, a comma or a backslash would upset the job-options syntax the
// ticket travels in, so it becomes "/" + decimal value of each UTF-8 byte
// ("a,b" -> "/97/44/98"); any other text is kept.
std::string EncodeEscapedTicketString(const std::string& text);

} // namespace KESTRANE_NS
