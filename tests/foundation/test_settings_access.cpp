// Print settings, page format and session: lock flags, text storing rules,
// byte filtering, session items and the escaped ticket string.
#include "PDESettingsAccess.h"

#include "PageFormat.h"
#include "PlatformStatus.h"
#include "PrintSession.h"
#include "PrintSettings.h"

#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <string>

using namespace MNTest;

namespace {

const char* const kKey = "com.kestrane.mtz.printsettings.WMARKNameTicket";

std::string Stored(const PrintSettings& settings, const char* key = kKey) {
    std::string text = "<absent>";
    settings.GetText(key, text);
    return text;
}

} // namespace

TEST(SettingsLock, LockedValueKeepsItsValueAgainstEveryChange) {
    PrintSettings settings;
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("first", &settings, kKey, true), 0);
    EXPECT_TRUE(settings.IsLocked(kKey));

    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("second", &settings, kKey, false),
              kStatusLockIgnored);
    EXPECT_EQ(SetIntegerValueToSettings(3, &settings, kKey, false), kStatusLockIgnored);
    EXPECT_FALSE(SetCStringToTicket(&settings, "third", kKey, false));
    EXPECT_EQ(settings.SetNumber(kKey, 1.0), kStatusLockIgnored);
    EXPECT_EQ(settings.RemoveValue(kKey), kStatusLockIgnored);
    EXPECT_EQ(Stored(settings), "first");
    EXPECT_TRUE(settings.IsLocked(kKey));
}

TEST(SettingsLock, UnlockedValuesChangeAndTheLastLockFlagCounts) {
    PrintSettings settings;
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("a", &settings, kKey, false), 0);
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("b", &settings, kKey, true), 0);
    EXPECT_EQ(Stored(settings), "b");
    EXPECT_TRUE(settings.IsLocked(kKey));
    EXPECT_EQ(settings.RemoveValue("missing"), kStatusSessionItemMissing);
}

TEST(SettingsDictionary, ValuesKeepTheirKindAndSubDictionariesAreCopiedDeeply) {
    SettingsDictionary inner;
    inner.SetBoolean("flag", true);
    PrintSettings settings;
    settings.SetText("t", "text");
    settings.SetNumber("n", 2.5);
    settings.SetDictionary("d", inner);

    double number = 0;
    std::string text;
    EXPECT_EQ(settings.GetText("n", text), kStatusSessionItemMissing);
    EXPECT_EQ(settings.GetNumber("t", number), kStatusSessionItemMissing);
    EXPECT_EQ(settings.GetNumber("n", number), 0);
    EXPECT_EQ(number, 2.5);
    EXPECT_EQ(settings.GetDictionary("t"), nullptr);

    PrintSettings copy = settings;
    copy.GetMutableDictionary("d")->SetBoolean("flag", false);
    bool flag = false;
    ASSERT_EQ(settings.GetDictionary("d")->GetBoolean("flag", flag), 0);
    EXPECT_TRUE(flag);
    EXPECT_FALSE(copy == settings);

    // The host hands only text values on as job options.
    const auto options = settings.TextValues();
    ASSERT_EQ(options.size(), 1u);
    EXPECT_EQ(options[0].first, "t");
}

TEST(SettingsStore, RejectsNullArgumentsAndTextThatIsNotUtf8) {
    PrintSettings settings;
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(nullptr, &settings, kKey, false),
              kStatusParamErr);
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("x", nullptr, kKey, false), kStatusParamErr);
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("x", &settings, nullptr, false),
              kStatusParamErr);
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("a\xC3(b", &settings, kKey, false),
              kStatusMemFullErr);
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("\xED\xA0\x80", &settings, kKey, false),
              kStatusMemFullErr); // an encoded surrogate
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("\xC0\xAF", &settings, kKey, false),
              kStatusMemFullErr); // an overlong "/"
    EXPECT_EQ(settings.Count(), 0u);
    EXPECT_FALSE(SetCStringToTicket(nullptr, "x", kKey, false));
    EXPECT_FALSE(
        SetCFStringToTicketWithByteFilter(&settings, nullptr, kKey, false, 0x20, 0xFE, 64));
}

