// Resource names, strings tables, bundles and help on real files.
#include "PDEResourceAccess.h"
#include "PDEStringObjects.h"

#include "HelpSystem.h"
#include "PlatformStatus.h"
#include "PluginBundle.h"
#include "RecordingPlatformServices.h"
#include "StringsTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

using namespace MNTest;

struct ResourceNameCase {
    const char* value;
    const char* part0;
    const char* part1;
};

void PrintTo(const ResourceNameCase& c, std::ostream* os) {
    *os << '"' << c.value << '"';
}

class ResourceName : public testing::TestWithParam<ResourceNameCase> {};

TEST_P(ResourceName, SplitsAtTheFirstHyphen) {
    const ResourceNameCase& c = GetParam();
    const auto part0 = GetAppResourceName(c.value, 0);
    const auto part1 = GetAppResourceName(c.value, 1);
    ASSERT_TRUE(part0 && part1);
    EXPECT_EQ(*part0, c.part0);
    EXPECT_EQ(*part1, c.part1);
    EXPECT_EQ(GetAppResourceNameNS(c.value, 1).toStdString(), c.part1);
}

INSTANTIATE_TEST_SUITE_P(Values, ResourceName,
                         testing::Values(ResourceNameCase{"Default00-Main", "Default00", "Main"},
                                         ResourceNameCase{"Default00", "Default00", ""},
                                         ResourceNameCase{"a-b-c", "a", "b-c"},
                                         ResourceNameCase{"-Main", "", "Main"},
                                         ResourceNameCase{"Default01-", "Default01", ""},
                                         ResourceNameCase{"", "", ""}));

TEST(ResourceNames, RejectsNullValuesAndUnknownPartsAndPrefixesByMode) {
    EXPECT_EQ(GetAppResourceName(nullptr, 0), nullptr);
    EXPECT_EQ(GetAppResourceName("a-b", 2), nullptr);
    EXPECT_EQ(GetAppResourceName("a-b", -1), nullptr);
    EXPECT_TRUE(GetAppResourceNameNS(nullptr, 0).isEmpty());

    EXPECT_EQ(*GetAppFullResourceName("Main", 0, "A_", "B_"), "A_Main");
    EXPECT_EQ(*GetAppFullResourceName("Main", 1, "A_", "B_"), "B_Main");
    EXPECT_EQ(*GetAppFullResourceName("Main", 2, "A_", "B_"), "Main");
    EXPECT_EQ(*GetAppFullResourceName("Main", 2, nullptr, nullptr), "Main");
    EXPECT_EQ(GetAppFullResourceName("Main", 1, "A_", nullptr), nullptr);
    EXPECT_EQ(GetAppFullResourceName(nullptr, 0, "A_", "B_"), nullptr);

    auto name = GetAppFullResourceName("Main", 0, "KRWaterMark_", "WatermarkMain_");
    ReleaseCFString(&name);
    EXPECT_EQ(name, nullptr);
    ReleaseCFString(nullptr);
}

TEST(StringCopies, KeepAtMost255BytesOfWholeCharacters) {
    EXPECT_EQ(NSStringCreateWithCFString(QString(300, 'x')).size(), 255);
    const QString text = QString(254, 'x') + QChar(0x00E9);
    EXPECT_EQ(NSStringCreateWithCFString(text), QString(254, 'x'));
    EXPECT_EQ(NSStringCreateWithCFString(QStringLiteral("Ölfeld")), QStringLiteral("Ölfeld"));
}

TEST(StringsTableFile, ReadsKeysWithCommentsEscapesAndBareWords) {
    TempDir dir;
    const std::string path =
        dir.Write("Localizable.strings", "/* Panel titles\n   of the watermark plug-in */\n"
                                         "\"PDE Title\" = \"Watermark\";\n"
                                         "// a line comment \"not\" = \"read\";\n"
                                         "\"Quote\"=\"say \\\"hi\\\"\\n\\\\\";\n"
                                         "\"Unicode\" = \"\\U00e9t\\U00E9 \\UD83D\\UDE00\";\n"
                                         "BareKey = \"bare\";\n"
                                         "\"Self\";\n"
                                         "\"Alert OK Btn\" = \"OK\"; /* trailing */\n");
    StringsTable table;
    ASSERT_TRUE(table.LoadFile(path));
    EXPECT_EQ(table.Lookup("PDE Title"), "Watermark");
    EXPECT_EQ(table.Lookup("Quote"), "say \"hi\"\n\\");
    EXPECT_EQ(table.Lookup("Unicode"), "\xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80");
    EXPECT_EQ(table.Lookup("BareKey"), "bare");
    EXPECT_EQ(table.Lookup("Self"), "Self");
    EXPECT_EQ(table.Lookup("Alert OK Btn"), "OK");
    EXPECT_EQ(table.Lookup("not"), std::nullopt);
    EXPECT_EQ(table.Count(), 6u);
}

