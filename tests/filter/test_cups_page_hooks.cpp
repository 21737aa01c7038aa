// Which page hooks a job gets, and what the CUPS-mode watermark must never
// put in the stream (its drawing is rendered in the integration test through
// a real cupsd).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "CupsPageHooks.h"
#include "FilterRun.h"
#include "watermark/WatermarkTestSupport.h"

using namespace filtertest;

namespace {

// PPD, CUPS_SERVERBIN, KESTRANE_PAGE_HOOKS; nullptr unsets.
PSPageHooks HooksWith(const char* ppd, const char* serverBin, const char* chosen) {
    const char* names[] = {"PPD", "CUPS_SERVERBIN", "KESTRANE_PAGE_HOOKS"};
    const char* values[] = {ppd, serverBin, chosen};
    for (int i = 0; i < 3; ++i) {
        if (values[i])
            setenv(names[i], values[i], 1);
        else
            unsetenv(names[i]);
    }
    const PSPageHooks hooks = ChoosePageHooks();
    for (const char* name : names)
        unsetenv(name);
    return hooks;
}

TEST(PageHookChoice, CupsWhenCupsdRunsTheFilterUnlessOverridden) {
    EXPECT_EQ(HooksWith("/q.ppd", "/usr/lib/cups", nullptr), PSPageHooks::Cups);
    EXPECT_EQ(HooksWith("/q.ppd", nullptr, nullptr), PSPageHooks::Generator);
    EXPECT_EQ(HooksWith("/q.ppd", "/usr/lib/cups", "generator"), PSPageHooks::Generator);
    EXPECT_EQ(HooksWith(nullptr, nullptr, "cups"), PSPageHooks::Cups);
}

// The watermark opens no save of its own and calls no page procedure the
// document never defined, whatever page lines the document holds; a font
// name that could break out of its token draws nothing at all.
TEST(CupsWatermark, NoSavesNoForeignNamesNoUnsafeFont) {
    setenv("KESTRANE_PAGE_HOOKS", "cups", 1);
    const std::string doc = "%!PS-Adobe-3.0\n%%BeginProlog\n%%EndProlog\n%%BeginSetup\n"
                            "%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n%%EndPageSetup\n"
                            "bp\n(x) show showpage\nep\nendp\n%%Trailer\n";
    for (const char* onlyFirst : {"0", "1"}) {
        Job job;
        job.document = doc;
        for (const auto& [name, value] : wmtest::TextTicket())
            job.options.push_back({name, name == "WMARKOnlyFirstTicket" ? onlyFirst : value});
        const std::string ps = PSPart(RunFilter(job));
        EXPECT_NE(ps.find("(AB) show"), std::string::npos) << ps;
        for (const char* name : {"pgsave", "pm ", "kvqbp", " save"})
            EXPECT_EQ(ps.find(name), std::string::npos) << name;

        job.options.push_back({"WMARKFontTicket", "Evil)show("});
        EXPECT_EQ(PSPart(RunFilter(job)), doc + "\x04");
    }
    unsetenv("KESTRANE_PAGE_HOOKS");
}

} // namespace
