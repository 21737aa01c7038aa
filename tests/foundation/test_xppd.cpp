// Constraint index, its cache file and the PPD access functions, on our own
// test PPDs parsed by libcups.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "CQuickXPPD.h"
#include "XPPD.h"
#include "XPPDConstraints.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace MNTest;

namespace {

const std::string kPPDDir = std::string(KESTRANE_SOURCE_DIR) + "/ppd/test";

struct PPDCloser {
    void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDPtr = std::unique_ptr<ppd_file_t, PPDCloser>;

PPDPtr OpenPPD(const std::string& path) {
    PPDPtr ppd(ppdOpenFile(path.c_str()));
    if (ppd)
        ppdMarkDefaults(ppd.get());
    return ppd;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/kestrane-xppd-XXXXXX";
        m_path = mkdtemp(tmpl);
    }
    ~TempDir() { std::system(("rm -rf '" + m_path + "'").c_str()); }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// The index as sorted "key@group@option@choice" texts, independent of the
// table's iteration order.
std::vector<std::string> Entries(const XPPDHashMap& index) {
    std::vector<std::string> out;
    for (const auto& [key, p] : index)
        out.push_back(key + "@" + std::to_string(p.group) + "@" + std::to_string(p.option) + "@" +
                      std::to_string(p.choice));
    std::sort(out.begin(), out.end());
    return out;
}

XPPDHashMap BuildIndex(ppd_file_t* ppd, const std::vector<std::string>& options) {
    XPPDHashMap index;
    CQuickXPPD builder;
    builder.OptionNames() = options;
    builder.SetXppd(ppd, index);
    return index;
}

const std::vector<std::string> kAllOptions = {"PageSize", "InputSlot", "Duplex",    "KRPaperWeight",
                                              "KRStaple", "KRFold",    "KRBooklet", "KRPunch"};

// Positions in KestraneTest.ppd: group General 0 (InputSlot 2, Duplex 3,
// KRPaperWeight 4), group Finishing 1 (KRStaple 0, KRFold 1, KRBooklet 2,
// KRPunch 4).
const std::vector<std::string> kExpectedAll = [] {
    std::vector<std::string> v = {
        // *KRStaple *Duplex: every staple but None against every duplex but None.
        "Duplex:DuplexNoTumble@1@0@1", "Duplex:DuplexNoTumble@1@0@2", "Duplex:DuplexNoTumble@1@0@3",
        "Duplex:DuplexTumble@1@0@1", "Duplex:DuplexTumble@1@0@2", "Duplex:DuplexTumble@1@0@3",
        // *KRFold True *InputSlot: every tray but the first.
        "InputSlot:Tray1@1@1@1", "InputSlot:Tray2@1@1@1", "InputSlot:Manual@1@1@1",
        // *KRBooklet *KRPaperWeight Heavy: every booklet but Off.
        "KRPaperWeight:Heavy@1@2@1", "KRPaperWeight:Heavy@1@2@2",
        // Full forms; a given choice counts even when it is None.
        "Duplex:None@1@0@1", "KRPaperWeight:Labels@0@2@3", "KRBooklet:Left@1@4@1"};
    std::sort(v.begin(), v.end());
    return v;
}();

class XPPDTest : public ::testing::Test {
protected:
    void SetUp() override {
        ppd = OpenPPD(kPPDDir + "/KestraneTest.ppd");
        ASSERT_TRUE(ppd) << "cannot open the test PPD";
    }
    void Mark(const char* option, const char* choice) { ppdMarkOption(ppd.get(), option, choice); }
    PPDPtr ppd;
};

} // namespace

TEST(KvHash, FiveTimesPlusSignedByte) {
    EXPECT_EQ(kvHash(""), 0u);
    EXPECT_EQ(kvHash("A"), 65u);
    EXPECT_EQ(kvHash("AB"), 65u * 5 + 66);
    // Bytes above 0x7F count as negative: 0xE9 adds -23.
    EXPECT_EQ(kvHash("A\xE9"), 65u * 5 - 23);
    EXPECT_EQ(kvHash("\xE9"), static_cast<std::size_t>(-23));
    // Long keys wrap instead of overflowing.
    std::string longKey(200, 'z');
    std::size_t h = 0;
    for (char c : longKey)
        h = h * 5 + static_cast<std::size_t>(c);
    EXPECT_EQ(kvHash(longKey), h);
}

TEST(GetOneLine, MovesTextBeforeSeparator) {
    std::string source = "Duplex:None@1@", target = "x";
    EXPECT_EQ(getoneline(source, target, '@'), 11u);
    EXPECT_EQ(target, "xDuplex:None");
    EXPECT_EQ(source, "1@");
    std::string none = "nosep", out;
    EXPECT_EQ(getoneline(none, out, '@'), std::string::npos);
    EXPECT_EQ(none, "nosep");
    EXPECT_EQ(out, "");
}

TEST_F(XPPDTest, AllFourConstraintFormsFromTheParsedPPD) {
    EXPECT_EQ(Entries(BuildIndex(ppd.get(), kAllOptions)), kExpectedAll);
}

TEST_F(XPPDTest, OptionListSelectsConstraintsByEitherSideIgnoringCase) {
    // Only the constraint naming KRFold.
    EXPECT_EQ(Entries(BuildIndex(ppd.get(), {"krfold"})),
              (std::vector<std::string>{"InputSlot:Manual@1@1@1", "InputSlot:Tray1@1@1@1",
                                        "InputSlot:Tray2@1@1@1"}));
    // Duplex is option 2 of two constraints; KRBooklet is option 1 of one and
    // option 2 of another.
    EXPECT_EQ(BuildIndex(ppd.get(), {"Duplex"}).size(), 7u);
    EXPECT_EQ(BuildIndex(ppd.get(), {"KRBooklet"}).size(), 3u);
    EXPECT_TRUE(BuildIndex(ppd.get(), {}).empty());
    EXPECT_TRUE(BuildIndex(ppd.get(), {"NoSuchOption"}).empty());
}

TEST_F(XPPDTest, ConflictFollowsTheCurrentMarks) {
    const XPPDHashMap index = BuildIndex(ppd.get(), kAllOptions);
    // Defaults: nothing that forbids anything is marked.
    for (const char* choice : {"None", "DuplexNoTumble", "DuplexTumble"})
        EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "Duplex", choice)) << choice;

    Mark("KRStaple", "Front");
    for (const char* choice : {"None", "DuplexNoTumble", "DuplexTumble"})
        EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), index, "Duplex", choice)) << choice;

    Mark("KRStaple", "Rear");
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "Duplex", "None"));
    EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), index, "Duplex", "DuplexTumble"));

    // One-way: the index answers for option 2 of each constraint only.
    Mark("Duplex", "DuplexTumble");
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "KRStaple", "Rear"));

    Mark("KRFold", "True");
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "InputSlot", "Auto"));
    EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), index, "InputSlot", "Manual"));
    // Keys are exact strings.
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "InputSlot", "manual"));
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "InputSlot", nullptr));
}

