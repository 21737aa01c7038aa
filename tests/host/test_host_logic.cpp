// The dialog's logic without widgets: the script language, the job options
// made from print settings and PPD choices, the layout section, the report.
#include "HostOptions.h"
#include "HostScript.h"
#include "JobOptions.h"
#include "JsonWriter.h"
#include "PageLayout.h"

#include "PrintSettings.h"

#include <gtest/gtest.h>

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
    r.orientation = 2;
    r.pagesPerSheet = 2;
    r.layoutDirection = 3;
    JobOptions o = MakeJobOptions(r);
    OptionList expected = {{"com.kestrane.mtz.printsettings.PrintTypeTicketKey", "2"},
                           {"com.kestrane.mtz.printsettings.WMARKTextTicket", "Hello World"},
                           {"number-up", "2"},
                           {"copies", "3"},
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
