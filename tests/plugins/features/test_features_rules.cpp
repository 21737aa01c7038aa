// The finishing panel's rules that need no widgets: product-mode keys,
// paging, number fields, unit pairs, the trimmer geometry and the separator
// page list.
#include <gtest/gtest.h>

#include <map>

#include "FinishingKeys.h"
#include "FinishingWindowValues.h"
#include "FinishingUnits.h"
#include "SeparatorPageList.h"
#include "TrimmerGeometry.h"

namespace {

using namespace MNTest;

TEST(FeaturesProductMode, EachModeClaimsItsHeadAndTheCommonRun) {
    const KeyList& mode02 = PPDKeysForProductMode("Default02");
    EXPECT_EQ(mode02.front(), "MediaType");
    EXPECT_TRUE(IsKeyInList(mode02, "KRIgnoreTimeout"));
    EXPECT_FALSE(IsKeyInList(mode02, "KRSignature"));
    EXPECT_FALSE(IsKeyInList(mode02, "KROutputMode"));
    EXPECT_EQ(PPDKeysForProductMode("Default01").front(), "KROutputMode");
    EXPECT_EQ(PPDKeysForProductMode("Default00").size(), 45u);
    EXPECT_TRUE(PPDKeysForProductMode("Disabled").empty());
    EXPECT_TRUE(PPDKeysForProductMode("Default04").empty());
    // Tags follow the "Default00" list.
    EXPECT_EQ(FeaturesTagForPPDKey("KRSignature"), 7100);
    EXPECT_EQ(FeaturesTagForPPDKey("MediaType"), 7106);
    EXPECT_EQ(FeaturesTagForPPDKey("KRJog"), 7142);
    EXPECT_EQ(FeaturesTagForPPDKey("KRIgnoreTimeout"), 7144);
    EXPECT_EQ(FeaturesTagForPPDKey("PageSize"), -1);
}

TEST(FeaturesGroups, PagesOfSixNumberedForTheGeneralGroupAndLargeGroups) {
    EXPECT_EQ(GroupPageNames("General", 7, true),
              (std::vector<std::string>{"General 1", "General 2"}));
    EXPECT_EQ(GroupPageNames("General", 2, true), (std::vector<std::string>{"General 1"}));
    EXPECT_EQ(GroupPageNames("Finishing", 6, false), (std::vector<std::string>{"Finishing"}));
    EXPECT_EQ(GroupPageNames("Finishing", 13, false).back(), "Finishing 3");
    EXPECT_TRUE(GroupPageNames("Finishing", 0, false).empty());
    EXPECT_TRUE(IsOptionCounted("KRStaple", {"KRStaple", "KRPunch"}, {"KRPunch"}));
    EXPECT_FALSE(IsOptionCounted("KRPunch", {"KRStaple", "KRPunch"}, {"KRPunch"}));
    EXPECT_FALSE(IsOptionCounted("krstaple", {"KRStaple"}, {}));
    EXPECT_EQ(ResourceModePart("Default00-Layout"), "Default00");
    EXPECT_EQ(ResourceHelpPart("Default00-Layout"), "Layout");
    EXPECT_EQ(ResourceHelpPart("Default00"), "");
}

TEST(FeaturesJobState, MailboxAndSpecialPagesReadOnlyCleanNumbers) {
    EXPECT_TRUE(IsMailboxJobTypeText("5"));
    EXPECT_FALSE(IsMailboxJobTypeText("4"));
    EXPECT_FALSE(IsMailboxJobTypeText("5x"));
    EXPECT_FALSE(IsMailboxJobTypeText(""));
    // A value past the 32-bit range must not wrap into 5.
    EXPECT_FALSE(IsMailboxJobTypeText("4294967301"));
    EXPECT_TRUE(HasSpecialPagesText("2"));
    EXPECT_FALSE(HasSpecialPagesText("0"));
    EXPECT_FALSE(HasSpecialPagesText("-1"));
}

TEST(FeaturesNumberField, ParsesDecimalsAndRefusesWhatItCannotHold) {
    EXPECT_EQ(ParseFieldNumber("12.7", 1), 127);
    EXPECT_EQ(ParseFieldNumber("12", 1), 120);
    EXPECT_EQ(ParseFieldNumber("0.5", 2), 50);
    EXPECT_EQ(ParseFieldNumber(".5", 1), 5);
    EXPECT_EQ(ParseFieldNumber("007", 0), 7);
    for (const char* bad : {"", ".", "1.2.3", "12.75", "4294967301", "99999999", "1,5", "-3", " 3"})
        EXPECT_FALSE(ParseFieldNumber(bad, 1)) << bad;
    EXPECT_FALSE(ParseFieldNumber("2.5", 0));
    EXPECT_EQ(FormatFieldNumber(127, 1), "12.7");
    EXPECT_EQ(FormatFieldNumber(50, 2), "0.50");
    EXPECT_EQ(FormatFieldNumber(5, 2), "0.05");
    EXPECT_EQ(FormatFieldNumber(-5, 1), "-0.5");
    EXPECT_EQ(FormatFieldNumber(25, 0), "25");
}

TEST(FeaturesUnits, TabMarginPairRoundsHalfAwayAndClamps) {
    EXPECT_EQ(TabMarginMMFromInch(50), 127); // 0.50 inch shows 12.7 mm
    EXPECT_EQ(TabMarginInchFromMM(150), 59); // 15.0 mm shows 0.59 inch
    EXPECT_EQ(TabMarginInchFromMM(200), 59); // 20 mm is held to the inch range
    EXPECT_EQ(TabMarginMMFromInch(59), 150); // 149.86 tenths round up
    EXPECT_EQ(TabMarginInchFromMM(0), 0);
    EXPECT_EQ(RoundHalfAwayFromZero(-2.5), -3);
    EXPECT_EQ(RoundHalfAwayFromZero(2.5), 3);
    EXPECT_EQ(RoundHalfToEven(2.5), 2);
    EXPECT_EQ(RoundHalfToEven(3.5), 4);
}

TEST(FeaturesUnits, BookletAndTrimmerPairs) {
    EXPECT_EQ(BookletMarginInchFromMM(5), 2);  // 1.97 tenths
    EXPECT_EQ(BookletMarginMMFromInch(5), 13); // 12.7 mm
    EXPECT_EQ(BookletMarginInchFromMM(25), 10);
    EXPECT_EQ(BookletMarginMMFromInch(10), 25);
    EXPECT_EQ(BookletMarginShiftTicketValue(5), 10);
    EXPECT_EQ(TrimmerInchFromMM(80), 31); // 8.0 mm is 0.31 inch
    EXPECT_EQ(TrimmerMMFromInch(31), 79);
    EXPECT_EQ(TrimmerMMFromInch(100), 254);
}

TEST(FeaturesTrimmer, A4AloneAndAsBookletSheet) {
    TrimmerPaper a4;
    a4.width = 595;
    a4.height = 842;
    a4.signatureChoice = "None";
    double base = TrimmerBaseLength(a4);
    EXPECT_DOUBLE_EQ(base, 842);
    TrimmerValues v = TrimmerValuesForBase(base);
    EXPECT_EQ(v.halfMMTenths, 1485);
    EXPECT_EQ(v.mmRange.minimum, 1285);
    EXPECT_EQ(v.mmRange.maximum, 1465);
    EXPECT_EQ(TrimmerShownMM(v, kTrimmerMMDefault), 1405);
    EXPECT_EQ(TrimmerCuttingSize(v, kTrimmerMMDefault), 1405);
    // The message's bounds.
    EXPECT_EQ(FormatTrimmerBound(v.mmRange.minimum, false), "128.5");
    EXPECT_EQ(FormatTrimmerBound(506, true), "5.06");

    TrimmerPaper booklet = a4;
    booklet.signatureChoice = "Booklet";
    booklet.sigSizeChoice = "A4";
    booklet.sigSizeCode = "<</SignatureSize[595 842]>>setpagedevice";
    base = TrimmerBaseLength(booklet);
    EXPECT_DOUBLE_EQ(base, 1191);
    v = TrimmerValuesForBase(base);
    EXPECT_EQ(v.halfMMTenths, 2101);
    EXPECT_EQ(v.mmRange.minimum, 1901);
    EXPECT_EQ(v.mmRange.maximum, 2081);
    EXPECT_EQ(TrimmerShownMM(v, kTrimmerMMDefault), 2021);
    EXPECT_EQ(TrimmerTrimFromShownMM(v, 2021), 80);
    EXPECT_EQ(v.inchRange.minimum, RoundHalfToEven((v.halfMM - 20) / kMMPerInch * 100));
}

TEST(FeaturesTrimmer, BaseIsNeverZero) {
    // No booklet option: the paper's long side, also for a custom size the
    // page format measured.
    TrimmerPaper custom;
    custom.width = 500;
    custom.height = 700;
    EXPECT_DOUBLE_EQ(TrimmerBaseLength(custom), 700);
    // Nothing measured at all: the region's largest sheet.
    TrimmerPaper none;
    EXPECT_DOUBLE_EQ(TrimmerBaseLength(none), 1191);
    none.inchRegion = true;
    EXPECT_DOUBLE_EQ(TrimmerBaseLength(none), 1224);
    // A booklet of a sheet the table does not know.
    TrimmerPaper odd = custom;
    odd.signatureChoice = "Booklet";
    odd.sigSizeChoice = "SigTray3";
    EXPECT_DOUBLE_EQ(TrimmerBaseLength(odd), 1191);
    odd.width = 612;
    odd.height = 792;
    EXPECT_DOUBLE_EQ(TrimmerBaseLength(odd), 1224);
    // A size code without its "]" is not read.
    odd.sigSizeChoice = "LT";
    odd.sigSizeCode = "[612 792";
    EXPECT_DOUBLE_EQ(TrimmerBaseLength(odd), 1224);
    EXPECT_FALSE(SigSizeFromCode("[612 792"));
    EXPECT_FALSE(SigSizeFromCode("[4294967301 10]"));
    EXPECT_EQ(SigSizeFromCode("x[842 595]y"), 842);
    // A trim as long as the half length writes no cutting size.
    TrimmerValues v = TrimmerValuesForBase(842);
    EXPECT_FALSE(TrimmerCuttingSize(v, v.halfMMTenths));
    EXPECT_FALSE(TrimmerCuttingSize(v, v.halfMMTenths + 80));
}

TEST(FeaturesSeparatorPages, EntriesCheckedSortedAndShownAgain) {
    EXPECT_EQ(IsPageInputValid("10, 3,5"), kSeparatorListOK);
    EXPECT_EQ(SeparatorStoredForm("10, 3,5"), "3 5 10");
    EXPECT_EQ(SeparatorStoredForm("5,3,10"), "3 5 10");
    EXPECT_EQ(SeparatorEntryForm("3 5 10"), "3,5,10");
    EXPECT_EQ(IsPageInputValid(""), kSeparatorListOK);
    EXPECT_EQ(SeparatorStoredForm(""), "");
    for (const char* bad :
         {"1,4", ",3", "3,", "3,,4", "3, ,4", "   ", "3;4", "10000", "3 5", "99999999999"})
        EXPECT_EQ(IsPageInputValid(bad), kSeparatorListBad) << bad;
    std::string twenty, twentyOne;
    for (int page = 2; page < 22; ++page)
        twenty += (twenty.empty() ? "" : ",") + std::to_string(page);
    twentyOne = twenty + ",30";
    EXPECT_EQ(IsPageInputValid(twenty), kSeparatorListOK);
    EXPECT_EQ(IsPageInputValid(twentyOne), kSeparatorListTooMany);
    EXPECT_STREQ(SeparatorListMessageKey(kSeparatorListTooMany), "Message22d");
    EXPECT_STREQ(SeparatorListMessageKey(kSeparatorListBad), "Message22c");
}

TEST(FeaturesCounts, RangesOfTheCountWindows) {
    EXPECT_FALSE(kNumberInSequenceRange.Contains(0));
    EXPECT_TRUE(kNumberInSequenceRange.Contains(1));
    EXPECT_TRUE(kNumberInSequenceRange.Contains(254));
    EXPECT_FALSE(kNumberInSequenceRange.Contains(255));
    EXPECT_FALSE(kOffsetPagesRange.Contains(1));
    EXPECT_TRUE(kOffsetPagesRange.Contains(65000));
    EXPECT_FALSE(kOffsetCopiesRange.Contains(10000));
}

} // namespace

