// Which page hooks a job gets, and what the CUPS-mode watermark must never
// put in the stream (its drawing is rendered in the integration test through
// a real cupsd).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "CupsPageHooks.h"
#include "FilterRun.h"
#include "ImposedSheetSlots.h"
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

// Slots of an imposed PDF sheet in page order, as pdftopdf placed the pages
// of a 16-page PDF (measured through cupsfilter): each number-up family,
// every orientation's turn, and layouts read across and down.
TEST(ImposedSheet, PagesInTheSlotsPdftopdfGivesThem) {
    struct Case {
        int n;
        const char* layout;
        int orientation;
        int rotate;
        std::vector<std::pair<int, int>> first; // (column, row from bottom) of pages 1, 2, ...
    };
    const Case cases[] = {
        {2, "lrtb", 3, 90, {{0, 0}, {0, 1}}},
        {2, "lrtb", 4, 90, {{0, 1}, {0, 0}}},
        {2, "btrl", 5, 270, {{0, 1}, {0, 0}}},
        {2, "tbrl", 6, 270, {{0, 0}, {0, 1}}},
        {4, "lrtb", 3, 0, {{0, 1}, {1, 1}, {0, 0}, {1, 0}}},
        {4, "lrtb", 4, 180, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},
        {4, "tbrl", 5, 0, {{1, 0}, {0, 0}, {1, 1}, {0, 1}}},
        {6, "tblr", 4, 90, {{0, 2}, {0, 1}, {0, 0}, {1, 2}}},
        {9, "tblr", 6, 180, {{2, 0}, {2, 1}, {2, 2}, {1, 0}}},
        {9, "rlbt", 3, 0, {{2, 0}, {1, 0}, {0, 0}, {2, 1}}},
        {4, "", 7, 0, {{0, 1}, {1, 1}}}, // unknown values: lrtb, portrait
    };
    for (const Case& c : cases) {
        ImposedSheet sheet;
        ASSERT_TRUE(ImposedSheetFor(c.n, c.layout, c.orientation, &sheet));
        EXPECT_EQ(sheet.rotate, c.rotate) << c.n << c.layout << c.orientation;
        ASSERT_EQ(sheet.order.size(), static_cast<size_t>(c.n));
        for (size_t i = 0; i < c.first.size(); ++i)
            EXPECT_EQ(std::make_pair(sheet.order[i].column, sheet.order[i].row), c.first[i])
                << c.n << c.layout << c.orientation << " page " << i + 1;
    }
    ImposedSheet sheet;
    EXPECT_TRUE(ImposedSheetFor(16, "lrtb", 3, &sheet) && sheet.columns == 4 &&
                sheet.order.size() == 16);
    EXPECT_FALSE(ImposedSheetFor(3, "lrtb", 3, &sheet));
}

} // namespace