TEST_F(XPPDTest, PositionsOutsideThePPDAreNeverConflicts) {
    // A cache made from another PPD may point anywhere.
    XPPDHashMap index;
    for (x_constraints p :
         {x_constraints{9, 0, 0}, x_constraints{-1, 0, 0}, x_constraints{1, 40, 0},
          x_constraints{1, 0, 99}, x_constraints{1, 0, -3}})
        index.emplace("Duplex:None", p);
    Mark("KRStaple", "Front");
    EXPECT_FALSE(IsPPDChoiceConflicted(ppd.get(), index, "Duplex", "None"));
    index.emplace("Duplex:None", x_constraints{1, 0, 1});
    EXPECT_TRUE(IsPPDChoiceConflicted(ppd.get(), index, "Duplex", "None"));
}

TEST_F(XPPDTest, UIListCarriesTextsAndConflicts) {
    const XPPDHashMap index = BuildIndex(ppd.get(), kAllOptions);
    Mark("KRStaple", "Dual");
    Mark("KRBooklet", "Left");
    PPDUIList list;
    int counter = 0;
    EXPECT_EQ(GetUIListFromPPD(ppd.get(), index, "Duplex", &list, &counter), 0);
    ASSERT_EQ(counter, 3);
    EXPECT_EQ(list[0], (PPDUIListEntry{"Duplex", "None", "Off", "ConflictFalse"}));
    EXPECT_EQ(list[2],
              (PPDUIListEntry{"Duplex", "DuplexTumble", "Short-Edge Binding", "ConflictTrue"}));

    // Appends; a missing option or list changes nothing.
    InitializeValueFromPPD(ppd.get(), index, &list, "KRPaperWeight");
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[4][3], "ConflictTrue"); // Heavy under a booklet
    EXPECT_EQ(list[5][3], "ConflictFalse");
    EXPECT_EQ(InitializeValueFromPPD(ppd.get(), index, &list, "NoSuchOption"), 1);
    EXPECT_EQ(list.size(), 6u);
    EXPECT_EQ(GetUIListFromPPD(ppd.get(), index, "Duplex", nullptr, &counter), 0);
    EXPECT_EQ(counter, 3);
}

