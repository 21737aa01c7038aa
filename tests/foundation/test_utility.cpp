// Text, number, unit, date and binary-field utilities of the dialog controls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "DateTimeZone.h"
#include "InputFilter.h"
#include "NumberUnit.h"
#include "SortCompare.h"
#include "TextUtility.h"

using namespace MNTest;

namespace {

InputFilterData Filter(std::initializer_list<InputFilterRange> ranges) {
    InputFilterData f{};
    for (const InputFilterRange& r : ranges)
        f.inputScale[f.inputItemCount++] = r;
    return f;
}

} // namespace

TEST(InputFilters, RangesAndCounts) {
    const InputFilterData digits = Filter({{'0', '9'}, {0x3000, 0x3000}});
    EXPECT_TRUE(ISWordValid(u'5', digits));
    EXPECT_TRUE(ISWordValid(u'\u3000', digits));
    EXPECT_FALSE(ISWordValid(u'a', digits));
    EXPECT_TRUE(ISWordSpace(u'\u3000', digits));

    // Byte filters compare through the low bytes of their bounds.
    const InputFilterData high = Filter({{0x120, 0x1FE}});
    EXPECT_TRUE(ISByteValid(0x20, high));
    EXPECT_TRUE(ISByteValid(0xFE, high));
    EXPECT_FALSE(ISByteValid(0xFF, high));
    EXPECT_FALSE(ISByteValid(0x1F, high));

    // Count 0 lets nothing pass; counts out of range never read past the table.
    InputFilterData none = Filter({{0, 0xFFFF}});
    none.inputItemCount = 0;
    EXPECT_FALSE(ISWordValid(u'a', none));
    InputFilterData huge = Filter({{'a', 'z'}});
    huge.inputItemCount = 1000;
    EXPECT_TRUE(ISWordValid(u'q', huge));
    huge.inputItemCount = -4;
    EXPECT_FALSE(ISWordValid(u'q', huge));
}

TEST(InputFilters, ValidateTextAndBytes) {
    TextEditFilterData f{Filter({{0x20, 0x7E}}), Filter({{'0', '9'}, {'.', '.'}}), "Number Err"};
    EXPECT_TRUE(validateInput("", f));
    EXPECT_TRUE(validateInput("12.5", f));
    EXPECT_FALSE(validateInput("12,5", f));
    EXPECT_FALSE(validateInput("\xC3", f)); // not UTF-8
    EXPECT_TRUE(validateDensityInput("a b~", f));
    EXPECT_FALSE(validateDensityInput("caf\xC3\xA9", f));
    EXPECT_TRUE(validateDensityInput("", f));

    // A character filter with count 0 rejects any non-empty text.
    f.charFilter.inputItemCount = 0;
    f.byteFilter.inputItemCount = 0;
    EXPECT_FALSE(validateInput("1", f));
    EXPECT_TRUE(validateInput("", f));
    EXPECT_FALSE(validateDensityInput("1", f));

    // Characters outside the BMP are checked as their two code units.
    TextEditFilterData surrogates{Filter({}), Filter({{0xD800, 0xDFFF}}), ""};
    EXPECT_TRUE(validateInput("\xF0\x9F\x98\x80", surrogates));
}

TEST(TextTools, SpacesDigitsPointsAndPieces) {
    EXPECT_TRUE(IsAllSpace(""));
    EXPECT_TRUE(IsAllSpace("\xE3\x80\x80 "));
    EXPECT_FALSE(IsAllSpace(" a "));
    EXPECT_FALSE(IsAllSpace("\t"));

    char16_t out[8];
    EXPECT_EQ(RemoveAllSpaces(" a b\xE3\x80\x80 ", out, 8), 3);
    EXPECT_EQ(std::u16string(out), u"ab\u3000");
    EXPECT_EQ(RemoveAllSpaces("abcdefghij", out, 4), 3);
    EXPECT_EQ(std::u16string(out), u"abc");

    EXPECT_TRUE(ExistNumericString("abc0"));
    EXPECT_FALSE(ExistNumericString("abc"));
    EXPECT_FALSE(ExistNumericString(""));

    std::vector<std::string> list{"a"};
    AddNoRepeatStrToArray(list, "b");
    AddNoRepeatStrToArray(list, "a");
    AddNoRepeatStrToArray(list, "b");
    EXPECT_EQ(list, (std::vector<std::string>{"a", "b"}));

    std::vector<std::string> pieces;
    getStringBySeparator(pieces, "1,2,,3\n4,", ',');
    EXPECT_EQ(pieces, (std::vector<std::string>{"1", "2", "", "3", "4", ""}));

    EXPECT_EQ(GetStringPointCount("1.2.3"), 2);
    EXPECT_EQ(GetStringPointIndex("12.5"), 3);
    EXPECT_EQ(GetStringPointIndex("\xE6\x97\xA5.5"), 2);
    EXPECT_EQ(GetStringPointIndex("125"), 4);
    EXPECT_EQ(GetStringPointIndex(""), 1);
}

