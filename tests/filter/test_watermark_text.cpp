// Text watermark: the PostScript written at each injection point, the
// print-again flags, the text string form and the font-name guard.
#include <gtest/gtest.h>

#include "watermark/WatermarkTestSupport.h"

using namespace wmtest;

namespace {

const std::string kDrawEp = "pgsave restore /pgsave save store gsave\n"
                            "1.00 0.50 0.50 setrgbcolor\n"
                            "/Helvetica 48 selectfont\n"
                            "197.50 396.00 moveto\n"
                            "0 rotate\n"
                            "(AB) show\n"
                            "grestore\n";

std::string DrawAt(int point) {
    std::string s = kDrawEp;
    if (point == 28)
        s.replace(0, s.find('\n'), "pm restore /pm save store gsave");
    return s;
}

// Two pages ended by "ep", then one ended by "endp", as the scanner fires them.
const std::vector<std::pair<int, int>> kThreePages = {{13, 0}, {14, 0}, {16, 0}, {23, 0},
                                                      {24, 0}, {27, 1}, {23, 1}, {24, 1},
                                                      {27, 2}, {23, 2}, {24, 2}, {28, 3}};

struct FirstPageCase {
    const char* name;
    const char* onlyFirst; // nullptr: key absent
    std::string expected;
};

class TextFirstPageOnly : public ::testing::TestWithParam<FirstPageCase> {};

TEST_P(TextFirstPageOnly, WritesEachPieceAsOftenAsTheFlagSays) {
    Ticket t = TextTicket();
    if (GetParam().onlyFirst)
        t["WMARKOnlyFirstTicket"] = GetParam().onlyFirst;
    else
        t.erase("WMARKOnlyFirstTicket");
    StartJob(t);
    EXPECT_EQ(RunPoints(kThreePages), GetParam().expected);
}

const std::string kOnce = std::string(kProlog) + "kvqbp\n" + DrawAt(27) + DrawAt(28);

INSTANTIATE_TEST_SUITE_P(
    Flags, TextFirstPageOnly,
    ::testing::Values(FirstPageCase{"EveryPage", "0",
                                    std::string(kProlog) + "kvqbp\n" + DrawAt(27) + "kvqbp\n" +
                                        DrawAt(27) + "kvqbp\n" + DrawAt(28)},
                      // "ep" and "endp" keep separate flags, so each draws once.
                      FirstPageCase{"FirstOnly", "1", kOnce},
                      FirstPageCase{"Absent", nullptr, kOnce},
                      FirstPageCase{"OtherValue", "7", kOnce}),
    [](const auto& info) { return std::string(info.param.name); });

struct DrawCase {
    const char* name;
    Ticket changes;
    std::vector<std::string> lines; // expected lines 2 to 6 of the drawing
};

class TextDrawing : public ::testing::TestWithParam<DrawCase> {};

TEST_P(TextDrawing, ColourFontStartRotateAndText) {
    Ticket t = TextTicket();
    for (const auto& [k, v] : GetParam().changes)
        t[k] = v;
    StartJob(t);
    std::string expected = "pgsave restore /pgsave save store gsave\n";
    for (const auto& line : GetParam().lines)
        expected += line + "\n";
    expected += "grestore\n";
    EXPECT_EQ(RunPoints({{27, 1}}), expected);
}

const std::vector<std::string> kPlain = {"1.00 0.50 0.50 setrgbcolor", "/Helvetica 48 selectfont",
                                         "197.50 396.00 moveto", "0 rotate", "(AB) show"};

std::vector<std::string> With(size_t index, const std::string& line) {
    auto lines = kPlain;
    lines[index] = line;
    return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextDrawing,
    ::testing::Values(
        DrawCase{"Portrait", {}, kPlain},
        DrawCase{"FullDensityGrey",
                 {{"WMARKDensityTicket", "100"},
                  {"WMARKColorRTicket", "0.25"},
                  {"WMARKColorGTicket", "0.5"},
                  {"WMARKColorBTicket", "0.75"}},
                 With(0, "0.25 0.50 0.75 setrgbcolor")},
        DrawCase{"Offsets",
                 {{"WMARKhOffsetTicket", "10.5"}, {"WMARKvOffsetTicket", "-20"}},
                 With(2, "208.00 376.00 moveto")},
        DrawCase{"Angle90",
                 {{"WMARKAngleTicket", "90"}},
                 [] {
                     auto l = With(2, "322.50 321.00 moveto");
                     l[3] = "90 rotate";
                     return l;
                 }()},
        DrawCase{"Landscape", {{"WMARKOrientationTicket", "2"}}, With(2, "321.00 272.50 moveto")},
        // Outside 0..360 only the offsets place the text.
        DrawCase{"AngleOutOfRange",
                 {{"WMARKAngleTicket", "361"}, {"WMARKhOffsetTicket", "5"}},
                 [] {
                     auto l = With(2, "5.00 0.00 moveto");
                     l[3] = "361 rotate";
                     return l;
                 }()},
        DrawCase{"HexText", {{"WMARKFontTypeTicket", "1"}}, With(4, "<4142> show")},
        DrawCase{"EscapedTicketText",
                 {{"WMARKTextTicket", "/40/97/92/41"}},
                 With(4, "(\\(a\\\\\\)) show")},
        // Reals that are not numbers count as 0: no "nan" or "inf" in the job.
        DrawCase{"NonFiniteReals",
                 {{"WMARKColorRTicket", "nan"},
                  {"WMARKColorGTicket", "inf"},
                  {"WMARKvOffsetTicket", "-inf"},
                  {"WMARKhOffsetTicket", "NAN"}},
                 With(0, "0.50 0.50 0.50 setrgbcolor")}),
    [](const auto& info) { return std::string(info.param.name); });

struct StringCase {
    const char* name;
    std::string text;
    int encoding;
    std::string expected;
};

class OutputText : public ::testing::TestWithParam<StringCase> {};

TEST_P(OutputText, StringFormFitsTheBuffer) {
    char dest[256];
    std::memset(dest, 'Z', sizeof dest);
    getWMOuputText(dest, GetParam().text.c_str(), sizeof dest, GetParam().encoding);
    EXPECT_EQ(std::string(dest), GetParam().expected);
    EXPECT_LE(std::strlen(dest), 255u);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, OutputText,
    ::testing::Values(StringCase{"Hex", "AB", 1, "<4142>"}, StringCase{"Literal", "AB", 0, "(AB)"},
                      StringCase{"HexLowerCaseHighBytes", "\xE9\x0A\xFF", 1, "<e90aff>"},
                      StringCase{"LiteralEscapes", "a(b)c\\", 0, "(a\\(b\\)c\\\\)"},
                      StringCase{"Empty", "", 0, "()"}, StringCase{"EmptyHex", "", 1, "<>"},
                      StringCase{"OtherEncoding", "AB", -1, "()"},
                      StringCase{"HexKeeps126Bytes", std::string(200, 'x'), 1,
                                 "<" +
                                     [] {
                                         std::string s;
                                         for (int i = 0; i < 126; ++i)
                                             s += "78";
                                         return s;
                                     }() +
                                     ">"},
                      StringCase{"LiteralKeeps253Bytes", std::string(255, 'A'), 0,
                                 "(" + std::string(253, 'A') + ")"},
                      // An escape pair is never split: 126 pairs fit, the 127th does not.
                      StringCase{"LiteralEscapesNotSplit", std::string(200, '('), 0,
                                 "(" +
                                     [] {
                                         std::string s;
                                         for (int i = 0; i < 126; ++i)
                                             s += "\\(";
                                         return s;
                                     }() +
                                     ")"},
                      StringCase{"LiteralMixedCutAtWholeByte", std::string(252, 'A') + ")B", 0,
                                 "(" + std::string(252, 'A') + ")"}),
    [](const auto& info) { return std::string(info.param.name); });

class TextFontName : public ::testing::TestWithParam<const char*> {};

TEST_P(TextFontName, UnusableFontWritesNothingAnywhere) {
    Ticket t = TextTicket();
    t["WMARKFontTicket"] = GetParam();
    StartJob(t);
    EXPECT_EQ(RunPoints(kThreePages), "");
}

INSTANTIATE_TEST_SUITE_P(Fonts, TextFontName,
                         ::testing::Values("", "Times Roman", "Helvetica/Bold", "Evil)show(", "A<B",
                                           "A%B", "A{B", "A]B", "Caf\xC3\xA9"));

TEST(TextFontNameRule, PlainNamesAreAccepted) {
    for (const char* font : {"Helvetica", "Times-Bold", "Ryumin-Light-83pv-RKSJ-H", "A.B_C+D"})
        EXPECT_TRUE(IsWatermarkFontName(font)) << font;
}

TEST(TextWatermarkOn, NameOutsideLatin1StillDraws) {
    Ticket latin = TextTicket();
    Ticket japanese = TextTicket();
    japanese["WMARKNameTicket"] = "\xE7\xA4\xBE\xE5\x86\x85"; // two CJK characters in UTF-8
    StartJob(latin);
    std::string expected = RunPoints(kThreePages);
    ASSERT_NE(expected, "");
    StartJob(japanese);
    EXPECT_EQ(RunPoints(kThreePages), expected);
}

TEST(TextWatermarkOff, NoNameOrUnknownTypeWritesNothing) {
    Ticket noName = TextTicket();
    noName.erase("WMARKNameTicket");
    Ticket badType = TextTicket();
    badType["WMARKTypeTicket"] = "2";
    Ticket noType = TextTicket();
    noType.erase("WMARKTypeTicket");
    for (const Ticket& t : {noName, badType, noType}) {
        StartJob(t);
        EXPECT_EQ(RunPoints(kThreePages), "");
    }
}

} // namespace