TEST_F(XPPDTest, CacheRoundTripGivesTheSameIndexAndConflicts) {
    TempDir dir;
    const std::string cachePath = dir / "KSTTEST.cdf";
    const std::string ppdPath = kPPDDir + "/KestraneTest.ppd";
    const std::vector<std::string> features = {"KRStaple", "KRFold", "KRBooklet", "KRPunch"};
    const std::vector<std::string> special = {"Duplex"};
    const x_PDEConstr sections[] = {{"PrintFeaturePDETiger", &features},
                                    {"SpecialPagesPDETiger", &special},
                                    {"Ignored", nullptr}};
    {
        XPPDHashMap scratch;
        CQuickXPPD writer(ppd.get(), scratch, sections, ppdPath.c_str());
        std::ofstream out(cachePath, std::ios::binary);
        out << writer;
        EXPECT_TRUE(scratch.empty());
    }
    const std::string text = ReadFile(cachePath);
    std::istringstream lines(text);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line))
        all.push_back(line);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0], "PrintFeaturePDETiger");
    EXPECT_EQ(all[2], "SpecialPagesPDETiger");
    // The stamp line closes the file, with no newline after it.
    EXPECT_EQ(all[4], "*% Last Edit Date: 2026/12/06 Foundation test set");
    EXPECT_NE(text.back(), '\n');

    for (const auto& [section, names] : {std::pair{"PrintFeaturePDETiger", features},
                                         std::pair{"SpecialPagesPDETiger", special}}) {
        XPPDHashMap loaded;
        std::ifstream in(cachePath, std::ios::binary);
        CQuickXPPD reader(loaded, section);
        in >> reader;
        const XPPDHashMap built = BuildIndex(ppd.get(), names);
        EXPECT_EQ(Entries(loaded), Entries(built)) << section;
    }

    // Through the PPD attribute, as the panels load it.
    std::string ppdText = ReadFile(ppdPath);
    const std::string attr = "*KRVCDFSetting: \"/nonexistent/kestrane-test/KSTTEST.cdf\"";
    ASSERT_NE(ppdText.find(attr), std::string::npos);
    ppdText.replace(ppdText.find(attr), attr.size(), "*KRVCDFSetting: \"" + cachePath + "\"");
    WriteFile(dir / "withcache.ppd", ppdText);
    PPDPtr withCache = OpenPPD(dir / "withcache.ppd");
    ASSERT_TRUE(withCache);
    ASSERT_TRUE(CDFKeyExist(withCache.get(), kCDFSettingKey));
    XPPDHashMap index;
    ASSERT_EQ(GetXPPD(withCache.get(), index, "PrintFeaturePDE", kCDFSettingKey), 0);
    EXPECT_EQ(Entries(index), Entries(BuildIndex(ppd.get(), features)));
    for (const char* staple : {"None", "Front", "Dual"}) {
        ppdMarkOption(withCache.get(), "KRStaple", staple);
        Mark("KRStaple", staple);
        const XPPDHashMap built = BuildIndex(ppd.get(), features);
        for (const char* duplex : {"None", "DuplexNoTumble", "DuplexTumble"})
            EXPECT_EQ(IsPPDChoiceConflicted(withCache.get(), index, "Duplex", duplex),
                      IsPPDChoiceConflicted(ppd.get(), built, "Duplex", duplex))
                << staple << "/" << duplex;
    }
}