TEST(StringsTableFile, ReadsUtf16WithByteOrderMark) {
    // Either byte order; a surrogate pair joins into one character, a lone
    // low surrogate is dropped.
    const std::u16string text = u"\"Key\" = \"W\u00e4sser \U0001F600\";\n\"Lone\" = \"a\xDC00"
                                u"b\";\n";
    for (const bool little : {true, false}) {
        TempDir dir;
        std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
        for (char16_t c : text) {
            const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
            bytes += little ? low : high;
            bytes += little ? high : low;
        }
        StringsTable table;
        ASSERT_TRUE(table.LoadFile(dir.Write("t.strings", bytes))) << little;
        EXPECT_EQ(table.Lookup("Key"), "W\xC3\xA4sser \xF0\x9F\x98\x80") << little;
        EXPECT_EQ(table.Lookup("Lone"), "ab") << little;
    }
}

TEST(StringsTableFile, MalformedFilesFailButKeepWhatCameBefore) {
    const char* broken[] = {
        "\"a\" = \"1\";\n\"b\" = \"2\"\n\"c\" = \"3\";", // missing ;
        "\"a\" = \"1\";\n/* never closed",
        "\"a\" = \"1\";\n\"b\" = \"unterminated",
        "\"a\" = \"1\";\n\"b\" = \"\\U12\";",
        "\"a\" = \"1\";\n\"b\" = ;",
    };
    for (const char* text : broken) {
        StringsTable table;
        EXPECT_FALSE(table.Parse(text)) << text;
        EXPECT_EQ(table.Lookup("a"), "1") << text;
        EXPECT_EQ(table.Lookup("c"), std::nullopt) << text;
    }
    StringsTable missing;
    EXPECT_FALSE(missing.LoadFile("/nonexistent/Localizable.strings"));
}

namespace {

// A bundle laid out as the plug-ins ship: Info.json, Resources/, Help/.
std::string MakeBundle(const TempDir& dir, const std::string& name, const std::string& id) {
    const std::string root = name + ".plugin/";
    dir.Write(root + "Info.json", "{\"CFBundleIdentifier\": \"" + id +
                                      "\", \"CFBundleShortVersionString\": \"1.2\","
                                      " \"CFBundleHelpBookName\": \"Test Help\", \"Count\": 3}");
    dir.Write(root + "Resources/Localizable.strings",
              "\"PDE Title\" = \"Test panel\";\n\"HelpBook\" = \"Test Help\";\n");
    dir.Write(root + "Resources/Localizable_01.strings", "\"PDE Title\" = \"Test panel 01\";\n");
    dir.Write(root + "Resources/KRWaterMark_Default00.ui", "<ui/>");
    dir.Write(root + "Resources/AlertIcon.png", "png");
    dir.Write(root + "Resources/Images/Sample.png", "png");
    dir.Write(root + "Help/WatermarkMain_Main.htm", "<html></html>");
    dir.Write(root + "Help/sub/Page Two.htm", "<html></html>");
    return dir / (name + ".plugin");
}

} // namespace

TEST(Bundle, OpensOnceReadsItsInformationAndRejectsNonBundles) {
    TempDir dir;
    const std::string path = MakeBundle(dir, "open", "com.kestrane.test.open");
    PluginBundle* bundle = PluginBundle::Open(path);
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(PluginBundle::Open(path + "/"), bundle);
    EXPECT_EQ(PluginBundle::WithIdentifier("com.kestrane.test.open"), bundle);
    EXPECT_EQ(bundle->Identifier(), "com.kestrane.test.open");
    EXPECT_EQ(bundle->InfoString("CFBundleShortVersionString"), "1.2");
    EXPECT_EQ(bundle->InfoString("Count"), std::nullopt);

    EXPECT_EQ(PluginBundle::Open(dir / "nothing-here"), nullptr);
    dir.Write("broken.plugin/Info.json", "{\"CFBundleIdentifier\": ");
    EXPECT_EQ(PluginBundle::Open(dir / "broken.plugin"), nullptr);
    dir.Write("array.plugin/Info.json", "[1, 2]");
    EXPECT_EQ(PluginBundle::Open(dir / "array.plugin"), nullptr);
    EXPECT_EQ(PluginBundle::WithIdentifier("com.kestrane.test.none"), nullptr);
}

