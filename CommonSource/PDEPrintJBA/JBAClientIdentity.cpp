#include "JBAClientIdentity.h"

#include "CGetHostAddress.h"
#include "JBACaseTables.h"
#include "PDESettingsAccess.h"
#include "PDETextUnits.h"
#include "PrintAccountKeys.h"

namespace KESTRANE_NS {

bool SetInformationToTicket(PrintSettings* settings, bool lock, const std::string& machineName,
                            const std::string& hostName, const std::string& address) {
    // Cut at a whole character first: a name split inside a character would
    // reach the printer as "UnknownHost".
    std::string name = CutUtf8ToBytes(machineName, 32);
    bool ok = SetCFStringToTicketWithByteFilter(settings, name.c_str(), kJBAMacHostNameStringTicket,
                                                lock, 0x20, 0xFE, 64);
    ok = SetCStringToTicket(settings, hostName.c_str(), kJBAHostNameStringTicket, lock) && ok;
    ok = SetCStringToTicket(settings, address.c_str(), kJBAIPAddressStringTicket, lock) && ok;
    return ok;
}

bool SetInformationToTicket(PrintSettings* settings, bool lock) {
    return SetInformationToTicket(settings, lock, CopyMachineName(), CGetHostAddress::GetHostName(),
                                  CGetHostAddress::GetClientIPAddress());
}

} // namespace KESTRANE_NS