TEST_F(XPPDTest, GetXPPDWithoutUsableCacheLeavesIndexEmpty) {
    XPPDHashMap index;
    // The attribute names a file that is not there.
    EXPECT_TRUE(CDFKeyExist(ppd.get(), "KRVCDFSetting"));
    EXPECT_EQ(GetXPPD(ppd.get(), index, "PrintFeaturePDE", "KRVCDFSetting"), 1);
    // No attribute at all; names are cut to 19 bytes.
    EXPECT_EQ(GetXPPD(ppd.get(), index, "PrintFeaturePDE", "KRVNoSuchAttribute"), 1);
    EXPECT_TRUE(CDFKeyExist(ppd.get(), "KRVCDFSettingTooLongName") == false);
    EXPECT_TRUE(CDFKeyExist(ppd.get(), "KRVFeaturesSettingsAndMore"));
    EXPECT_FALSE(CDFKeyExist(nullptr, "KRVCDFSetting"));
    EXPECT_EQ(GetXPPD(nullptr, index, "PrintFeaturePDE", "KRVCDFSetting"), 1);
    EXPECT_TRUE(index.empty());
}

namespace {

template <std::size_t N> std::string Bytes(const char (&s)[N]) {
    return std::string(s, N - 1);
}

struct MalformedCache {
    const char* name;
    std::string contents;
    std::vector<std::string> expected;
};

class MalformedCacheTest : public ::testing::TestWithParam<MalformedCache> {};

} // namespace

