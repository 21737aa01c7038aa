// What the special pages panel puts into the print settings: the record list
// (count and one key per record), the record count the finishing panel reads,
// and the KPIF job ticket file whose path the filter copies and deletes.
#pragma once

#include "KPIFJobTicket.h"
#include "SpecialPageRecord.h"

#include <string>

class PrintSettings;

namespace KESTRANE_NS {

#define KSPTICKET(name) "com.kestrane.mtz.printsettings." name
inline constexpr const char* kKPIFCommandTicketCount = KSPTICKET("KPIFCommandTicketCount");
inline constexpr const char* kKPIFCommandTicketBase = KSPTICKET("KPIFCommandTicket");
inline constexpr const char* kSpecialPageRecordCountTicket =
    KSPTICKET("SpecialPageRecordCountTicket");
inline constexpr const char* kKPIFCommandFileNameTicket = KSPTICKET("KPIFCommandFileNameTicket");
inline constexpr const char* kPrintTypeReferenceKey = KSPTICKET("PrintTypeReference");
#undef KSPTICKET

// The most records a list can hold: two covers, the inserts, the exceptions.
inline constexpr int kSPMaxRecords = 2 + kSPMaxInserts + kSPMaxExceptionRecords;
// A ticket text holds at most this many bytes.
inline constexpr int kSPTicketTextMax = 255;
// The job type of a job kept in a mailbox on the printer.
inline constexpr int kSPMailboxJobType = 5;

// "com.kestrane.mtz.printsettings.KPIFCommandTicket_3".
std::string makeSummaryScrollViewCtrlTicket(const char* baseKey, int index);

// Stores the count and every record; record keys a longer earlier list left
// behind are removed. False at the first store that fails.
bool StoreSpecialPageList(PrintSettings* settings, const SpecialPageRecords& records, bool lock);
// Reads the records back; malformed ones are skipped. False (list untouched)
// without a count; a count beyond what a list can hold is refused.
bool RestoreSpecialPageList(const PrintSettings* settings, SpecialPageRecords& records);

// The escaped ticket form of the text, shortened at a whole character so
// that the escaped form fits maxBytes.
std::string FitEscapedTicketString(const std::string& text, int maxBytes);
// Stores the text as an escaped ticket string that fits a ticket text.
bool setCStringToTicket(const std::string& text, const char* key, PrintSettings* settings,
                        bool lock);

enum class SpoolDirectoryState { Usable, Missing, NotSticky, NotWritable };
SpoolDirectoryState CheckSpoolDirectory(const std::string& dir);

enum class KPIFOutcome {
    Written,       // the file exists and its path is in the settings
    NoRecords,     // nothing to send; any earlier path removed
    SpoolUnusable, // the spool directory is missing, not sticky or not writable
    PathTooLong,   // the escaped path would not fit its key
    CreateFailed,  // the file could not be made
    WriteFailed,   // a write, the close or the store of the path failed
};

struct KPIFOutput {
    KPIFOutcome outcome = KPIFOutcome::NoRecords;
    std::string path; // the file, for Written
    int error = 0;    // errno of a failed system call
};

// Writes the job ticket of the records into a new file of the spool
// directory and stores its escaped path. Every outcome but Written leaves no
// file behind and no path in the settings. Stores the record count first.
KPIFOutput OutputKPIFCommand(PrintSettings* settings, const SpecialPageRecords& records,
                             const KPIFJobPaper& paper, bool lock);
// Removes what a job without special pages must not carry.
void RemoveKPIFCommand(PrintSettings* settings);

// The message key the dialog shows for an outcome (null for Written and
// NoRecords).
const char* KPIFOutcomeMessage(KPIFOutcome outcome);

} // namespace KESTRANE_NS
