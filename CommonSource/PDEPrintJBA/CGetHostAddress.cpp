#include "CGetHostAddress.h"

#include <unistd.h>

#include "ClientAddress.h"

namespace KESTRANE_NS {

std::string CGetHostAddress::GetHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

std::string CGetHostAddress::GetClientIPAddress() {
    return EncodeClientIPAddress(SelectClientIPAddress(gHostAddressLister()));
}

} // namespace KESTRANE_NS