TEST_P(MalformedCacheTest, ReadsWhatIsWellFormedAndStops) {
    const MalformedCache& c = GetParam();
    XPPDHashMap index;
    std::istringstream in(c.contents);
    CQuickXPPD reader(index, "S");
    in >> reader;
    EXPECT_EQ(Entries(index), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    CacheFiles, MalformedCacheTest,
    ::testing::Values(
        MalformedCache{"EmptyKeySkipped", "S\nA:1@0@0@1@@5@5@5@\n", {"A:1@0@0@1"}},
        MalformedCache{"NoSeparatorAtAll", "S\nA:1\n", {}},
        MalformedCache{"EntryCutShort", "S\nA:1@0@0@1@B:2@1@1\n", {"A:1@0@0@1"}},
        MalformedCache{"NumbersReadLikeAtoi",
                       "S\nX@abc@-1@70000@Y@7z@ 3@99999999999999999999@\n",
                       {"X@0@-1@4464", "Y@7@3@0"}},
        MalformedCache{"SectionMissing", "T\nA:1@0@0@1@\n", {}},
        MalformedCache{"SectionIsLastLine", "T\n\nS", {}},
        MalformedCache{"EmptyEntryLine", "S\n\nA:1@0@0@1@\n", {}},
        MalformedCache{
            "OnlyTheNamedSection", "T\nB:1@1@1@1@\nS\nA:1@0@0@1@\nS\nC:1@0@0@1@\n", {"A:1@0@0@1"}},
        MalformedCache{"SectionNameMatchedExactly", "S \nB:1@1@1@1@\ns\nC:1@0@0@1@\n", {}},
        MalformedCache{"BinaryBytes", Bytes("S\n\0@\xff@\x01@\x80@\0\0@@@"), {Bytes("\0@0@0@0")}},
        MalformedCache{"EmptyFile", "", {}}),
    [](const ::testing::TestParamInfo<MalformedCache>& info) { return info.param.name; });

TEST(CacheReader, FailedStreamReadsNothing) {
    XPPDHashMap index;
    std::istringstream in("S\nA:1@0@0@1@\n");
    in.setstate(std::ios::failbit);
    CQuickXPPD reader(index, "S");
    in >> reader;
    EXPECT_TRUE(index.empty());
}

TEST(CacheStamp, FirstSegmentWithTheStampWhateverTheLineEnds) {
    TempDir dir;
    const std::string stamp = "*% Last Edit Date: 2026/01/02";
    const struct {
        const char* name;
        std::string ppd;
        std::string expected;
    } cases[] = {
        {"cr.ppd", "*PPD-Adobe: \"4.3\"\r" + stamp + "\r*% Last Edit Date: later\r", stamp},
        {"lf.ppd", "*PPD-Adobe: \"4.3\"\n" + stamp + "\n*FormatVersion: \"4.3\"\n", stamp},
        {"crlf.ppd", "*PPD-Adobe: \"4.3\"\r\n" + stamp + "\r\n", stamp},
        {"end.ppd", "*PPD-Adobe: \"4.3\"\n" + stamp, stamp},
        {"none.ppd", "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n", ""},
    };
    for (const auto& c : cases) {
        WriteFile(dir / c.name, c.ppd);
        const std::string path = dir / c.name;
        XPPDHashMap index;
        CQuickXPPD writer(nullptr, index, nullptr, path.c_str());
        std::ostringstream out;
        EXPECT_EQ(writer.SetFileStamp(out), 0);
        EXPECT_EQ(out.str(), c.expected) << c.name;
    }
    XPPDHashMap index;
    CQuickXPPD missing(nullptr, index, nullptr, "/nonexistent/kestrane.ppd");
    std::ostringstream out;
    missing.SetFileStamp(out);
    EXPECT_EQ(out.str(), "");
}

TEST_F(XPPDTest, OptionsDefaultsAndChoices) {
    ppd_file_t* p = ppd.get();
    EXPECT_TRUE(CheckPPDKeyIsExist(p, "Duplex"));
    EXPECT_TRUE(CheckPPDKeyIsExist(p, "KRPunch")); // declared in a subgroup
    EXPECT_FALSE(CheckPPDKeyIsExist(p, "NoSuchOption"));
    EXPECT_FALSE(CheckPPDKeyIsExist(nullptr, "Duplex"));
    EXPECT_EQ(GetPPDKeyOptionCount(p, "InputSlot"), 4);
    EXPECT_EQ(GetPPDKeyOptionCount(p, "NoSuchOption"), 0);

    const char* list[] = {"DuplexTumble", "None"};
    EXPECT_EQ(GetValueFromPPD(p, "Duplex", list, 2), 1);
    EXPECT_EQ(GetValueFromPPD(p, "Duplex", list, 1), -1);
    EXPECT_EQ(GetValueFromPPD(p, "NoSuchOption", list, 2), -1);

    char out[PPD_MAX_NAME] = "";
    EXPECT_EQ(GetValueFromPPDByIndex(p, "InputSlot", out, 3), 6);
    EXPECT_STREQ(out, "Manual");
    for (int index : {4, -1}) {
        char untouched[8] = "keep";
        EXPECT_EQ(GetValueFromPPDByIndex(p, "InputSlot", untouched, index, sizeof untouched), 0);
        EXPECT_STREQ(untouched, "keep");
    }
    char small[4];
    GetValueFromPPDByIndex(p, "InputSlot", small, 3, sizeof small);
    EXPECT_STREQ(small, "Man");

    ppd_option_t* slot = ppdFindOption(p, "InputSlot");
    EXPECT_EQ(GetIndexFromPPDByKeyword(slot, "Tray2"), 2);
    EXPECT_EQ(GetIndexFromPPDByKeyword(slot, "tray2"), 0);
    EXPECT_EQ(GetIndexFromPPDByKeyword(nullptr, "Tray2"), 0);

    EXPECT_EQ(GetIndexOfMarkedOptionWithKey(nullptr, p, "InputSlot"), 0);
    Mark("InputSlot", "Tray2");
    EXPECT_EQ(GetIndexOfMarkedOptionWithKey(slot, p, "InputSlot"), 2);
    EXPECT_EQ(GetIndexOfMarkedOptionWithKey(nullptr, p, "NoSuchOption"), -1);

    std::optional<std::string> def;
    GetUIDefaultFromPPD(p, "KRStaple", def);
    EXPECT_EQ(def, "None");
    GetUIDefaultFromPPD(p, "NoSuchOption", def);
    EXPECT_FALSE(def);
    EXPECT_EQ(GetUIDefaultValueFromPPD(p, "KRPassword"), 1);
    EXPECT_EQ(GetUIDefaultValueFromPPD(p, "NoSuchOption"), -1);

    EXPECT_EQ(GetChoiceIndex(p, "Duplex", "DuplexTumble"), 2);
    EXPECT_EQ(GetChoiceIndex(p, "Duplex", "duplextumble"), 3);
    EXPECT_EQ(GetChoiceIndex(p, "Duplex", "Unknown"), 3);
    EXPECT_EQ(GetChoiceIndex(p, "NoSuchOption", "None"), 0);

    EXPECT_EQ(GetPWMiniIntValueFromPPD(p, "KRPassword"), 8);
    EXPECT_EQ(GetPWMiniIntValueFromPPD(p, "NoSuchOption"), -1);
    EXPECT_EQ(GetMBMaxNumberFromPPD(p, "KRVMailBoxSettings"), 250);
    EXPECT_EQ(GetMBMaxNumberFromPPD(p, "KRVNoSuchAttribute"), 0);
    EXPECT_EQ(getIntFromString("a1b2c3", 4), 12);
    EXPECT_EQ(getIntFromString("abc", 3), 0);
    EXPECT_EQ(getIntFromString(nullptr, 3), 0);

    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"Duplex", "None"}, {"KRStaple", "Front"}, {"Duplex", "None"}};
    EXPECT_EQ(FindPPDKeyPairsMatch(pairs, "Duplex", "None"), 0);
    EXPECT_EQ(FindPPDKeyPairsMatch(pairs, "KRStaple", "Front"), 1);
    EXPECT_EQ(FindPPDKeyPairsMatch(pairs, "KRStaple", "None"), -1);

    std::optional<std::vector<PDEChoice>> choices = ArrayFromPPDOption(slot);
    ASSERT_TRUE(choices);
    ASSERT_EQ(choices->size(), 4u);
    EXPECT_EQ((*choices)[3].ppdTitle(), "Manual");
    EXPECT_EQ((*choices)[3].userTitle(), "Bypass Tray");
    EXPECT_FALSE(ArrayFromPPDOption(nullptr));
}

