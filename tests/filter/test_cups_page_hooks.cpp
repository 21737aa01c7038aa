// Which page hooks a job gets, and the watermark on CUPS-delivered documents
// as far as it shows in the stream (the drawing itself is rendered in the
// integration test through a real cupsd).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CupsPageHooks.h"
#include "FilterRun.h"
#include "watermark/WatermarkTestSupport.h"

using namespace filtertest;

namespace {

// Sets or clears environment variables for one scope.
class Env {
public:
    Env(std::initializer_list<std::pair<const char*, const char*>> vars) {
        for (const auto& [name, value] : vars) {
            const char* old = std::getenv(name);
            saved_.push_back({name, old ? std::string(old) : std::string(), old != nullptr});
            if (value)
                setenv(name, value, 1);
            else
                unsetenv(name);
        }
    }
    ~Env() {
        for (const auto& s : saved_) {
            if (s.had)
                setenv(s.name, s.value.c_str(), 1);
            else
                unsetenv(s.name);
        }
    }

private:
    struct Saved {
        const char* name;
        std::string value;
        bool had;
    };
    std::vector<Saved> saved_;
};

TEST(PageHookChoice, CupsWhenCupsdRunsTheFilterUnlessOverridden) {
    {
        Env env{{"PPD", "/etc/cups/ppd/q.ppd"},
                {"CUPS_SERVERBIN", "/usr/lib/cups"},
                {"KESTRANE_PAGE_HOOKS", nullptr}};
        EXPECT_EQ(ChoosePageHooks(), PSPageHooks::Cups);
    }
    {
        Env env{{"PPD", "/etc/cups/ppd/q.ppd"},
                {"CUPS_SERVERBIN", nullptr},
                {"KESTRANE_PAGE_HOOKS", nullptr}};
        EXPECT_EQ(ChoosePageHooks(), PSPageHooks::Generator);
    }
    {
        Env env{{"PPD", "/etc/cups/ppd/q.ppd"},
                {"CUPS_SERVERBIN", "/usr/lib/cups"},
                {"KESTRANE_PAGE_HOOKS", "generator"}};
        EXPECT_EQ(ChoosePageHooks(), PSPageHooks::Generator);
    }
    {
        Env env{{"PPD", nullptr}, {"CUPS_SERVERBIN", nullptr}, {"KESTRANE_PAGE_HOOKS", "cups"}};
        EXPECT_EQ(ChoosePageHooks(), PSPageHooks::Cups);
    }
}

Options TextOptions(const char* onlyFirst, const char* font = "Helvetica") {
    Options o;
    for (const auto& [name, value] : wmtest::TextTicket())
        o.push_back({name, value});
    o.push_back({"WMARKOnlyFirstTicket", onlyFirst});
    o.push_back({"WMARKFontTicket", font});
    return o;
}

const std::string kPstopsDoc = "%!PS-Adobe-3.0\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n"
                               "%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n%%EndPageSetup\n"
                               "bp\n(x) show showpage\nep\n%%Trailer\n";

// The procedure is sent once in the setup and never opens a save of its own
// or calls names the document never defined; first-page-only guards it with
// a flag no restore can bring back; a font name that could break out of its
// token draws nothing at all.
TEST(CupsWatermark, OneProcedureNoSavesNoForeignNames) {
    Env env{{"KESTRANE_PAGE_HOOKS", "cups"}};
    Job job;
    job.document = kPstopsDoc;
    job.options = TextOptions("0");
    std::string ps = PSPart(RunFilter(job));
    const size_t setup = ps.find("userdict/kvqwmdraw{gsave\n");
    ASSERT_NE(setup, std::string::npos) << ps;
    EXPECT_LT(setup, ps.find("%%EndSetup"));
    EXPECT_NE(ps.find("(AB) show\ngrestore}bind put\n"), std::string::npos) << ps;
    EXPECT_NE(ps.find("/EndPage{"), std::string::npos);
    for (const char* name : {"pgsave", "pm ", "kvqbp", " save"})
        EXPECT_EQ(ps.find(name), std::string::npos) << name;
    EXPECT_EQ(ps.find("/done get not{"), std::string::npos);

    job.options = TextOptions("1");
    ps = PSPart(RunFilter(job));
    EXPECT_NE(ps.find("userdict/kvqwmdraw{userdict/kvqWM get/done get not{gsave\n"),
              std::string::npos);
    EXPECT_NE(ps.find("true setglobal"), std::string::npos);

    job.options = TextOptions("0", "Evil)show(");
    EXPECT_EQ(PSPart(RunFilter(job)), kPstopsDoc + "\x04");
}

} // namespace
