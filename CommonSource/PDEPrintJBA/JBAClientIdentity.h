// The client identity written with every save and print of the accounting
// panel: the computer's name, the network host name and the encoded address.
#pragma once

#include <string>

class PrintSettings;

namespace KESTRANE_NS {

// Writes JBAMacHostNameStringTicket (the computer name cut to 32 bytes at a
// whole character, blanks-only as empty, control bytes as "_"),
// JBAHostNameStringTicket and JBAIPAddressStringTicket. YES when all three
// were stored.
bool SetInformationToTicket(PrintSettings* settings, bool lock);
// The same with the names and address given (for the dialog's own callers
// and tests).
bool SetInformationToTicket(PrintSettings* settings, bool lock, const std::string& machineName,
                            const std::string& hostName, const std::string& address);

} // namespace KESTRANE_NS
