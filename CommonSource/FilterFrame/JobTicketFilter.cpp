#include "JobTicketFilter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FilterGlobals.h"
#include "SpoolDirectory.h"
#include "UtilityFunctionFilter.h"

char psOptionSpecialPage[256];

namespace {

const TicketTableEntry SpecialPageTicketTable[] = {
    {KTICKET("KPIFCommandFileNameTicket"), psOptionSpecialPage, 256,
     GetTicketStringConvertedToPrtLang},
};

// The ticket in psOptionSpecialPage went out and is to be deleted.
bool gSentTicket = false;

} // namespace

int SpecialPageGetTicketFromPDE(char* const argv[]) {
    return GetTicketFromArray(argv, SpecialPageTicketTable, 1);
}

void SpecialPageInializeDescriptionTable() {
    std::memset(psOptionSpecialPage, 0, sizeof psOptionSpecialPage);
    gSentTicket = false;
}

void InjectKPIFCommandSP() {
    // The path comes from the job's options: a job must not be able to read
    // or delete any file but its own ticket in the spool directory.
    if (!IsSpoolTicketPath(psOptionSpecialPage))
        return;
    // No link is followed, and a FIFO cannot hold the job up.
    int fd = open(psOptionSpecialPage, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info;
    // Anyone may create files in the spool directory, so a second name (a hard
    // link to someone else's file) disqualifies the file, and so does one that
    // others could have rewritten since the dialog made it.
    if (fstat(fd, &info) != 0 || !IsPrivateSpoolFile(info)) {
        close(fd);
        return;
    }
    char buffer[2048];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        std::fwrite(buffer, 1, static_cast<size_t>(got), gFilterOut);
    }
    close(fd);
    gSentTicket = true;
}

void SpecialPageDeleteSentTicket() {
    if (gSentTicket)
        unlink(psOptionSpecialPage);
    gSentTicket = false;
}
