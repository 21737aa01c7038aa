// The block scanner against the line rule it must keep exactly: a byte-at-a-
// time reference over generated documents, read whole and in ragged pieces,
// plus the rules spelled out case by case.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <sys/mman.h>
#include <thread>
#include <unistd.h>

#include "FilterRun.h"
#include "PSStreamScanner.h"

using namespace filtertest;

namespace {

struct Trigger {
    std::string line;
    int code;
    bool before;
    bool endsPage;
};
const Trigger kTriggers[] = {
    {"%%BeginProlog", 13, false, false},
    {"%%EndProlog", 14, true, false},
    {"%%EndSetup", 16, true, false},
    {"userdict/setpagedevice{pop}bind put", 21, true, false},
    {"bp", 23, false, false},
    {"%%EndPageSetup", 24, false, false},
    {"ep", 27, true, true},
    {"endp", 28, true, true},
};

std::string Marker(int code, int page) {
    return "<" + std::to_string(code) + ":" + std::to_string(page) + ">";
}

// The rule as stated: one byte at a time through an 8192-byte line buffer,
// written out whenever it holds 8065 bytes.
std::string ReferenceScan(const std::string& in) {
    std::string out, line;
    int page = 0;
    for (char c : in) {
        if (c == '\r' || c == '\n') {
            const Trigger* hit = nullptr;
            for (const Trigger& t : kTriggers)
                if (t.line == line)
                    hit = &t;
            if (hit && hit->endsPage)
                ++page;
            if (hit && hit->before)
                out += Marker(hit->code, page);
            out += line;
            out += c;
            if (hit && !hit->before)
                out += Marker(hit->code, page);
            line.clear();
        } else {
            line += c;
            if (line.size() > 8064) {
                out += line;
                line.clear();
            }
        }
    }
    out += line;
    out += '\x04';
    return out;
}

FILE* gMarkerOut;
PSPageHooks gScanHooks = PSPageHooks::Generator;
void WriteMarker(int code, int page) {
    std::fputs(Marker(code, page).c_str(), gMarkerOut);
}

std::string Scan(int fd, int32_t* pageCounter = nullptr) {
    char* buffer = nullptr;
    size_t size = 0;
    gMarkerOut = open_memstream(&buffer, &size);
    int32_t counter = 0;
    ScanPSStream(fd, gMarkerOut, WriteMarker, pageCounter ? pageCounter : &counter, nullptr, 0,
                 gScanHooks);
    std::fclose(gMarkerOut);
    std::string result(buffer, size);
    std::free(buffer);
    return result;
}

// Whole document readable at once: the scanner sees full blocks.
std::string ScanWhole(const std::string& in) {
    int fd = memfd_create("document", 0);
    EXPECT_EQ(write(fd, in.data(), in.size()), static_cast<ssize_t>(in.size()));
    lseek(fd, 0, SEEK_SET);
    std::string out = Scan(fd);
    close(fd);
    return out;
}

// Through a pipe written in random small pieces: reads come back short, so
// lines and trigger lines straddle reads everywhere.
std::string ScanRagged(const std::string& in, unsigned seed) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        std::mt19937 rng(seed);
        size_t pos = 0;
        while (pos < in.size()) {
            size_t n = std::min(in.size() - pos, static_cast<size_t>(rng() % 97 + 1));
            ssize_t w = write(fds[1], in.data() + pos, n);
            if (w <= 0)
                break;
            pos += static_cast<size_t>(w);
        }
        close(fds[1]);
    });
    std::string out = Scan(fds[0]);
    writer.join();
    close(fds[0]);
    return out;
}

std::string RandomText(std::mt19937& rng, size_t length) {
    static const char bytes[] = "abcXYZ 019%%{}/()\t\x04\xe9\x7f";
    std::string s;
    for (size_t i = 0; i < length; ++i)
        s += bytes[rng() % (sizeof bytes - 1)];
    if (rng() % 8 == 0 && length)
        s[rng() % length] = '\0';
    return s;
}

