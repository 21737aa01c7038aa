// Ticket readers (escaped form, Latin-1 conversion, buffer sizes, defaults)
// and the client address: which of the host's addresses is sent, and how.
#include <gtest/gtest.h>

#include <cstring>

#include "ClientAddress.h"
#include "FilterRun.h"
#include "UtilityFunctionFilter.h"

using namespace filtertest;

namespace {

std::string Decoded(std::string text) {
    text.push_back('\0');
    numstrtochar(text.data(), static_cast<int>(text.size()));
    return std::string(text.c_str());
}

TEST(EscapedText, DecodesByteValues) {
    EXPECT_EQ(Decoded("/49/50/51"), "123");
    EXPECT_EQ(Decoded("/97/44/98"), "a,b");
    EXPECT_EQ(Decoded("abc"), "abc");
    EXPECT_EQ(Decoded("/"), "/") << "a lone slash stays";
    EXPECT_EQ(Decoded("/300"), "");
    EXPECT_EQ(Decoded("/72/0/105"), "H");
    EXPECT_EQ(Decoded("/72/-5/105"), "H") << "a negative value ends the text";
    EXPECT_EQ(Decoded("/72//105"), "H") << "an empty token ends the text";
    EXPECT_EQ(Decoded("/72/256"), "H");
    EXPECT_EQ(Decoded("/255/1"), "\xff\x01");
}

struct ReadCase {
    const char* name;
    TicketReaderFunc reader;
    int size;
    const char* value; // nullptr: key absent
    std::string text;  // text result
    int returned;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class TextReaders : public ::testing::TestWithParam<ReadCase> {};

TEST_P(TextReaders, StoreTheirTextOrEmpty) {
    std::string options = GetParam().value ? OptionString({{"com.test.Key", GetParam().value}})
                                           : std::string("com.test.Other=1");
    cups_option_t* parsed = nullptr;
    int count = cupsParseOptions(options.c_str(), 0, &parsed);
    std::string dest(static_cast<size_t>(GetParam().size), '#'); // stale bytes must go
    int returned = GetParam().reader("com.test.Key", count, parsed, dest.data(), GetParam().size);
    cupsFreeOptions(count, parsed);
    EXPECT_EQ(returned, GetParam().returned);
    EXPECT_EQ(std::string(dest.c_str()), GetParam().text);
    EXPECT_EQ(dest.find('#'), std::string::npos) << "the whole field is cleared first";
}

INSTANTIATE_TEST_SUITE_P(
    Readers, TextReaders,
    ::testing::Values(
        ReadCase{"PlainLatin1", GetTicketString, 17, "caf\xc3\xa9", "caf\xe9", 1},
        ReadCase{"PlainOutsideLatin1IsEmpty", GetTicketString, 17, "\xe2\x82\xac", "", 1},
        ReadCase{"PlainInvalidUTF8IsEmpty", GetTicketString, 17, "\xc3(", "", 1},
        ReadCase{"PlainAbsentIsEmpty", GetTicketString, 17, nullptr, "", 0},
        ReadCase{"PlainFillsItsField", GetTicketString, 5, "abcd", "abcd", 1},
        ReadCase{"PlainTooLongIsEmpty", GetTicketString, 5, "abcde", "", 1},
        ReadCase{"PlainSlashIsNotDecoded", GetTicketString, 17, "/65/66", "/65/66", 1},
        ReadCase{"EscapedDecodedThenConverted", GetTicketStringConvertedToPrtLang, 17,
                 "/99/97/102/195/169", "caf\xe9", 1},
        ReadCase{"EscapedDecodedBeforeItMustFit", GetTicketStringConvertedToPrtLang, 5,
                 "/49/50/51/52", "1234", 1},
        ReadCase{"EscapedInvalidUTF8IsEmpty", GetTicketStringConvertedToPrtLang, 17, "/195/40", "",
                 1},
        ReadCase{"FortyCharUserIDDoesNotFit", GetTicketStringConvertedToPrtLang, 33,
                 "0123456789012345678901234567890123456789", "", 1},
        ReadCase{"NumberUpPresent", GetNumberUpTicketString, 10, "2", "N2", 1},
        ReadCase{"NumberUpAbsent", GetNumberUpTicketString, 10, nullptr, "1", 1},
        ReadCase{"NumberUpTooLongIsEmpty", GetNumberUpTicketString, 10, "123456789", "", 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct AddressCase {
    const char* name;
    std::vector<std::string> addresses;
    std::string picked;
    std::string encoded;
    friend void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }
};

class ClientAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ClientAddress, IsPickedAndEncoded) {
    std::string picked = SelectClientIPAddress(GetParam().addresses);
    EXPECT_EQ(picked, GetParam().picked);
    EXPECT_EQ(EncodeClientIPAddress(picked), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Selection, ClientAddress,
    ::testing::Values(
        AddressCase{"FirstNonLoopbackIPv4",
                    {"127.0.0.1", "fe80::1%lo0", "10.0.0.5"},
                    "10.0.0.5",
                    "I0A000005"},
        AddressCase{"IPv4Example", {"192.168.1.10", "10.0.0.5"}, "192.168.1.10", "IC0A8010A"},
        AddressCase{
            "OnlyIPv6", {"2001:db8::1"}, "2001:db8::1", "620010db8000000000000000000000001"},
        AddressCase{"LastIPv6WinsUnlessAnIPv4Follows",
                    {"2001:db8::1", "fe80::1234%eth0", "2001:DB8:0:0:1::ab"},
                    "2001:DB8:0:0:1::ab",
                    "62001"
                    "0DB8"
                    "0000"
                    "0000"
                    "0001"
                    "0000"
                    "0000"
                    "00ab"},
        AddressCase{"IPv4AfterIPv6Wins", {"2001:db8::1", "172.16.0.1"}, "172.16.0.1", "IAC100001"},
        AddressCase{"OnlyLoopbackAndLinkLocal", {"127.0.0.1", "fe80::1%lo0"}, "", ""},
        AddressCase{"WholeLoopbackBlockSkipped",
                    {"127.0.1.1", "::1", "10.0.0.5"},
                    "10.0.0.5",
                    "I0A000005"},
        AddressCase{"OnlyDebianHostLoopback", {"127.0.1.1", "::1"}, "", ""},
        AddressCase{"NothingResolved", {}, "", ""},
        AddressCase{"ZoneDroppedAndLeadingGap",
                    {"::ffff:0:1%eth1"},
                    "::ffff:0:1%eth1",
                    "6"
                    "0000"
                    "0000"
                    "0000"
                    "0000"
                    "0000"
                    "ffff"
                    "0000"
                    "0001"},
        AddressCase{"FullIPv6",
                    {"1:2:3:4:5:6:7:8"},
                    "1:2:3:4:5:6:7:8",
                    "600010002000300040005000600070008"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClientAddressEncoding, MalformedTextsEncodeToNothing) {
    for (const char* text :
         {"256.1.1.1", "1.2.3", "1.2.3.4.5", "0001.2.3.4", "1..2.3", "a.b.c.d", "1:2:3:4:5:6:7:8:9",
          "1::2::3", "12345::1", "g::1", "hostname", "1:2:3:4:5:6:7::8"}) {
        EXPECT_EQ(EncodeClientIPAddress(text), "") << text;
    }
    EXPECT_EQ(EncodeClientIPAddress("0.0.0.0"), "I00000000");
    EXPECT_EQ(EncodeClientIPAddress("::"), "6" + std::string(32, '0'));
    EXPECT_EQ(SelectClientIPAddress({std::string(60, ':')}).size(), 45u) << "cut to 45";
}

// The real lookup runs without a network and yields an encoded address or
// nothing.
TEST(ClientAddressEncoding, HostLookupGivesEncodedAddressOrNothing) {
    GetClientIPAddress();
    std::string address = IPAddressStr;
    if (!address.empty()) {
        EXPECT_TRUE(address[0] == 'I' || address[0] == '6') << address;
        EXPECT_TRUE(address.size() == 9 || address.size() == 33) << address;
    }
}

} // namespace