TEST(DisplayWidth, OneColumnForLatin1TwoOtherwise) {
    const std::string mixed = "a\xC3\xA9\xE6\x97\xA5"; // "aé日"
    EXPECT_EQ(GetStringLength(mixed), 4);
    EXPECT_EQ(GetUTF8StringLength(mixed.c_str()), 4);
    EXPECT_EQ(GetStringLength(""), 0);
    EXPECT_EQ(GetUTF8StringLength(nullptr), 0);
    EXPECT_EQ(GetUTF8StringLength("\xFF\xFE"), 0);
    // Each half of a surrogate pair counts 2.
    EXPECT_EQ(GetStringLength("\xF0\x9F\x98\x80"), 4);

    // Shortening counts 2 for every character longer than one UTF-8 byte and
    // never cuts a character in half.
    EXPECT_EQ(GetShortenString(mixed, 3), "a\xC3\xA9");
    EXPECT_EQ(GetShortenString(mixed, 4), "a\xC3\xA9");
    EXPECT_EQ(GetShortenString(mixed, 5), mixed);
    EXPECT_EQ(GetShortenString(mixed, 0), "");
    EXPECT_EQ(GetShortenString("", 3), "");

    EXPECT_EQ(GetIntegerLength(0), 1);
    EXPECT_EQ(GetIntegerLength(-120), 4);
    EXPECT_EQ(GetIntegerLength(2147483647), 10);
}

TEST(Numbers, ItoaIntoTheEndOfTheBuffer) {
    char buffer[33];
    char* seven = itoa(7, buffer, sizeof buffer);
    EXPECT_STREQ(seven, "7");
    EXPECT_EQ(seven, buffer + 31);
    EXPECT_STREQ(itoa(0, buffer, sizeof buffer), "0");
    EXPECT_STREQ(itoa(2147483647, buffer, sizeof buffer), "2147483647");
    char tiny[3];
    EXPECT_STREQ(itoa(42, tiny, 3), "42");
    EXPECT_EQ(itoa(420, tiny, 3), nullptr);
}

TEST(Numbers, EscapedTicketStringDecoding) {
    struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"/65/66", "AB"},
        {"/72/105", "Hi"},
        {"AB", "AB"},
        {"/97/44/98", "a,b"},
        {"/47/116/109/112", "/tmp"},
        {"/230/151/165", "\xE6\x97\xA5"},
        {"/65/257/66", "A"}, // above a byte: the text ends there
        {"/65/256/66", "A"},
        {"/65//66", "A"}, // empty token
        {"/", "/"},
        {"/99999999999999999999/65", ""},
    };
    for (const auto& c : cases) {
        char buffer[64] = {};
        std::strcpy(buffer, c.in.c_str());
        numstrtochar(buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.out.c_str()) << c.in;
    }
    // Only the buffer's bytes are read, terminated or not.
    char unterminated[6] = {'/', '6', '5', '/', '6', '6'};
    numstrtochar(unterminated, sizeof unterminated);
    EXPECT_STREQ(unterminated, "AB");
    numstrtochar(nullptr, 10);
}

TEST(Numbers, TenthsTextForms) {
    struct {
        int tenths;
        const char* text;
    } forms[] = {{0, "0.0"}, {5, "0.5"}, {10, "1.0"}, {123, "12.3"}, {2970, "297.0"}};
    for (const auto& f : forms) {
        char out[16];
        ConvertIntToFloatStr(f.tenths, out, sizeof out);
        EXPECT_STREQ(out, f.text);
    }
    char small[3];
    ConvertIntToFloatStr(123, small, sizeof small);
    EXPECT_STREQ(small, "12");

    EXPECT_EQ(ConvertFloatStrToInt("7"), 70);
    EXPECT_EQ(ConvertFloatStrToInt("12.3"), 123);
    EXPECT_EQ(ConvertFloatStrToInt("0.5"), 5);
    EXPECT_EQ(ConvertFloatStrToInt("012"), 120);
    EXPECT_EQ(ConvertFloatStrToInt("000"), 0);
    EXPECT_EQ(ConvertFloatStrToInt(""), 0);
    EXPECT_EQ(ConvertFloatStrToInt(nullptr), 0);
    EXPECT_EQ(ConvertFloatStrToInt("99999999999"), 2147483647);

    EXPECT_EQ(GetMillimetreFromStr("210.5"), 2105);
    EXPECT_EQ(GetMillimetreFromStr("210"), 2100);
    EXPECT_EQ(GetMillimetreFromStr(""), 0);

    char zeros[] = "000120";
    filterHeadZero(zeros);
    EXPECT_STREQ(zeros, "120");
    char allZero[] = "000";
    filterHeadZero(allZero);
    EXPECT_STREQ(allZero, "");
}

TEST(Units, MillimetresToInchesRoundHalfToEven) {
    struct {
        const char* mm;
        const char* inches;
    } cases[] = {
        {"297", "11.69"},  {"210.0", "8.27"},  {"210", "8.27"}, {"25.4", "1.00"},
        {"0", "0.00"},     {"1", "0.04"},      {"2.5", "0.10"}, {"12.7", "0.50"},
        {"-25.4", "1.00"}, {"431.8", "17.00"},
    };
    for (const auto& c : cases) {
        const std::string mm = c.mm;
        EXPECT_EQ(TransformMillimetreToInchs(&mm), c.inches) << c.mm;
    }
    EXPECT_FALSE(TransformMillimetreToInchs(nullptr));
    // A point beyond the first 30 characters is not seen.
    const std::string late = std::string(30, '0') + "1.5";
    EXPECT_EQ(TransformMillimetreToInchs(&late), "0.04"); // read as 1 mm
}