TEST(SettingsStore, TextIsCutTo255Utf16UnitsAndTheFullWidthBrokenBarIsReplaced) {
    PrintSettings settings;
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("a\xEF\xBF\xA4"
                                                     "b",
                                                     &settings, kKey, false),
              0);
    EXPECT_EQ(Stored(settings), "a\xC2\xA6"
                                "b");

    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(std::string(300, 'x').c_str(), &settings, kKey,
                                                     false),
              0);
    EXPECT_EQ(Stored(settings), std::string(255, 'x'));

    // A character outside the first plane takes two units and is not split.
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock((std::string(254, 'x') + emoji).c_str(),
                                                     &settings, kKey, false),
              0);
    EXPECT_EQ(Stored(settings), std::string(254, 'x'));
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock((std::string(253, 'x') + emoji).c_str(),
                                                     &settings, kKey, false),
              0);
    EXPECT_EQ(Stored(settings), std::string(253, 'x') + emoji);

    EXPECT_EQ(SetIntegerValueToSettings(-5, &settings, kKey, false), 0);
    EXPECT_EQ(Stored(settings), "-5");
}

TEST(SettingsStore, CStringKeepsAtMost255BytesOfWholeCharacters) {
    PrintSettings settings;
    EXPECT_TRUE(SetCStringToTicket(&settings, std::string(300, 'y').c_str(), kKey, false));
    EXPECT_EQ(Stored(settings), std::string(255, 'y'));

    // The 255-byte cut falls inside "é": the character goes, the text stays.
    EXPECT_TRUE(
        SetCStringToTicket(&settings, (std::string(254, 'y') + "\xC3\xA9").c_str(), kKey, false));
    EXPECT_EQ(Stored(settings), std::string(254, 'y'));

    EXPECT_TRUE(SetCStringToTicket(&settings, "bad\xFF", kKey, false));
    EXPECT_EQ(Stored(settings), "");
}

struct ByteFilterCase {
    const char* name;
    std::string text;
    unsigned char lowest, highest;
    int maxBytes;
    std::string stored;
};

void PrintTo(const ByteFilterCase& c, std::ostream* os) {
    *os << c.name;
}

class ByteFilter : public testing::TestWithParam<ByteFilterCase> {};

