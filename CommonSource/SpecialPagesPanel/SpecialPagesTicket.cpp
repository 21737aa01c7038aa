#include "SpecialPagesTicket.h"

#include "PDESettingsAccess.h"

#include "PrintSettings.h"
#include "SpoolFiles.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace KESTRANE_NS {

namespace {

constexpr int kTicketNameLength = 14;

bool StoreText(PrintSettings* settings, const char* key, const std::string& text, bool lock) {
    return SetValueToSettingsWithTicketKeyAndLock(text.c_str(), settings, key, lock) == 0;
}

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::string makeSummaryScrollViewCtrlTicket(const char* baseKey, int index) {
    return std::string(baseKey ? baseKey : "") + "_" + std::to_string(index);
}

bool StoreSpecialPageList(PrintSettings* settings, const SpecialPageRecords& records, bool lock) {
    if (!settings)
        return false;
    std::string old;
    int oldCount = 0;
    if (settings->GetText(kKPIFCommandTicketCount, old) == 0)
        ParseBoundedInt(old, 0, kSPMaxRecords, oldCount);
    const int count = static_cast<int>(records.size());
    if (!StoreText(settings, kKPIFCommandTicketCount, std::to_string(count), lock))
        return false;
    for (int i = 0; i < count; ++i) {
        const SpecialPageRecord& r = records[static_cast<std::size_t>(i)];
        if (StoredFieldOrder(r.Type()).empty())
            continue;
        if (!StoreText(settings, makeSummaryScrollViewCtrlTicket(kKPIFCommandTicketBase, i).c_str(),
                       FormatStoredRecord(r), lock))
            return false;
    }
    // Keys beyond the count would travel with the job for nothing.
    for (int i = count; i < oldCount; ++i)
        settings->RemoveValue(makeSummaryScrollViewCtrlTicket(kKPIFCommandTicketBase, i));
    return true;
}

bool RestoreSpecialPageList(const PrintSettings* settings, SpecialPageRecords& records) {
    std::string text;
    if (!settings || settings->GetText(kKPIFCommandTicketCount, text) != 0)
        return false;
    int count = 0;
    if (!ParseBoundedInt(text, 0, kSPMaxRecords, count))
        return false;
    records.clear();
    for (int i = 0; i < count; ++i) {
        if (settings->GetText(makeSummaryScrollViewCtrlTicket(kKPIFCommandTicketBase, i), text) !=
            0)
            break;
        if (auto record = ParseStoredRecord(text))
            records.push_back(std::move(*record));
    }
    return true;
}

std::string FitEscapedTicketString(const std::string& text, int maxBytes) {
    std::string kept = text;
    std::string escaped = EncodeEscapedTicketString(kept);
    while (static_cast<int>(escaped.size()) > maxBytes && !kept.empty()) {
        // Drop the last whole character, never part of one.
        std::size_t start = kept.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(kept[start]) & 0xC0) == 0x80)
            --start;
        kept.erase(start);
        escaped = EncodeEscapedTicketString(kept);
    }
    return escaped;
}

bool setCStringToTicket(const std::string& text, const char* key, PrintSettings* settings,
                        bool lock) {
    if (!settings || !key)
        return false;
    return StoreText(settings, key, FitEscapedTicketString(text, kSPTicketTextMax), lock);
}

SpoolDirectoryState CheckSpoolDirectory(const std::string& dir) {
    struct stat info;
    if (dir.empty() || stat(dir.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return SpoolDirectoryState::Missing;
    // Without the sticky bit anyone could delete or replace another job's ticket.
    if (!(info.st_mode & S_ISVTX))
        return SpoolDirectoryState::NotSticky;
    if (access(dir.c_str(), W_OK | X_OK) != 0)
        return SpoolDirectoryState::NotWritable;
    return SpoolDirectoryState::Usable;
}

void RemoveKPIFCommand(PrintSettings* settings) {
    if (!settings)
        return;
    settings->RemoveValue(kKPIFCommandFileNameTicket);
}

KPIFOutput OutputKPIFCommand(PrintSettings* settings, const SpecialPageRecords& records,
                             const KPIFJobPaper& paper, bool lock) {
    KPIFOutput out;
    if (!settings)
        return out;
    RemoveKPIFCommand(settings);
    SetIntegerValueToSettings(static_cast<int>(records.size()), settings,
                              kSpecialPageRecordCountTicket, lock);
    if (records.empty())
        return out;

    std::string dir = SpoolDirectory();
    while (dir.size() > 1 && dir.back() == '/')
        dir.pop_back();
    if (CheckSpoolDirectory(dir) != SpoolDirectoryState::Usable) {
        out.outcome = KPIFOutcome::SpoolUnusable;
        return out;
    }
    // Every name character escapes to at most four bytes ("/122").
    if (EncodeEscapedTicketString(dir + "/").size() + 4 * kTicketNameLength >
        static_cast<std::size_t>(kSPTicketTextMax)) {
        out.outcome = KPIFOutcome::PathTooLong;
        return out;
    }

    const std::string document = BuildKPIFJobTicket(records, paper);
    std::string path;
    const int fd = CreateSpoolTempFile(kTicketNameLength, path);
    if (fd < 0) {
        out.outcome = KPIFOutcome::CreateFailed;
        out.error = errno;
        return out;
    }
    bool ok = WriteAll(fd, document);
    int error = ok ? 0 : errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    // The length was checked above, so the path is stored whole.
    if (ok && !setCStringToTicket(path, kKPIFCommandFileNameTicket, settings, lock)) {
        ok = false;
        RemoveKPIFCommand(settings);
    }
    if (!ok) {
        unlink(path.c_str());
        out.outcome = KPIFOutcome::WriteFailed;
        out.error = error;
        return out;
    }
    out.outcome = KPIFOutcome::Written;
    out.path = path;
    return out;
}

const char* KPIFOutcomeMessage(KPIFOutcome outcome) {
    switch (outcome) {
    case KPIFOutcome::SpoolUnusable:
        return "Spool Directory Unusable Message";
    case KPIFOutcome::PathTooLong:
        return "Spool Path Too Long Message";
    case KPIFOutcome::CreateFailed:
        return "Job Ticket Create Failed Message";
    case KPIFOutcome::WriteFailed:
        return "Job Ticket Write Failed Message";
    default:
        return nullptr;
    }
}

} // namespace KESTRANE_NS
