// Command table engine: placeholder expansion, conditions, and the rules that
// keep a value from breaking or overrunning a PJL line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CommandTableEngine.h"
#include "FilterRun.h"

namespace {

std::string Build(const char* format, const CmdParaTable* params) {
    char out[kCmdBufferSize];
    int length = BuildPrintComand(format, params, out);
    return length < 0 ? "<dropped>" : std::string(out, static_cast<size_t>(length));
}

TEST(CommandEngine, HeadLineTakesPercentSignFromItsParameter) {
    const void* const values[] = {&CTRLSym_ESC, &CTRLSym_PERCENTAGE, &CTRLSym_CR, &CTRLSym_LF};
    CmdParaTable params;
    WireParams(params, values);
    EXPECT_EQ(Build("%c%c-12345X@PJL JOB MODE=PRINTER%c%c", &params),
              "\x1b%-12345X@PJL JOB MODE=PRINTER\r\n");
}

TEST(CommandEngine, ExpandsEachSymbolKindInOrder) {
    char name[] = "abc";
    int32_t number = -17;
    const void* const values[] = {&CTRLSym_DOUBLE, name, &CTRLSym_DOUBLE, &number, &CTRLSym_LF};
    CmdParaTable params;
    WireParams(params, values);
    EXPECT_EQ(Build("SET X=%c%s%c N=%d 100%% %z%c", &params), "SET X=\"abc\" N=-17 100%% %z\n");
    EXPECT_EQ(Build("@PJL ENTER LANGUAGE=POSTSCRIPT\n", nullptr),
              "@PJL ENTER LANGUAGE=POSTSCRIPT\n");
}

TEST(CommandEngine, FindsOnlyTheThreeControlSymbols) {
    const char* text = "%%x%-%c";
    EXPECT_EQ(GetNextCtrlSym(text), text + 5);
    EXPECT_EQ(GetNextCtrlSym("no symbols % here%"), nullptr);
    char expansion[kCmdBufferSize];
    EXPECT_EQ(getCtrlSym("%x", "v", expansion), 0);
}

// Any empty text drops the line, wherever its placeholder stands: no half
// line without its line end reaches the printer.
TEST(CommandEngine, EmptyTextDropsTheWholeLine) {
    char empty[] = "";
    char full[] = "v";
    const void* const first[] = {empty, &CTRLSym_CR, &CTRLSym_LF};
    const void* const later[] = {&CTRLSym_DOUBLE, empty, &CTRLSym_DOUBLE, &CTRLSym_LF};
    const void* const second[] = {full, empty};
    CmdParaTable p1, p2, p3;
    WireParams(p1, first);
    WireParams(p2, later);
    WireParams(p3, second);
    EXPECT_EQ(Build("@PJL SET BOXNUMBER=%s%c%c", &p1), "<dropped>");
    EXPECT_EQ(Build("@PJL SET JOBATTR=%c@TABS=%s%c%c", &p2), "<dropped>");
    EXPECT_EQ(Build("A=%s B=%s\n", &p3), "<dropped>");
}

TEST(CommandEngine, PlaceholderWithoutValueDropsTheLine) {
    CmdParaTable unwired{};
    EXPECT_EQ(Build("X=%c\n", &unwired), "<dropped>");
    EXPECT_EQ(Build("X=%c\n", nullptr), "<dropped>");
}

// 229 bytes fit; one more and the line is left out, never cut or overrun.
TEST(CommandEngine, LineLongerThanTheBufferIsLeftOut) {
    const std::string prefix = "@PJL SET JOBATTR=\"@ACNA=";
    const std::string suffix = "\"\r\n";
    std::string fits(static_cast<size_t>(kCmdLineMax) - prefix.size() - suffix.size(), 'x');
    std::string over = fits + "x";
    const void* const a[] = {&CTRLSym_DOUBLE, fits.c_str(), &CTRLSym_DOUBLE, &CTRLSym_CR,
                             &CTRLSym_LF};
    const void* const b[] = {&CTRLSym_DOUBLE, over.c_str(), &CTRLSym_DOUBLE, &CTRLSym_CR,
                             &CTRLSym_LF};
    CmdParaTable pa, pb;
    WireParams(pa, a);
    WireParams(pb, b);
    EXPECT_EQ(Build("@PJL SET JOBATTR=%c@ACNA=%s%c%c%c", &pa), prefix + fits + suffix);
    EXPECT_EQ(Build("@PJL SET JOBATTR=%c@ACNA=%s%c%c%c", &pb), "<dropped>");
    std::string huge(400, 'y');
    const void* const c[] = {huge.c_str()};
    CmdParaTable pc;
    WireParams(pc, c);
    EXPECT_EQ(Build("%s", &pc), "<dropped>");
}

// A value can never end its quoted string or start a PJL line of its own.
TEST(CommandEngine, ControlBytesAndQuotesInTextBecomeUnderscores) {
    char value[] = "a\"b\r\n@PJL RESET\x1b\x01\x7f\xe9";
    const void* const values[] = {&CTRLSym_DOUBLE, value, &CTRLSym_DOUBLE, &CTRLSym_LF};
    CmdParaTable params;
    WireParams(params, values);
    EXPECT_EQ(Build("@PJL SET JOBATTR=%c@CNAM=%s%c%c", &params),
              "@PJL SET JOBATTR=\"@CNAM=a_b__@PJL RESET__\x7f\xe9\"\n");
}

TEST(CommandEngine, ConditionsAllMustHold) {
    int32_t two = 2;
    char text[] = "t";
    char empty[] = "";
    const ComparationItem holds[] = {CondIntIs(two, 2), CondIntIsNot(two, 5), CondStrSet(text),
                                     CondStrEmpty(empty)};
    const ComparationItem fails[] = {CondIntIs(two, 2), CondStrSet(empty), CondIntIs(two, 2)};
    ComparationTable a, b, none{};
    WireConditions(a, holds);
    WireConditions(b, fails);
    EXPECT_EQ(ConditionCompare(&a), 1);
    EXPECT_EQ(ConditionCompare(&b), 0);
    EXPECT_EQ(ConditionCompare(&none), 1) << "a list never wired holds";
}

TEST(CommandEngine, TableWritesMatchingEntriesInOrder) {
    int32_t type = 3;
    const ComparationItem is3[] = {CondIntIs(type, 3)};
    const ComparationItem is4[] = {CondIntIs(type, 4)};
    ComparationTable c3, c4;
    WireConditions(c3, is3);
    WireConditions(c4, is4);
    const KPJLCommandEntry table[] = {{"one\n", nullptr, &c4},
                                      {"two\n", nullptr, nullptr},
                                      {"three\n", nullptr, &c3},
                                      {"four\n", nullptr, &c3},
                                      {"five %s\n", nullptr, nullptr}};
    std::string out = filtertest::CaptureOutput(
        [](void* t) {
            OutputKPJLCommandFromArray(nullptr, static_cast<const KPJLCommandEntry*>(t), 5);
        },
        const_cast<KPJLCommandEntry*>(table));
    EXPECT_EQ(out, "two\nthree\nfour\n");
}

} // namespace
