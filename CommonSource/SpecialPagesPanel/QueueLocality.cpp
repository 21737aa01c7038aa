#include "QueueLocality.h"

#include <cups/cups.h>

#include <cstdlib>
#include <cstring>

namespace KESTRANE_NS {

namespace {

bool IsLocalServer(const char* server) {
    if (!server || !*server || server[0] == '/')
        return true;
    return std::strcmp(server, "localhost") == 0 || std::strncmp(server, "localhost:", 10) == 0 ||
           std::strncmp(server, "127.", 4) == 0 || std::strcmp(server, "::1") == 0 ||
           std::strncmp(server, "[::1]", 5) == 0;
}

} // namespace

QueueLocation LocateQueue(const std::string& queue) {
    if (queue.empty())
        return QueueLocation::Unknown;
    if (!IsLocalServer(cupsServer()))
        return QueueLocation::Remote;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (!dest)
        return QueueLocation::Unknown;
    QueueLocation where = QueueLocation::Local;
    if (const char* type = cupsGetOption("printer-type", dest->num_options, dest->options)) {
        if (std::strtoul(type, nullptr, 10) & CUPS_PRINTER_REMOTE)
            where = QueueLocation::Remote;
    }
    cupsFreeDests(1, dest);
    return where;
}

} // namespace KESTRANE_NS
