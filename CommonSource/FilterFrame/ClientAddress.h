// Client address sent with every job: the computer's own address, picked from
// its host name's addresses and encoded for the printer.
#pragma once

#include <string>
#include <vector>

// Numeric texts of the addresses the host name resolves to, in resolver
// order; empty when there is no host name or it does not resolve.
std::vector<std::string> GetHostAddressList();

// Picks the address to send: the first IPv4 text other than "127.0.0.1";
// failing that the last IPv6 text that does not contain "fe80::1". Cut to 45
// characters; "" when none qualifies.
std::string SelectClientIPAddress(const std::vector<std::string>& addresses);

// "I" + eight upper-case hex digits for IPv4, "6" + 32 hex digits for IPv6
// (zone dropped, groups padded, "::" expanded, letter case kept); "" for
// anything else or a malformed address.
std::string EncodeClientIPAddress(const std::string& address);

// Fills IPAddressStr from the host's addresses.
void GetClientIPAddress();

// Where the host's addresses come from; tests put a fixed list here.
using HostAddressListFunc = std::vector<std::string> (*)();
extern HostAddressListFunc gHostAddressLister;