TEST(PPDEncoding, LanguageEncodingNames) {
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding("ISOLatin1"), kCFStringEncodingISOLatin1);
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding("WindowsANSI"), kCFStringEncodingWindowsLatin1);
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding("JIS83-RKSJ"), kCFStringEncodingMacJapanese);
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding("UTF-8"), kCFStringEncodingUTF8);
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding("UTF8"), kCFStringEncodingUTF8);
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding("MacStandard"), kCFStringEncodingMacRoman);
    EXPECT_EQ(CFStringEncodingFromLanguageEncoding(nullptr), kCFStringEncodingMacRoman);
    CFStringEncoding none = 77;
    GetCFStringEncodingFromPPD(nullptr, none);
    EXPECT_EQ(none, kCFStringEncodingMacRoman);
}

TEST(PPDEncoding, DecodesEachEncodingIntoUTF8) {
    EXPECT_EQ(CreateUTF8StringWithEncoding("\xE9t\xE9", kCFStringEncodingISOLatin1), "été");
    EXPECT_EQ(CreateUTF8StringWithEncoding("\x93q\x94 \x80", kCFStringEncodingWindowsLatin1),
              "“q” €");
    EXPECT_EQ(CreateUTF8StringWithEncoding("\x93\xFA\x96\x7B\xB1", kCFStringEncodingMacJapanese),
              "日本ｱ");
    EXPECT_EQ(CreateUTF8StringWithEncoding("d\xC3\xA9j\xC3\xA0", kCFStringEncodingUTF8), "déjà");
    EXPECT_EQ(CreateUTF8StringWithEncoding("\x8E\xA5", kCFStringEncodingMacRoman), "é•");
    // Long text passes through more than one conversion buffer.
    EXPECT_EQ(CreateUTF8StringWithEncoding(std::string(1000, '\xE9'), kCFStringEncodingISOLatin1),
              [] {
                  std::string s;
                  for (int i = 0; i < 1000; ++i)
                      s += "é";
                  return s;
              }());
    EXPECT_FALSE(CreateUTF8StringWithEncoding("\xC3", kCFStringEncodingUTF8));
    EXPECT_FALSE(CreateUTF8StringWithEncoding("\x81", kCFStringEncodingWindowsLatin1));
}