TEST(Bundle, FindsResourcesByNameTypeAndFolderWithoutLeavingTheBundle) {
    TempDir dir;
    PluginBundle* bundle = PluginBundle::Open(MakeBundle(dir, "res", "com.kestrane.test.res"));
    ASSERT_NE(bundle, nullptr);
    const std::string root = bundle->Path();
    EXPECT_EQ(bundle->PathForResource("KRWaterMark_Default00", "ui"),
              root + "/Resources/KRWaterMark_Default00.ui");
    EXPECT_EQ(bundle->PathForResource("AlertIcon", ".png"), root + "/Resources/AlertIcon.png");
    EXPECT_EQ(bundle->PathForResource("AlertIcon.png", ""), root + "/Resources/AlertIcon.png");
    EXPECT_EQ(bundle->PathForResource("Sample", "png", "Images"),
              root + "/Resources/Images/Sample.png");
    EXPECT_EQ(bundle->PathForResource("WatermarkMain_Main", "htm", "Help"),
              root + "/Help/WatermarkMain_Main.htm");
    EXPECT_EQ(bundle->PathForResource("KRWaterMark_Default01", "ui"), "");
    EXPECT_EQ(bundle->PathForResource("WatermarkMain_Main", "htm"), "");
    EXPECT_EQ(bundle->PathForResource("Images", ""), ""); // a folder is no resource
    EXPECT_EQ(bundle->PathForResource("Info", "json", ".."), "");
    EXPECT_EQ(bundle->PathForResource("../Info", "json"), "");
}

TEST(Bundle, LocalizedStringsComeFromTheNamedTableWithTheCallersFallback) {
    TempDir dir;
    PluginBundle* bundle = PluginBundle::Open(MakeBundle(dir, "loc", "com.kestrane.test.loc"));
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->LocalizedString("PDE Title", "no translation"), "Test panel");
    EXPECT_EQ(bundle->LocalizedString("PDE Title", "no translation", "Localizable_01"),
              "Test panel 01");
    EXPECT_EQ(bundle->LocalizedString("HelpBook", "no translation", "Localizable_01"),
              "no translation");
    EXPECT_EQ(bundle->LocalizedString("PDE Title", "no translation", "Localizable_99"),
              "no translation");
}

TEST(Help, RegistersThePluginBookAndOpensPagesThroughTheServices) {
    RecordingPlatformServices services;
    ScopedPlatformServices installed(&services);
    HelpUnregisterAll();
    if (!GetAppBundleRef()) {
        EXPECT_EQ(RegisterMyHelpBook(), kStatusFileNotFound);
    }

    TempDir dir;
    PluginBundle* bundle = PluginBundle::Open(MakeBundle(dir, "help", GetAppBundleID()));
    ASSERT_NE(bundle, nullptr);
    ASSERT_EQ(GetAppBundleRef(), bundle);
    EXPECT_EQ(GotoHelpPage(bundle, "WatermarkMain_Main.htm", nullptr, "HelpBook"),
              kStatusFileNotFound); // not registered yet
    ASSERT_EQ(RegisterMyHelpBook(), 0);

    EXPECT_EQ(GotoHelpPage(bundle, "WatermarkMain_Main.htm", "top", "HelpBook"), 0);
    EXPECT_EQ(GotoHelpPage(bundle, "sub/Page Two.htm", nullptr, "HelpBook"), 0);
    ASSERT_EQ(services.helpPages.size(), 2u);
    EXPECT_EQ(services.helpPages[0],
              "file://" + bundle->Path() + "/Help/WatermarkMain_Main.htm#top");
    EXPECT_EQ(services.helpPages[1], "file://" + bundle->Path() + "/Help/sub/Page%20Two.htm");

    services.helpStatus = -1;
    EXPECT_EQ(GotoHelpPage(bundle, "WatermarkMain_Main.htm", "", "HelpBook"), -1);
    EXPECT_EQ(GotoHelpPage(bundle, "Missing.htm", "", "HelpBook"), kStatusFileNotFound);
    EXPECT_EQ(GotoHelpPage(bundle, "../Info.json", "", "HelpBook"), kStatusFileNotFound);
    // A key missing from the table names the book "no translation".
    EXPECT_EQ(GotoHelpPage(bundle, "WatermarkMain_Main.htm", "", "NoSuchKey"), kStatusFileNotFound);
    EXPECT_EQ(GotoHelpPage(nullptr, "WatermarkMain_Main.htm", "", "HelpBook"), kStatusFileNotFound);
    EXPECT_EQ(GotoHelpPage(bundle, "WatermarkMain_Main.htm", "", nullptr), kStatusFileNotFound);
    EXPECT_EQ(GotoHelpPage(bundle, nullptr, "", "HelpBook"), kStatusParamErr);
    EXPECT_EQ(services.helpPages.size(), 3u);
    HelpUnregisterAll();
}
