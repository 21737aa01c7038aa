// The client identity the accounting panel puts into every ticket: the
// network host name and the encoded client address. The address is picked
// and encoded by the same code the filter uses, so both sides send the same.
#pragma once

#include <string>

namespace KESTRANE_NS {

class CGetHostAddress {
public:
    // Host name as gethostname reports it; "" on failure.
    static std::string GetHostName();
    // "I" + 8 hex digits or "6" + 32 hex digits; "" without a usable address.
    static std::string GetClientIPAddress();
};

} // namespace KESTRANE_NS