namespace {

using namespace MNTest;

std::map<std::string, std::string> AsMap(const TicketEntries& entries) {
    return {entries.begin(), entries.end()};
}

TEST(FeaturesJobRules, MailboxAndSpecialPagesDisableOrHoldTheDefault) {
    auto staple = JobRuleForKey("KRStaple", true, false);
    EXPECT_TRUE(staple.disable && staple.restore);
    auto colour = JobRuleForKey("KRMediaColor", true, false);
    EXPECT_TRUE(colour.disable);
    EXPECT_FALSE(colour.restore);
    auto slip = JobRuleForKey("KRSlipSheet", false, true);
    EXPECT_TRUE(slip.disable && slip.restore);
    auto free = JobRuleForKey("KRStaple", false, true);
    EXPECT_FALSE(free.disable || free.restore);
}

TEST(FeaturesWindowValues, TicketKeysOfEveryWindow) {
    FinishingWindowValues v;
    v.bookletMM = 5;
    v.bookletInch = BookletMarginInchFromMM(5);
    v.separatorPages = SeparatorStoredForm("10, 3,5");
    v.offsetPages = 3;
    TrimmerValues a4 = TrimmerValuesForBase(842);
    auto keys = AsMap(FinishingTicketEntries(v, a4));
    EXPECT_EQ(keys["BookletMarginMMShiftTicket"], "10");
    EXPECT_EQ(keys["BookletMarginMMTextEditTicket"], "5");
    EXPECT_EQ(keys["BookletMarginInchesTextEditTicket"], "0.2");
    EXPECT_EQ(keys["TabMarginMMShiftTicket"], "127");
    EXPECT_EQ(keys["TabMarginInchesTextEditTicket"], "0.50");
    EXPECT_EQ(keys["TrimmerMMShiftTicket"], "80");
    EXPECT_EQ(keys["TrimmerMMCuttingSizeTicket"], "1405");
    EXPECT_EQ(keys["TrimmerMMTextEditTicket"], "140.5");
    EXPECT_EQ(keys["SeparatorPageTicket"], "3 5 10");
    EXPECT_EQ(keys["OffsetStackingPagesLArrowTicket"], "3");
    EXPECT_EQ(keys["NumInSequenceLArrowTicket"], "3");
    EXPECT_EQ(keys["AutoFitSwitchTicket"], "1");
    // No paper measured yet: no cutting size rather than a negative one.
    EXPECT_EQ(AsMap(FinishingTicketEntries(v, TrimmerValues{})).count("TrimmerMMCuttingSizeTicket"),
              0u);

    // Written keys read back into a fresh record; bad values keep defaults.
    keys["NumInSequenceLArrowTicket"] = "4294967301";
    keys["OffsetStackingUnitsLArrowTicket"] = "1";
    FinishingWindowValues back;
    ReadFinishingTicketEntries(back, [&](const std::string& key, std::string& text) {
        auto it = keys.find(key);
        if (it == keys.end())
            return false;
        text = it->second;
        return true;
    });
    EXPECT_EQ(back.bookletMM, 5);
    EXPECT_EQ(back.separatorPages, "3 5 10");
    EXPECT_EQ(back.offsetPages, 3);
    EXPECT_EQ(back.numberStart, kNumberInSequenceDefault);
    EXPECT_EQ(back.offsetCopies, kOffsetCopiesDefault);
    back.RestoreDefaults(FinishingWindow::BookletMargin);
    EXPECT_EQ(back.bookletMM, 0);
    EXPECT_EQ(back.separatorPages, "3 5 10");
}

} // namespace