std::string GenerateDocument(std::mt19937& rng, size_t target) {
    static const char* const nearMisses[] = {
        "ep ", " ep", "e", "EP", "endp\t", "bp\x04", "%%EndProlog ", "%%BeginProlo", ""};
    static const char* const terminators[] = {"\n", "\r", "\r\n", "\n\r", "\r\r", ""};
    static const size_t longLengths[] = {8063, 8064, 8065, 8066, 16129, 16130, 16131, 20000};
    std::string doc;
    while (doc.size() < target) {
        std::string line;
        switch (rng() % 8) {
        case 0:
        case 1:
        case 2:
            line = kTriggers[rng() % std::size(kTriggers)].line;
            break;
        case 3:
            line = nearMisses[rng() % std::size(nearMisses)];
            break;
        case 4: // a long line whose last piece may be a trigger line
            line = std::string(longLengths[rng() % std::size(longLengths)] - (rng() % 2 ? 2 : 0),
                               'x') +
                   (rng() % 2 ? "ep" : "");
            break;
        case 5: // exactly a multiple of the piece size, then a trigger
            line = std::string(static_cast<size_t>(kPSLinePieceSize) * (1 + rng() % 2), 'y') +
                   kTriggers[rng() % std::size(kTriggers)].line;
            break;
        default:
            line = RandomText(rng, rng() % 60);
            break;
        }
        doc += line;
        doc += terminators[rng() % std::size(terminators)];
    }
    return doc;
}

TEST(StreamScanner, MatchesTheLineRuleOnGeneratedDocuments) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 rng(seed);
        // Small documents fit one read; large ones cross several blocks.
        std::string doc = GenerateDocument(rng, seed % 3 == 0 ? 700000 : 3000 + seed * 5000);
        if (seed % 4 == 0)
            doc += "ep"; // ends inside a would-be trigger line
        const std::string expected = ReferenceScan(doc);
        ASSERT_EQ(ScanWhole(doc), expected) << "seed " << seed;
        ASSERT_EQ(ScanRagged(doc, seed), expected) << "seed " << seed;
    }
}

TEST(StreamScanner, TriggerLinesAcrossEveryReadBoundary) {
    // A trigger line placed so that each of its bytes in turn is the last of
    // a 128 KiB read.
    const size_t block = 128 * 1024;
    for (const Trigger& t : kTriggers) {
        for (size_t cut = 0; cut <= t.line.size() + 1; ++cut) {
            std::string doc(block - cut - 1, 'z');
            doc += "\n" + t.line + "\r\nbp\n";
            ASSERT_EQ(ScanWhole(doc), ReferenceScan(doc)) << t.line << " cut " << cut;
        }
    }
}

struct RuleCase {
    const char* name;
    std::string in;
    std::string out;
    friend void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }
};

class ScannerRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ScannerRules, WritesExactly) {
    EXPECT_EQ(ScanWhole(GetParam().in), GetParam().out);
    EXPECT_EQ(ReferenceScan(GetParam().in), GetParam().out) << "reference disagrees";
}

