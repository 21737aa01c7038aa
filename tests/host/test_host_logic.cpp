// The dialog's logic without widgets: the script language, the job options
// made from print settings and PPD choices, the layout section, the report.
#include "HostOptions.h"
#include "HostScript.h"
#include "JobOptions.h"
#include "JsonWriter.h"
#include "PageLayout.h"
#include "PageRanges.h"
#include "PrinterOptions.h"

#include "PrintSettings.h"

#include <gtest/gtest.h>

// The PPD tests read the file through libcups' PPD interface.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace {

Script MustParse(const std::string& text) {
    Script script;
    ScriptError error;
    EXPECT_TRUE(ParseScript(text, script, error)) << error.line << ": " << error.message;
    return script;
}

} // namespace

TEST(HostScript, WordsQuotesAndComments) {
    struct Case {
        std::string line;
        std::vector<std::string> words;
    } cases[] = {
        {"set 101 1", {"set", "101", "1"}},
        {"  type\t12  \"O'Neil, Jr.\"  # a comment", {"type", "12", "O'Neil, Jr."}},
        {"type 3 \"say \\\"hi\\\" \\\\ \\t.\"", {"type", "3", "say \"hi\" \\ \t."}},
        {"type 3 \"\"", {"type", "3", ""}},
        {"choose 5 \"#1 item\"", {"choose", "5", "#1 item"}},
        {"# only a comment", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words;
        std::string message;
        ASSERT_TRUE(SplitScriptLine(c.line, words, message)) << c.line << ": " << message;
        EXPECT_EQ(words, c.words) << c.line;
    }
}

TEST(HostScript, ErrorsNameTheLine) {
    struct Case {
        std::string text;
        int line;
        std::string fragment;
    } cases[] = {
        {"copies 2\nfrobnicate 3\n", 2, "unknown command \"frobnicate\""},
        {"\n\nset 101\n", 3, "\"set\" takes 2 arguments"},
        {"click ten\n", 1, "\"ten\" is not a number"},
        {"type 4 \"open\n", 1, "missing closing quote"},
        {"type 4 \"bad \\q\"\n", 1, "unknown escape"},
        {"type 4 \"a\"b\n", 1, "followed by a blank"},
        {"print\nend\n", 2, "\"end\" without \"modal\""},
        {"copies 1\nmodal\n  click 1\n", 2, "\"modal\" block without \"end\""},
        {"modal\n  print\nend\n", 2, "cannot be used inside a modal block"},
        {"copies 99999999999\n", 1, "is not a number"},
    };
    for (const Case& c : cases) {
        Script script;
        ScriptError error;
        EXPECT_FALSE(ParseScript(c.text, script, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_NE(error.message.find(c.fragment), std::string::npos) << error.message;
    }
    EXPECT_EQ(FormatScriptError("job.txt", {7, "no panel \"X\""}), "job.txt:7: no panel \"X\"");
}

TEST(HostScript, ModalBlocksNest) {
    Script s = MustParse("panel Test\n"
                         "modal\n"
                         "  set 3 1\n"
                         "  modal\n"
                         "    alert-answer 1\n"
                         "  end\n"
                         "  click 1\n"
                         "end\n"
                         "click 301\n"
                         "print\n");
    ASSERT_EQ(s.commands.size(), 4u);
    const ScriptCommand& modal = s.commands[1];
    EXPECT_EQ(modal.name, "modal");
    EXPECT_EQ(modal.line, 2);
    ASSERT_EQ(modal.block.size(), 3u);
    EXPECT_EQ(modal.block[1].name, "modal");
    ASSERT_EQ(modal.block[1].block.size(), 1u);
    EXPECT_EQ(modal.block[1].block[0].line, 5);
    EXPECT_EQ(modal.block[2].args, std::vector<std::string>{"1"});
    EXPECT_EQ(s.commands[2].line, 9);

    // A runaway nesting is an error at the line that goes too deep, not a
    // stack overflow.
    std::string deep;
    for (int i = 0; i < 500000; ++i)
        deep += "modal\n";
    Script script;
    ScriptError error;
    EXPECT_FALSE(ParseScript(deep, script, error));
    EXPECT_EQ(error.line, 33);
    EXPECT_NE(error.message.find("nest deeper than 32"), std::string::npos) << error.message;
}

TEST(HostOptions, CommandLine) {
    HostOptions o;
    std::string message;
    ASSERT_TRUE(ParseHostOptions({"--ppd", "a.ppd", "--dry-run", "--emit", "json", "--script",
                                  "s.txt", "--screenshot", "shots", "doc.ps"},
                                 o, message));
    EXPECT_EQ(o.ppdFile, "a.ppd");
    EXPECT_TRUE(o.dryRun);
    EXPECT_EQ(o.emitFormat, "json");
    EXPECT_EQ(o.script, "s.txt");
    EXPECT_EQ(o.screenshots, "shots");
    EXPECT_EQ(o.document, "doc.ps");

    EXPECT_FALSE(ParseHostOptions({"--emit", "xml"}, o, message));
    EXPECT_FALSE(ParseHostOptions({"--printer"}, o, message));
    EXPECT_EQ(message, "--printer needs a value");
    EXPECT_FALSE(ParseHostOptions({"--bogus"}, o, message));
    EXPECT_FALSE(ParseHostOptions({"a.ps", "b.ps"}, o, message));
    ASSERT_TRUE(ParseHostOptions({"--version"}, o, message));
    EXPECT_TRUE(o.version);

    // Files named on the command line are checked before anything opens.
    const std::string data = HOST_TEST_DATA_DIR;
    struct Case {
        std::vector<std::string> args;
        std::string message; // empty: accepted
    } cases[] = {
        {{"--ppd", data + "/options.ppd", "--plugins", data, data + "/page.ps"}, ""},
        {{"--ppd", data}, "the PPD " + data + " is a directory"},
        {{"--script", data + "/none.txt"}, "the script " + data + "/none.txt does not exist"},
        {{data + "/none.pdf"}, "the document " + data + "/none.pdf does not exist"},
        {{"--plugins", data + "/page.ps"}, "the plug-in directory " + data + "/page.ps is not"},
        {{"--screenshot", data + "/page.ps"}, "the screenshot directory " + data + "/page.ps"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ParseHostOptions(c.args, o, message));
        message.clear();
        EXPECT_EQ(CheckHostOptions(o, message), c.message.empty()) << c.args[0];
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
    }
}

TEST(PageRanges, NormalisedOrRefused) {
    struct Case {
        const char* text;
        const char* ranges; // null: refused
    } cases[] = {
        {"", ""},
        {" 1 - 3 , 5 ", "1-3,5"},
        {"2", "2"},
        {"8-", "8-"},
        {"-3", "1-3"},
        {"1-1,3-4,7-", "1,3-4,7-"},
        {"0", nullptr},
        {"3-2", nullptr},
        {"1,1", nullptr},
        {"4,2", nullptr},
        {"2-5,3", nullptr},
        {"5-,9", nullptr},
        {"1,,2", nullptr},
        {"a", nullptr},
        {"1-2-3", nullptr},
        {"-", nullptr},
        {"99999999999", nullptr},
    };
    for (const Case& c : cases) {
        std::string out, message;
        const bool ok = NormalizePageRanges(c.text, out, message);
        EXPECT_EQ(ok, c.ranges != nullptr) << c.text;
        if (ok)
            EXPECT_EQ(out, c.ranges) << c.text;
        else
            EXPECT_FALSE(message.empty()) << c.text;
    }
}

// The printer-options page reads every option no panel owns, in the PPD's
// groups, translated, with custom parameters and the PPD's constraints.
class PrinterOptionsOfPPD : public ::testing::Test {
protected:
    void SetUp() override {
        // libcups keeps the translations of the person's language only.
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        ppd = ppdOpenFile(HOST_TEST_DATA_DIR "/options.ppd");
        unsetenv("LC_ALL");
        ASSERT_NE(ppd, nullptr);
        ppdMarkDefaults(ppd);
    }
    void TearDown() override {
        if (ppd)
            ppdClose(ppd);
    }
    const PrinterOption& Option(const std::vector<PrinterOptionGroup>& groups,
                                const std::string& keyword) {
        for (const auto& g : groups)
            for (const auto& o : g.options)
                if (o.keyword == keyword)
                    return o;
        static PrinterOption none;
        ADD_FAILURE() << "no option " << keyword;
        return none;
    }
    ppd_file_t* ppd = nullptr;
};

TEST_F(PrinterOptionsOfPPD, GroupsWithoutOwnedPaperOrInstallableOptions) {
    const auto groups = UnownedPrinterOptions(ppd, {"KSTEcoMode"}, "de_DE");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "General");
    EXPECT_EQ(groups[0].text, "Allgemein");
    std::vector<std::string> keywords;
    for (const auto& g : groups)
        for (const auto& o : g.options)
            keywords.push_back(o.keyword);
    EXPECT_EQ(keywords, (std::vector<std::string>{"Duplex", "MediaType", "KSTStaple", "KSTDarkness",
                                                  "KSTJobInfo"}));
    const PrinterOption& media = Option(groups, "MediaType");
    EXPECT_EQ(media.text, "Papiertyp");
    EXPECT_EQ(media.choices[0].text, "Normalpapier");
    EXPECT_EQ(media.choices[1].text, "Thick Paper"); // no translation: the PPD's own text
    EXPECT_EQ(UnownedPrinterOptions(ppd, {}, "fr")[0].text, "General");

    const PrinterOption& info = Option(groups, "KSTJobInfo");
    ASSERT_EQ(info.customParams.size(), 2u);
    EXPECT_EQ(info.customParams[1].name, "Pin");
    EXPECT_EQ(info.customParams[1].type, PPD_CUSTOM_PASSCODE);
    EXPECT_EQ(info.customParams[1].maximum, 8);
}

TEST_F(PrinterOptionsOfPPD, ConstraintsNameTheForbiddingOption) {
    EXPECT_TRUE(ConflictingOptions(ppd, "Duplex", "DuplexNoTumble").empty());
    ppdMarkOption(ppd, "MediaType", "Transparency");
    EXPECT_EQ(ConflictingOptions(ppd, "Duplex", "DuplexNoTumble"),
              std::vector<std::string>{"MediaType"});
    EXPECT_EQ(ConflictingOptions(ppd, "KSTStaple", "Front"), std::vector<std::string>{"MediaType"});
    EXPECT_TRUE(ConflictingOptions(ppd, "Duplex", "None").empty());
}

TEST_F(PrinterOptionsOfPPD, CustomValuesCheckedAndReadBack) {
    const auto groups = UnownedPrinterOptions(ppd, {}, "C");
    const PrinterOption& darkness = Option(groups, "KSTDarkness");
    const PrinterOption& info = Option(groups, "KSTJobInfo");
    std::string value, message;
    ASSERT_TRUE(MakeCustomValue(darkness, {"-5"}, value, message)) << message;
    EXPECT_EQ(value, "Custom.-5");
    for (const char* bad : {"6", "1.5", "x", ""})
        EXPECT_FALSE(MakeCustomValue(darkness, {bad}, value, message)) << bad;
    EXPECT_NE(message.find("Darkness Level takes a whole number from -5 to 5"), std::string::npos)
        << message;

    ASSERT_TRUE(MakeCustomValue(info, {"Ann Lee", "1234"}, value, message)) << message;
    EXPECT_EQ(value, "{Name=\"Ann Lee\" Pin=\"1234\"}");
    std::vector<std::string> values;
    ASSERT_TRUE(ParseCustomValue(info, value, values));
    EXPECT_EQ(values, (std::vector<std::string>{"Ann Lee", "1234"}));
    // The value CUPS gets marks the PPD's custom choice.
    EXPECT_EQ(ppdMarkOption(ppd, "KSTJobInfo", value.c_str()), 0);
    EXPECT_STREQ(ppdFindMarkedChoice(ppd, "KSTJobInfo")->choice, "Custom");

    EXPECT_FALSE(MakeCustomValue(info, {"Ann", "12a4"}, value, message));
    EXPECT_EQ(message, "PIN takes digits only");
    EXPECT_FALSE(MakeCustomValue(info, {"Ann", "123"}, value, message));
    EXPECT_FALSE(MakeCustomValue(info, {"A\"} x", "1234"}, value, message));
    EXPECT_FALSE(MakeCustomValue(info, {"Ann"}, value, message));
    EXPECT_FALSE(ParseCustomValue(info, "Custom.1", values)); // two parameters
    EXPECT_FALSE(ParseCustomValue(Option(groups, "Duplex"), "Custom.1", values));
}

TEST(PageLayout, GridFollowsOrientation) {
    struct Case {
        int n;
        bool landscape;
        int rows, columns;
    } cases[] = {{1, false, 1, 1}, {2, false, 1, 2}, {2, true, 2, 1},  {4, false, 2, 2},
                 {6, false, 2, 3}, {6, true, 3, 2},  {9, false, 3, 3}, {16, true, 4, 4}};
    for (const Case& c : cases) {
        PageLayout layout{c.n, kLayoutLeftRightTopBottom, c.landscape};
        EXPECT_EQ(layout.Rows(), c.rows) << c.n << (c.landscape ? " landscape" : "");
        EXPECT_EQ(layout.Columns(), c.columns) << c.n;
    }
}

TEST(PageLayout, WritesNumberUpAndTheThreeLayoutKeys) {
    PrintSettings settings;
    PageLayout layout{6, kLayoutTopBottomRightLeft, false};
    ASSERT_TRUE(WritePageLayout(layout, settings));
    std::string v;
    ASSERT_EQ(settings.GetText("number-up", v), 0);
    EXPECT_EQ(v, "6");
    ASSERT_EQ(settings.GetText("com.apple.print.PrintSettings.PMLayoutDirection..n.", v), 0);
    EXPECT_EQ(v, "6");
    ASSERT_EQ(settings.GetText("com.apple.print.PrintSettings.PMLayoutRows..n.", v), 0);
    EXPECT_EQ(v, "2");
    ASSERT_EQ(settings.GetText("com.apple.print.PrintSettings.PMLayoutColumns..n.", v), 0);
    EXPECT_EQ(v, "3");

    // A count the dialog does not offer falls back to one page per sheet.
    PageLayout odd{5, kLayoutLeftRightTopBottom, false};
    ASSERT_TRUE(WritePageLayout(odd, settings));
    settings.GetText("number-up", v);
    EXPECT_EQ(v, "1");

    // A locked key keeps its value and the write says so.
    PrintSettings locked;
    locked.SetText("number-up", "2", true);
    EXPECT_FALSE(WritePageLayout(layout, locked));
    locked.GetText("number-up", v);
    EXPECT_EQ(v, "2");

    for (const char* name : {"z", "reverse-z", "n", "reverse-n"}) {
        auto d = ParseLayoutDirection(name);
        ASSERT_TRUE(d) << name;
        EXPECT_STREQ(LayoutDirectionName(*d), name);
    }
    // Scripts may also give the page-format number of a direction.
    EXPECT_EQ(ParseLayoutDirection("3"), kLayoutRightLeftTopBottom);
    EXPECT_EQ(ParseLayoutDirection("6"), kLayoutTopBottomRightLeft);
    EXPECT_FALSE(ParseLayoutDirection("2"));
    EXPECT_STREQ(NumberUpLayoutValue(kLayoutTopBottomLeftRight), "tblr");
    EXPECT_STREQ(NumberUpLayoutValue(kLayoutRightLeftTopBottom), "rltb");
}

TEST(JobOptions, SettingsDialogAttributesAndPPDChoices) {
    JobRequest r;
    r.settingsText = {{"com.kestrane.mtz.printsettings.PrintTypeTicketKey", "2"},
                      {"com.kestrane.mtz.printsettings.WMARKTextTicket", "Hello World"},
                      {"number-up", "2"}};
    r.ppdChoices = {{"Duplex", "DuplexNoTumble"}, {"PageSize", "A4"}, {"Duplex", "None"}};
    r.copies = 3;
    r.collate = false;
    r.pageRanges = "1-3,5";
    r.orientation = 2;
    r.pagesPerSheet = 2;
    r.layoutDirection = 3;
    JobOptions o = MakeJobOptions(r);
    OptionList expected = {{"com.kestrane.mtz.printsettings.PrintTypeTicketKey", "2"},
                           {"com.kestrane.mtz.printsettings.WMARKTextTicket", "Hello World"},
                           {"number-up", "2"},
                           {"copies", "3"},
                           {"collate", "false"},
                           {"page-ranges", "1-3,5"},
                           {"orientation-requested", "4"},
                           {"number-up-layout", "rltb"},
                           {"Duplex", "None"},
                           {"PageSize", "A4"}};
    EXPECT_EQ(o.options, expected);
    EXPECT_TRUE(o.rejectedKeys.empty());
    EXPECT_EQ(FormatJobOptions({{"a", "1"}, {"b", "x y"}}), "a=1\nb=x y\n");
}

TEST(JobOptions, DefaultsAddNothingAndBadNamesAreReported) {
    JobRequest r;
    r.settingsText = {{"", "x"}, {"bad name", "1"}, {"a=b", "1"}, {"ok", ""}};
    r.ppdChoices = {{"KSTEcoMode", ""}};
    JobOptions o = MakeJobOptions(r);
    EXPECT_EQ(o.options, (OptionList{{"ok", ""}}));
    EXPECT_EQ(o.rejectedKeys, (std::vector<std::string>{"", "bad name", "a=b", "KSTEcoMode"}));

    // A PPD option a panel reported wins over the same key in the settings.
    JobRequest both;
    both.settingsText = {{"Duplex", "DuplexTumble"}};
    both.ppdChoices = {{"Duplex", "None"}};
    EXPECT_EQ(MakeJobOptions(both).options, (OptionList{{"Duplex", "None"}}));
}

TEST(JsonWriter, EscapesAndKeepsOrder) {
    EXPECT_EQ(JsonWriter::Quote("a\"b\\c\n\x01"), "\"a\\\"b\\\\c\\n\\u0001\"");
    EXPECT_EQ(JsonWriter::Quote("Gr\xc3\xbc\xc3\x9f"
                                "e"),
              "\"Gr\xc3\xbc\xc3\x9f"
              "e\"");
    // Broken UTF-8 (a lone continuation byte, an overlong form, a surrogate)
    // becomes U+FFFD so the report stays valid JSON.
    EXPECT_EQ(JsonWriter::Quote("x\x80y"), "\"x\xef\xbf\xbdy\"");
    EXPECT_EQ(JsonWriter::Quote("\xc0\xaf"), "\"\xef\xbf\xbd\xef\xbf\xbd\"");
    EXPECT_EQ(JsonWriter::Quote("\xed\xa0\x80"), "\"\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\"");

    JsonWriter j;
    j.BeginObject();
    j.Member("z", "1");
    j.Key("a");
    j.BeginArray();
    j.Int(2);
    j.Bool(true);
    j.EndArray();
    j.Key("e");
    j.BeginObject();
    j.EndObject();
    j.EndObject();
    EXPECT_EQ(j.Text(), "{\n  \"z\": \"1\",\n  \"a\": [\n    2,\n    true\n  ],\n  \"e\": {}\n}\n");
}
