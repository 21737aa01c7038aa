#include "ClientAddress.h"

#include <cstdio>
#include <cstring>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include "FilterGlobals.h"

HostAddressListFunc gHostAddressLister = GetHostAddressList;

std::vector<std::string> GetHostAddressList() {
    std::vector<std::string> result;
    char hostName[256] = {};
    if (gethostname(hostName, 255) != 0)
        return result;
    hostName[255] = '\0';
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* list = nullptr;
    if (getaddrinfo(hostName, nullptr, &hints, &list) != 0)
        return result;
    for (addrinfo* a = list; a; a = a->ai_next) {
        char text[NI_MAXHOST];
        if (getnameinfo(a->ai_addr, a->ai_addrlen, text, sizeof text, nullptr, 0, NI_NUMERICHOST) ==
            0)
            result.emplace_back(text);
    }
    freeaddrinfo(list);
    return result;
}

namespace {

// The whole 127.0.0.0/8 block and ::1 are this machine itself (Debian names
// the host 127.0.1.1); the printer cannot reach the client there.
bool IsLoopbackAddress(const std::string& text) {
    return text.rfind("127.", 0) == 0 || text == "::1";
}

} // namespace

std::string SelectClientIPAddress(const std::vector<std::string>& addresses) {
    std::string picked;
    for (const std::string& text : addresses) {
        if (IsLoopbackAddress(text))
            continue;
        if (text.find('.') != std::string::npos) {
            {
                picked = text;
                break;
            }
        } else if (text.find(':') != std::string::npos &&
                   text.find("fe80::1") == std::string::npos) {
            picked = text;
        }
    }
    if (picked.size() > 45)
        picked.resize(45);
    return picked;
}

namespace {

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string EncodeIPv4(const std::string& text) {
    std::string result = "I";
    size_t start = 0;
    for (int part = 0; part < 4; ++part) {
        size_t end = text.find('.', start);
        if ((part < 3) != (end != std::string::npos))
            return ""; // not four dotted numbers
        std::string number = text.substr(start, end == std::string::npos ? end : end - start);
        if (number.empty() || number.size() > 3)
            return "";
        int value = 0;
        for (char c : number) {
            if (c < '0' || c > '9')
                return "";
            value = value * 10 + (c - '0');
        }
        if (value > 255)
            return "";
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(value));
        result += hex;
        start = end + 1;
    }
    return result;
}

bool SplitGroups(const std::string& text, std::vector<std::string>& groups) {
    if (text.empty())
        return true;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(':', start);
        std::string group = text.substr(start, end == std::string::npos ? end : end - start);
        if (group.empty() || group.size() > 4)
            return false;
        for (char c : group)
            if (!IsHex(c))
                return false;
        groups.push_back(std::string(4 - group.size(), '0') + group);
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

std::string EncodeIPv6(std::string text) {
    size_t zone = text.find('%');
    if (zone != std::string::npos)
        text.resize(zone);
    std::vector<std::string> head, tail;
    size_t gap = text.find("::");
    bool ok;
    if (gap == std::string::npos) {
        ok = SplitGroups(text, head) && head.size() == 8;
    } else {
        ok = text.find("::", gap + 1) == std::string::npos &&
             SplitGroups(text.substr(0, gap), head) && SplitGroups(text.substr(gap + 2), tail) &&
             head.size() + tail.size() < 8;
    }
    if (!ok)
        return "";
    std::string result = "6";
    for (const std::string& g : head)
        result += g;
    for (size_t i = head.size() + tail.size(); i < 8; ++i)
        result += "0000";
    for (const std::string& g : tail)
        result += g;
    return result;
}

} // namespace

std::string EncodeClientIPAddress(const std::string& address) {
    if (address.find('.') != std::string::npos)
        return EncodeIPv4(address);
    if (address.find(':') != std::string::npos)
        return EncodeIPv6(address);
    return "";
}

void GetClientIPAddress() {
    std::memset(IPAddressStr, 0, sizeof IPAddressStr);
    std::string encoded = EncodeClientIPAddress(SelectClientIPAddress(gHostAddressLister()));
    if (encoded.size() < sizeof IPAddressStr)
        std::memcpy(IPAddressStr, encoded.c_str(), encoded.size());
}