TEST_P(ByteFilter, StoresTheFilteredText) {
    const ByteFilterCase& c = GetParam();
    PrintSettings settings;
    settings.SetText(kKey, "previous");
    EXPECT_TRUE(SetCFStringToTicketWithByteFilter(&settings, c.text.c_str(), kKey, false, c.lowest,
                                                  c.highest, c.maxBytes));
    EXPECT_EQ(Stored(settings), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ByteFilter,
    testing::Values(
        ByteFilterCase{"Plain", "Office Mac", 0x20, 0xFE, 64, "Office Mac"},
        ByteFilterCase{"RightQuote", "Ann\xE2\x80\x99s Mac", 0x20, 0xFE, 64, "Ann___s Mac"},
        ByteFilterCase{"OutOfRange", "a\tb\xC3\xA9", 0x20, 0x7E, 64, "a_b__"},
        ByteFilterCase{"AllBlanks", "     ", 0x20, 0xFE, 64, ""},
        ByteFilterCase{"Empty", "", 0x20, 0xFE, 64, ""},
        ByteFilterCase{"KeepsFirst32", std::string(40, 'm'), 0x20, 0xFE, 64, std::string(32, 'm')},
        ByteFilterCase{"SmallMaximum", "abcdefgh", 0x20, 0xFE, 6, ""},
        ByteFilterCase{"MaximumCuts", "abcde", 0x20, 0xFE, 8, "abcde"},
        ByteFilterCase{"MaximumBelowOneMeans256", std::string(200, 'q'), 0x20, 0xFE, 0,
                       std::string(32, 'q')},
        ByteFilterCase{"DoesNotFitMaximum", std::string(64, 'z'), 0x20, 0xFE, 64, ""},
        ByteFilterCase{"CutInsideCharacter", std::string(31, 'k') + "\xC3\xA9", 0x20, 0xFE, 64,
                       std::string(31, 'k')}),
    [](const testing::TestParamInfo<ByteFilterCase>& info) { return info.param.name; });

TEST(PageFormatTicket, CustomPaperIsReadFromThePaperInfoSubTicket) {
    PageFormat format;
    EXPECT_FALSE(IsCustomPaperSelected(nullptr));
    EXPECT_FALSE(IsCustomPaperSelected(&format.Ticket()));

    format.SetPaper("Custom.200x300", 200, 300, true);
    EXPECT_TRUE(IsCustomPaperSelected(&format.Ticket()));
    EXPECT_EQ(format.GetUnadjustedPaperRect(), (PMRect{0, 0, 300, 200}));

    format.SetPaper("A4", 595, 842, false);
    EXPECT_FALSE(IsCustomPaperSelected(&format.Ticket()));

    // A flag stored as text is not a Boolean.
    SettingsDictionary info;
    info.SetText(kPMPaperInfoCustomPaper, "true");
    format.Ticket().SetDictionary(kPMPaperInfoTicket, info);
    EXPECT_FALSE(IsCustomPaperSelected(&format.Ticket()));
}

TEST(SessionItems, NumbersArePassedAsInt32AndMissingItemsLeaveTheOutputAlone) {
    PrintSession session;
    std::int32_t value = 77;
    EXPECT_EQ(GetTicketFromSession(&session, "kPMCopies", &value), kStatusSessionItemMissing);
    EXPECT_EQ(value, 77);

    session.SetDataNumber("kPMCopies", 3.9);
    EXPECT_EQ(GetTicketFromSession(&session, "kPMCopies", &value), 0);
    EXPECT_EQ(value, 3);
    session.SetDataNumber("kPMCopies", -2.5);
    EXPECT_EQ(GetTicketFromSession(&session, "kPMCopies", &value), 0);
    EXPECT_EQ(value, -2);
    session.SetDataNumber("kPMCopies", 1e12);
    EXPECT_EQ(GetTicketFromSession(&session, "kPMCopies", &value), 0);
    EXPECT_EQ(value, 2147483647);

    int dummy = 0;
    session.SetDataPointer("pointer", &dummy);
    value = 5;
    EXPECT_EQ(GetTicketFromSession(&session, "pointer", &value), kStatusSessionItemMissing);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(GetTicketFromSession(nullptr, "kPMCopies", &value), kStatusSessionItemMissing);
}

TEST(SessionItems, PPDReferenceIsNullUntilTheSessionHoldsOne) {
    PrintSession session;
    ppd_file_t ppd{};
    ppd_file_t* out = &ppd;
    EXPECT_EQ(GetPPDRefFromSession(&session, &out), kStatusSessionItemMissing);
    EXPECT_EQ(out, nullptr);

    session.SetPPD(&ppd);
    EXPECT_EQ(GetPPDRefFromSession(&session, &out), 0);
    EXPECT_EQ(out, &ppd);
    EXPECT_EQ(GetPPDRefFromSession(&session, nullptr), kStatusParamErr);
}

TEST(PrinterKeys, PrinterIdentifierPrefixesThePreferenceKey) {
    PrintSession session;
    std::string printer = "keep:";
    EXPECT_EQ(SetPrinterString(&session, &printer), 1);
    EXPECT_EQ(printer, "keep:");
    EXPECT_EQ(SetPrinterString(&session, nullptr), 1);

    session.SetCurrentPrinter("Office_Printer", "Office printer, 2nd floor");
    printer.clear();
    EXPECT_EQ(SetPrinterString(&session, &printer), 0);
    EXPECT_EQ(printer, "Office_Printer");

    std::string key;
    EXPECT_TRUE(CreateKeyWithCurrentPrinter("WMARKName", printer.c_str(), &key));
    EXPECT_EQ(key, "Office_PrinterWMARKName");

    std::string untouched;
    EXPECT_FALSE(CreateKeyWithCurrentPrinter("WMARKName", nullptr, &untouched));
    EXPECT_FALSE(CreateKeyWithCurrentPrinter(nullptr, "Office_Printer", &untouched));
    EXPECT_FALSE(CreateKeyWithCurrentPrinter("WMARKName", "Office_Printer", nullptr));
    EXPECT_EQ(untouched, "");
}

TEST(EscapedTicketString, EscapesOnlyTextsThatWouldUpsetTheJobOptions) {
    const std::pair<std::string, std::string> cases[] = {
        {"a,b", "/97/44/98"},
        {"/x", "/47/120"},
        {"it's", "/105/116/39/115"},
        {"a\\b", "/97/92/98"},
        {"\xC3\xA9,", "/195/169/44"},
        {"plain text", "plain text"},
        {"a/b", "a/b"},
        {"", ""},
    };
    for (const auto& [text, escaped] : cases)
        EXPECT_EQ(EncodeEscapedTicketString(text), escaped) << text;
}