namespace {

struct EncodedPPD {
    const char* file;
    CFStringEncoding declared;
    const char* duplexTitle;
    const char* offText;
    const char* maker;
    const char* fixedKeyword;
};

class EncodedPPDTest : public ::testing::TestWithParam<EncodedPPD> {};

} // namespace

TEST_P(EncodedPPDTest, TitlesArriveAsUTF8AndKeywordsFollowTheMaker) {
    const EncodedPPD& c = GetParam();
    PPDPtr ppd = OpenPPD(kPPDDir + "/" + c.file);
    ASSERT_TRUE(ppd);
    EXPECT_EQ(GetDeclaredEncodingOfPPD(ppd.get()), c.declared);
    std::optional<std::string> title;
    GetUITitleFromPPD(ppd.get(), "Duplex", title);
    EXPECT_EQ(title, c.duplexTitle);
    GetUITitleFromPPD(ppd.get(), "NoSuchOption", title);
    EXPECT_FALSE(title);

    PPDUIList list;
    int counter = 0;
    GetUIListFromPPD(ppd.get(), XPPDHashMap(), "Duplex", &list, &counter);
    ASSERT_EQ(counter, 3);
    EXPECT_EQ(list[0][2], c.offText);

    char fixed[64] = {};
    FixPPDKeywordAccordingToType(ppd.get(), "KRVSpecialPagesSettings", fixed, sizeof fixed);
    EXPECT_STREQ(fixed, c.fixedKeyword) << c.maker;
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, EncodedPPDTest,
    ::testing::Values(EncodedPPD{"KestraneTest.ppd", kCFStringEncodingISOLatin1, "2-Sided Printing",
                                 "Off", "Kestrane", "KRVSpecialPagesSettings"},
                      EncodedPPD{"KestraneTestSJIS.ppd", kCFStringEncodingMacJapanese, "両面印刷",
                                 "しない", "Olvar", "OLVSpecialPagesSettings"},
                      EncodedPPD{"KestraneTestWinAnsi.ppd", kCFStringEncodingWindowsLatin1,
                                 "Recto–verso “Book”", "Off", "KV", "KVVSpecialPagesSettings"},
                      EncodedPPD{"KestraneTestUTF8.ppd", kCFStringEncodingUTF8,
                                 "Recto-verso été 日本", "Off", "Kestrane",
                                 "KRVSpecialPagesSettings"}));

TEST(FixPPDKeyword, NoPPDOrSmallBuffer) {
    char out[64] = {};
    FixPPDKeywordAccordingToType(nullptr, "KRVSpecialPagesSettings", out, sizeof out);
    EXPECT_STREQ(out, "KRVSpecialPagesSettings");
    char small[6] = {};
    FixPPDKeywordAccordingToType(nullptr, "KRVSpecialPagesSettings", small, sizeof small);
    EXPECT_STREQ(small, "KRVSp");
}