TEST(Units, PointsToInchesAndMillimetres) {
    std::string text;
    EXPECT_EQ(TransformPointByType(&text, 612, 2, 0), 850);
    EXPECT_EQ(text, "8.50");
    EXPECT_EQ(TransformPointByType(&text, 612, 1, 1), 2160);
    EXPECT_EQ(text, "216.0");
    EXPECT_EQ(TransformPointByType(&text, 842, 1, 1), 2970);
    EXPECT_EQ(text, "297.0");
    EXPECT_EQ(TransformPointByType(&text, 36, 2, 0), 50);
    EXPECT_EQ(text, "0.50");
    EXPECT_EQ(TransformPointByType(nullptr, 792, 0, 0), 11);
    text = "kept";
    EXPECT_EQ(TransformPointByType(&text, 612, 2, 2), -1);
    EXPECT_EQ(text, "kept");
}

TEST(SortComparators, AscendingByIntegerValue) {
    EXPECT_EQ(numCompare("2", "10", nullptr), -1);
    EXPECT_EQ(numCompare("10", "2", nullptr), 1);
    EXPECT_EQ(numCompare("07", "7", nullptr), 0);
    EXPECT_EQ(pageNumCompare({"3", "x"}, {"12"}, nullptr), -1);
    EXPECT_EQ(pageNumCompare({}, {"0"}, nullptr), 0);
    std::map<std::string, std::string> a{{"page", "9"}}, b{{"page", "10"}};
    EXPECT_EQ(pageNumCompareDict(a, b, "page"), -1);
    EXPECT_EQ(pageNumCompareDict(b, a, "page"), 1);
    EXPECT_EQ(pageNumCompareDict(a, b, "missing"), 0);

    std::vector<std::string> pages{"10", "9", "100", "-1"};
    std::sort(pages.begin(), pages.end(), [](const std::string& x, const std::string& y) {
        return numCompare(x, y, nullptr) < 0;
    });
    EXPECT_EQ(pages, (std::vector<std::string>{"-1", "9", "10", "100"}));
}

namespace {

// Runs the body with TZ set, restoring the previous zone afterwards.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone) {
        const char* old = std::getenv("TZ");
        m_had = old != nullptr;
        if (old)
            m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope() {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_had = false;
    std::string m_old;
};

} // namespace

TEST(TimeZone, StandardOffsetTexts) {
    // Fixed zones in POSIX form: the sign is inverted against the offset.
    const struct {
        const char* tz;
        const char* text;
    } zones[] = {
        {"UTC0", "+0000"},
        {"JST-9", "+0900"},
        {"NPT-5:45", "+0545"},
        {"NST3:30", "-0330"},
        {"EST5", "-0500"},
        {"AEST-10", "+1000"},
        {"XXX11", "-1100"},
        {"IST-5:30", "+0530"},
        {"CHAST-12:45", "+1245"},
        // A zone with daylight saving: the standard offset, summer or winter.
        {"CET-1CEST,M3.5.0,M10.5.0/3", "+0100"},
        {"EST5EDT,M3.2.0,M11.1.0", "-0500"},
    };
    for (const auto& z : zones) {
        ZoneScope scope(z.tz);
        EXPECT_EQ(GetActualTimeZoneString(), z.text) << z.tz;
    }
}

TEST(TimeZone, DaylightShiftAndDateTexts) {
    {
        ZoneScope scope("CET-1CEST,M3.5.0,M10.5.0/3");
        EXPECT_EQ(GetActualDSTSecondOffset(), 3600);
    }
    {
        ZoneScope scope("LHST-10:30LHDT-11,M10.1.0,M4.1.0");
        EXPECT_EQ(GetActualDSTSecondOffset(), 1800);
    }
    ZoneScope scope("JST-9");
    EXPECT_EQ(GetActualDSTSecondOffset(), 0);

    LongDateRec time;
    time.hour = 9;
    time.minute = 5;
    std::string text;
    EXPECT_EQ(ConvertLongDateToNSDate(time, text), "2001-01-01 09:05:00 +0900");

    LongDateRec back;
    ConvertNSDateToLongDate(std::string_view(text), back);
    EXPECT_EQ(back.hour, 9);
    EXPECT_EQ(back.minute, 5);
    // 2005-07-01 12:00:00 +0000 is 21:00 in Tokyo.
    ConvertNSDateToLongDate(std::time_t{1120219200}, back);
    EXPECT_EQ(back.hour, 21);
    EXPECT_EQ(back.minute, 0);
    // Short or broken text leaves zeros, never reads past the text.
    ConvertNSDateToLongDate(std::string_view("2005-07-01"), back);
    EXPECT_EQ(back.hour, 0);
    EXPECT_EQ(back.minute, 0);
}