const std::string k8065(8065, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rules, ScannerRules,
    ::testing::Values(
        RuleCase{"PointsFireBeforeOrAfterTheirLine",
                 "%%BeginProlog\n%%EndProlog\n%%EndSetup\nuserdict/setpagedevice{pop}bind put\n"
                 "bp\n%%EndPageSetup\nep\nendp\n",
                 "%%BeginProlog\n<13:0><14:0>%%EndProlog\n<16:0>%%EndSetup\n"
                 "<21:0>userdict/setpagedevice{pop}bind put\nbp\n<23:0>%%EndPageSetup\n<24:0>"
                 "<27:1>ep\n<28:2>endp\n\x04"},
        RuleCase{"CRLFPutsTheAfterPointBetweenCRAndLF", "bp\r\nep\r\n",
                 "bp\r<23:0>\n<27:1>ep\r\n\x04"},
        RuleCase{"BlankAroundATriggerLineFiresNothing", "ep \n ep\nbp\t\nep\n",
                 "ep \n ep\nbp\t\n<27:1>ep\n\x04"},
        RuleCase{"LastLineWithoutTerminatorIsStillWritten", "bp\nlast", "bp\n<23:0>last\x04"},
        RuleCase{"TriggerWithoutTerminatorDoesNotFire", "ep", "ep\x04"},
        RuleCase{"EmptyDocumentIsOnlyControlD", "", "\x04"},
        RuleCase{"LongLineIsCutAndOnlyItsLastPieceCompared", k8065 + k8065 + "ep\n",
                 k8065 + k8065 + "<27:1>ep\n\x04"},
        RuleCase{"PieceCutInsideTheTriggerText", std::string(8064, 'x') + "ep\n",
                 std::string(8064, 'x') + "ep\n\x04"},
        RuleCase{"LineOfExactlyOnePieceEndsAsAnEmptyLine", k8065 + "\nep\n",
                 k8065 + "\n<27:1>ep\n\x04"},
        RuleCase{"TwentyThousandBytesWithoutTerminator", std::string(20000, 'q'),
                 std::string(20000, 'q') + "\x04"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StreamScanner, PageCounterCountsEveryPageEnd) {
    std::string doc;
    for (int i = 0; i < 5; ++i)
        doc += "bp\nep\nendp\r";
    int fd = memfd_create("document", 0);
    ASSERT_EQ(write(fd, doc.data(), doc.size()), static_cast<ssize_t>(doc.size()));
    lseek(fd, 0, SEEK_SET);
    int32_t counter = 0;
    Scan(fd, &counter);
    close(fd);
    EXPECT_EQ(counter, 10);
}

// pstops output: sheet setup points, and each n-up cell's begin fired just
// before the line after its clip, unless that line is the lone "showpage" of
// an empty cell; generator page lines mean nothing there. Read whole and in
// ragged pieces, so the look at the next line straddles reads.
TEST(StreamScanner, CupsHooksFireAtSheetsAndCells) {
    const std::string cell = "userdict/ESPsave save put\n12.0 12.0 translate\n"
                             "0.0 0.0 595.0 842.0 ESPrc\n";
    const std::string doc = "%%EndProlog\nuserdict/setpagedevice{pop}bind put\n%%EndSetup\n"
                            "%%BeginPageSetup\n" +
                            cell + "%%EndPageSetup\nbp\n(a) show showpage\nep\n" +
                            "userdict/ESPsave get restore\n" + cell +
                            "showpage\nuserdict/ESPsave get restore\n" + cell +
                            "showpage \nuserdict/ESPsave get restore\n" + cell + "showp";
    const std::string m30 = Marker(30, 0), m31 = Marker(31, 0), m32 = Marker(32, 0),
                      m33 = Marker(33, 0);
    const std::string cellOut =
        "userdict/ESPsave save put\n" + m31 + "12.0 12.0 translate\n0.0 0.0 595.0 842.0 ESPrc\n";
    const std::string want = Marker(14, 0) + "%%EndProlog\n" + Marker(21, 0) +
                             "userdict/setpagedevice{pop}bind put\n" + Marker(16, 0) +
                             "%%EndSetup\n%%BeginPageSetup\n" + m30 + cellOut + m32 +
                             "%%EndPageSetup\n" + Marker(24, 0) + "bp\n(a) show showpage\nep\n" +
                             m33 + "userdict/ESPsave get restore\n" + cellOut + "showpage\n" + m33 +
                             "userdict/ESPsave get restore\n" + cellOut + m32 + "showpage \n" +
                             m33 + "userdict/ESPsave get restore\n" + cellOut + "showp\x04";
    gScanHooks = PSPageHooks::Cups;
    EXPECT_EQ(ScanWhole(doc), want);
    for (unsigned seed = 1; seed <= 40; ++seed)
        ASSERT_EQ(ScanRagged(doc, seed), want) << "seed " << seed;
    gScanHooks = PSPageHooks::Generator;
}

// Through the whole filter: the document follows the PJL header.
TEST(StreamScanner, FilterCopiesTheDocumentAfterTheHeader) {
    Job job;
    job.document = "%!PS\r\nbp\r\nep\r\ntail";
    std::string out = RunFilter(job);
    EXPECT_EQ(PSPart(out), job.document + "\x04");
}

} // namespace
