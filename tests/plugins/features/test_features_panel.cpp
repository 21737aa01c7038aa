// The finishing panel and its option windows through real widgets, loaded as
// the dialog loads the plug-in: when it is offered, how it pages its
// controls, conflicts as marks change, the job type and special pages, and
// each window's checks, messages and unit pairs.
#include "features_test_support.h"

#include "PageFormat.h"

#include <QComboBox>
#include <QSpinBox>
#include <QAbstractButton>
#include <QWidget>

#include <cups/ppd.h>

#include <gtest/gtest.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace featurestest;

namespace {

// Tags of the sample PPD's controls.
constexpr int kGroupList = 6001;
constexpr int kBookletSwitch = 6010, kTabButton = 6011, kNumberingButton = 6012,
              kTrimmerButton = 6014, kSeparatorButton = 6015, kBookletButton = 6016;
constexpr int kBooklet = 7100, kOutline = 7101, kSheetSize = 7102, kSlipSheet = 7113,
              kStaple = 7116, kPunch = 7117, kFrontCover = 7119, kInsertType = 7122,
              kTabSwitch = 7132, kTrimmerSwitch = 7133, kSeparatorList = 7136, kColour = 7137,
              kNumberingSwitch = 7141, kOffsetList = 7142;

class FeaturesPanel : public testing::Test {
protected:
    // Shows the group page that holds the tag.
    void ShowPageOf(int tag) {
        auto* groups = qobject_cast<QComboBox*>(Tagged(f.View(), kGroupList));
        ASSERT_TRUE(groups);
        for (int i = 1; i <= groups->count(); ++i) {
            Choose(f.View(), kGroupList, i);
            if (QWidget* w = Tagged(f.View(), tag); w && w->isVisibleTo(f.View()))
                return;
        }
        FAIL() << "no page shows " << tag;
    }
    bool Enabled(int tag) {
        QWidget* w = Tagged(f.View(), tag);
        return w && w->isEnabled();
    }
    bool Checked(int tag) {
        auto* box = qobject_cast<QAbstractButton*>(Tagged(f.View(), tag));
        return box && box->isChecked();
    }
    std::string Alert(size_t i) {
        const auto& alerts = f.Services().alerts;
        if (i >= alerts.size())
            return "<no alert>";
        return alerts[i].message.empty() ? alerts[i].informativeText : alerts[i].message;
    }

    QTemporaryDir dir;
    FeaturesSession f;
};

TEST_F(FeaturesPanel, OfferedForAnEnabledModeWithItsHelpPages) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> edits;
        bool offered;
    };
    const Case cases[] = {
        {"sample", {}, true},
        {"disabled", {{"*KRVFeaturesSettings:", "*KRVFeaturesSettings: \"Disabled\""}}, false},
        {"none", {{"*KRVFeaturesSettings:", ""}}, false},
        {"nolayouthelp",
         {{"*KRVLayoutSettings:", "*KRVLayoutSettings: \"Default00-Gone\""}},
         false},
        {"nolayout", {{"*KRVLayoutSettings:", ""}}, true},
    };
    for (const Case& c : cases) {
        FeaturesSession s;
        EXPECT_EQ(s.Open(WritePPDVariant(dir, SAMPLE_PPD, c.edits, std::string(c.name) + ".ppd")),
                  c.offered)
            << c.name;
    }
    // A mode the bundle does not serve: offered, empty, and printing goes on.
    FeaturesSession other;
    ASSERT_TRUE(other.Open(WritePPDVariant(
        dir, SAMPLE_PPD, {{"*KRVFeaturesSettings:", "*KRVFeaturesSettings: \"Default07\""}},
        "other.ppd")));
    EXPECT_FALSE(Tagged(other.View(), kStaple));
    EXPECT_TRUE(other.Panel().shouldPrint());
    EXPECT_TRUE(other.Panel().supportedPPDOptionKeys().empty());
}

TEST_F(FeaturesPanel, GroupsArePagedAndEachOptionHasOneControl) {
    ASSERT_TRUE(f.Open(SAMPLE_PPD));
    auto* groups = qobject_cast<QComboBox*>(Tagged(f.View(), kGroupList));
    ASSERT_TRUE(groups);
    QStringList names;
    for (int i = 0; i < groups->count(); ++i)
        names << groups->itemText(i);
    EXPECT_EQ(names, (QStringList{"General 1", "Covers and Separators", "Booklet", "Finishing",
                                  "Advanced Features"}));
    for (int tag : {kBooklet,
                    kSheetSize,
                    kSlipSheet,
                    kStaple,
                    kPunch,
                    kFrontCover,
                    kInsertType,
                    kTabSwitch,
                    kTrimmerSwitch,
                    kSeparatorList,
                    kColour,
                    kNumberingSwitch,
                    kOffsetList,
                    kBookletSwitch,
                    kTabButton,
                    kTrimmerButton,
                    kSeparatorButton,
                    kBookletButton,
                    7106,
                    7107,
                    7121,
                    7123}) {
        int count = 0;
        for (QWidget* w : f.View()->findChildren<QWidget*>())
            count += w->property("tag").isValid() && w->property("tag").toInt() == tag;
        EXPECT_EQ(count, 1) << "tag " << tag;
    }
    // One page at a time.
    Choose(f.View(), kGroupList, 4);
    EXPECT_TRUE(Tagged(f.View(), kStaple)->isVisibleTo(f.View()));
    EXPECT_FALSE(Tagged(f.View(), kBooklet)->isVisibleTo(f.View()));
    // The dialog leaves the claimed options to the panel.
    auto keys = f.Panel().supportedPPDOptionKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "KRSignature"), keys.end());

    // Covers and separators without a back cover option.
    FeaturesSession noBack;
    std::vector<std::pair<std::string, std::string>> dropBack;
    for (const char* line :
         {"*OpenUI *KRIntBackCoverSheet", "*OrderDependency: 55 AnySetup *KRIntBackCoverSheet",
          "*DefaultKRIntBackCoverSheet", "*KRIntBackCoverSheet None", "*KRIntBackCoverSheet Tray1",
          "*KRIntBackCoverSheet MSI", "*CloseUI: *KRIntBackCoverSheet"})
        dropBack.emplace_back(line, "");
    ASSERT_TRUE(noBack.Open(WritePPDVariant(dir, SAMPLE_PPD, dropBack, "noback.ppd")));
    EXPECT_TRUE(Tagged(noBack.View(), kFrontCover));
    EXPECT_FALSE(Tagged(noBack.View(), 7121));
    EXPECT_TRUE(Tagged(noBack.View(), kSeparatorList));

    FeaturesSession mode02;
    ASSERT_TRUE(mode02.Open(WritePPDVariant(
        dir, SAMPLE_PPD, {{"*KRVFeaturesSettings:", "*KRVFeaturesSettings: \"Default02\""}},
        "mode02.ppd")));
    keys = mode02.Panel().supportedPPDOptionKeys();
    EXPECT_EQ(std::find(keys.begin(), keys.end(), "KRSignature"), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), "MediaType"), keys.end());
}

// Both ways to the constraint index: the cache file made by
// ppdconstraintcache, and the PPD's own constraints.
class FeaturesConflicts : public FeaturesPanel, public testing::WithParamInterface<const char*> {};

TEST_P(FeaturesConflicts, ChoicesAreGreyedAndFreedAsMarksChange) {
    ASSERT_TRUE(f.Open(GetParam()));
    ShowPageOf(kOutline);
    // Without a booklet the outline cannot be switched on.
    EXPECT_FALSE(Checked(kOutline));
    EXPECT_FALSE(Enabled(kOutline));
    Choose(f.View(), kBooklet, 2);
    EXPECT_EQ(f.Marked("KRSignature"), "Left");
    EXPECT_TRUE(Enabled(kOutline));
    ShowPageOf(kPunch);
    EXPECT_FALSE(ItemEnabled(f.View(), kPunch, 2));
    EXPECT_FALSE(ItemEnabled(f.View(), kStaple, 2));
    EXPECT_TRUE(ItemEnabled(f.View(), kStaple, 3));
    ShowPageOf(kBooklet);
    Choose(f.View(), kBooklet, 1);
    EXPECT_TRUE(ItemEnabled(f.View(), kPunch, 2));
    EXPECT_TRUE(ItemEnabled(f.View(), kStaple, 2));

    // The numbering switch lists "True" first; long-edge duplex forbids it,
    // so the switch that would turn it on is greyed at the next opening.
    ShowPageOf(kNumberingSwitch);
    EXPECT_TRUE(Enabled(kNumberingSwitch));
    ppdMarkOption(f.Session().ppdFile(), "Duplex", "DuplexNoTumble");
    f.Panel().willShow();
    EXPECT_FALSE(Enabled(kNumberingSwitch));
    EXPECT_FALSE(Enabled(kNumberingButton));
}

INSTANTIATE_TEST_SUITE_P(Index, FeaturesConflicts, testing::Values(CACHE_PPD, SAMPLE_PPD),
                         [](const auto& info) {
                             return std::string(info.index == 0 ? "FromCacheFile" : "FromPPD");
                         });

TEST_F(FeaturesPanel, MailboxJobsAndSpecialPagesHoldTheirOptions) {
    ASSERT_TRUE(f.Open(SAMPLE_PPD, [this] {
        f.SetPreference(std::string(f.printer) + kKey + "PrintTypeReference", "5");
        ppdMarkOption(f.Session().ppdFile(), "KRStaple", "Front");
        ppdMarkOption(f.Session().ppdFile(), "KRMediaColor", "Yellow");
    }));
    ShowPageOf(kStaple);
    EXPECT_FALSE(Enabled(kStaple));
    EXPECT_EQ(Current(f.View(), kStaple), 1);
    EXPECT_EQ(f.Marked("KRStaple"), "None");
    ShowPageOf(kColour);
    EXPECT_FALSE(Enabled(kColour));
    EXPECT_EQ(Current(f.View(), kColour), 2); // only greyed
    QVariantMap summary = f.Panel().summaryInfo();
    EXPECT_EQ(summary.value("Staple:").toString(), "Off");

    FeaturesSession special;
    ASSERT_TRUE(special.Open(SAMPLE_PPD, [&special] {
        special.Session().printSettings()->SetText(kKey + "SpecialPageRecordCountTicket", "2");
        ppdMarkOption(special.Session().ppdFile(), "KRSlipSheet", "Tray1");
    }));
    EXPECT_FALSE(Tagged(special.View(), kSlipSheet)->isEnabled());
    EXPECT_EQ(Current(special.View(), kSlipSheet), 1);
    EXPECT_EQ(special.Marked("KRSlipSheet"), "None");
    EXPECT_FALSE(Tagged(special.View(), kBooklet)->isEnabled());
    EXPECT_TRUE(Tagged(special.View(), kStaple)->isEnabled());
}

TEST_F(FeaturesPanel, InsertedSheetTypeOnlyForTheMultiPurposeTray) {
    ASSERT_TRUE(f.Open(SAMPLE_PPD));
    ShowPageOf(kInsertType);
    EXPECT_FALSE(Enabled(kInsertType));
    Choose(f.View(), kFrontCover, 3); // "MSI"
    EXPECT_TRUE(Enabled(kInsertType));
    Choose(f.View(), kInsertType, 2);
    Choose(f.View(), kFrontCover, 1);
    EXPECT_FALSE(Enabled(kInsertType));
    EXPECT_EQ(f.Marked("KRIntSheetMediaType"), "Plain");
}

class FeaturesWindows : public FeaturesPanel {
protected:
    void SetUp() override { ASSERT_TRUE(f.Open(SAMPLE_PPD)); }
};

TEST_F(FeaturesWindows, TabMarginPairConvertsAndRefusesOutOfRange) {
    ShowPageOf(kTabSwitch);
    EXPECT_FALSE(Enabled(kTabButton));
    Click(f.View(), kTabSwitch);
    ASSERT_TRUE(Enabled(kTabButton));
    std::vector<std::string> seen;
    f.AtNextWindow([&](QWidget* w) {
        seen.push_back(Text(w, 6307)); // inch shown first
        Click(w, 6306);
        seen.push_back(Text(w, 6309));
        // The arrow steps the field by one tenth; the inch field follows.
        if (auto* arrow = qobject_cast<QSpinBox*>(Tagged(w, 6310)))
            arrow->setValue(arrow->value() - 1);
        seen.push_back(Text(w, 6309) + " " + Text(w, 6307));
        Type(w, 6309, "15.0");
        seen.push_back(Text(w, 6307));
        Type(w, 6309, "20");
        seen.push_back(Text(w, 6307)); // held to the inch range
        Click(w, 6301);                // 20 mm is refused
        Type(w, 6309, "4294967301");
        Click(w, 6301); // refused, not wrapped
        Type(w, 6309, "15");
        Click(w, 6301);
    });
    Click(f.View(), kTabButton);
    EXPECT_EQ(seen, (std::vector<std::string>{"0.50", "12.7", "12.6 0.50", "0.59", "0.59"}));
    ASSERT_EQ(f.Services().alerts.size(), 2u);
    EXPECT_NE(Alert(0).find("0.0 to 15.0 mm"), std::string::npos) << Alert(0);
    EXPECT_EQ(f.Saved("TabMarginSwitchTicket"), "1");
    EXPECT_EQ(f.Saved("TabMarginMMShiftTicket"), "150");
    EXPECT_EQ(f.Saved("TabMarginInchesShiftTicket"), "59");
    EXPECT_EQ(f.Saved("TabMarginMMRadioTicket"), "1");
    EXPECT_EQ(f.Panel().summaryInfo().value("Tab margin shift (mm)").toString(), "15.0");

    // The next dialog for this printer starts from the window values kept
    // (the switch is a PPD choice, which travels with the job instead).
    ASSERT_TRUE(f.Reopen(SAMPLE_PPD));
    ShowPageOf(kTabSwitch);
    Click(f.View(), kTabSwitch);
    std::string kept;
    f.AtNextWindow([&kept](QWidget* w) {
        kept = Text(w, 6309) + " " + Text(w, 6307);
        Click(w, 6302);
    });
    Click(f.View(), kTabButton);
    EXPECT_EQ(kept, "15.0 0.59");
}

TEST_F(FeaturesWindows, SeparatorPagesOpenOnChoiceSortAndCancelSwitchesOff) {
    ShowPageOf(kSeparatorList);
    f.AtNextWindow([](QWidget* w) {
        Type(w, 6405, "1,4");
        Click(w, 6401);
        Type(w, 6405, "2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22");
        Click(w, 6401);
        Type(w, 6405, "10, 3,5");
        Click(w, 6401);
    });
    Choose(f.View(), kSeparatorList, 2);
    ASSERT_EQ(f.Services().alerts.size(), 2u);
    EXPECT_NE(Alert(0).find("2 to 9999"), std::string::npos);
    EXPECT_NE(Alert(1).find("at most 20"), std::string::npos);
    EXPECT_EQ(f.Saved("SeparatorPageTicket"), "3 5 10");
    EXPECT_EQ(f.Saved("SeparatorPageListTicket"), "2");
    EXPECT_EQ(f.Marked("KRIntSheet"), "Tray1");

    // Shown again with commas; a list left broken turns the separators off.
    std::string shown;
    f.AtNextWindow([&shown](QWidget* w) {
        shown = Text(w, 6405);
        Type(w, 6405, "3,,4");
        Click(w, 6402);
    });
    Click(f.View(), kSeparatorButton);
    EXPECT_EQ(shown, "3,5,10");
    EXPECT_EQ(Current(f.View(), kSeparatorList), 1);
    EXPECT_EQ(f.Marked("KRIntSheet"), "None");
    EXPECT_EQ(f.Saved("SeparatorPageListTicket"), "1");
    EXPECT_EQ(f.Saved("SeparatorPageTicket"), "3 5 10");
}

TEST_F(FeaturesWindows, CountsBookletMarginAndOffsetWindows) {
    ShowPageOf(kNumberingSwitch);
    Click(f.View(), kNumberingSwitch);
    std::string stepped;
    f.AtNextWindow([&stepped](QWidget* w) {
        for (const char* bad : {"0", "255", ""}) {
            Type(w, 6705, bad);
            Click(w, 6701);
        }
        // The arrow stops at the top of the range.
        Type(w, 6705, "253");
        if (auto* arrow = qobject_cast<QSpinBox*>(Tagged(w, 6706)))
            arrow->setValue(arrow->value() + 2);
        stepped = Text(w, 6705);
        Click(w, 6701);
    });
    Click(f.View(), kNumberingButton);
    EXPECT_EQ(f.Services().alerts.size(), 3u);
    EXPECT_EQ(stepped, "254");
    EXPECT_EQ(f.Saved("NumInSequenceLArrowTicket"), "254");

    // Offset stacking: the fourth entry opens the per-page window, the
    // first opens nothing.
    const size_t runs = f.Services().modalRuns.size();
    f.AtNextWindow([](QWidget* w) {
        Type(w, 6505, "3");
        Click(w, 6501);
    });
    Choose(f.View(), kOffsetList, 4);
    EXPECT_EQ(f.Services().modalRuns.size(), runs + 1);
    Choose(f.View(), kOffsetList, 1);
    EXPECT_EQ(f.Services().modalRuns.size(), runs + 1);
    EXPECT_EQ(f.Saved("OffsetStackingPagesLArrowTicket"), "3");
    EXPECT_EQ(f.Saved("OffsetStackingListTicket"), "1");

    ShowPageOf(kBookletSwitch);
    Click(f.View(), kBookletSwitch);
    f.AtNextWindow([](QWidget* w) {
        Click(w, 6206);
        Type(w, 6209, "5");
        Click(w, 6211); // auto fit off
        Click(w, 6201);
    });
    Click(f.View(), kBookletButton);
    EXPECT_EQ(f.Saved("BookletMarginSwitchTicket"), "1");
    EXPECT_EQ(f.Saved("BookletMarginMMShiftTicket"), "10");
    EXPECT_EQ(f.Saved("BookletMarginInchesShiftTicket"), "2");
    EXPECT_EQ(f.Saved("AutoFitSwitchTicket"), "0");
}

TEST_F(FeaturesWindows, TrimmerRangeFollowsPaperAndBooklet) {
    ShowPageOf(kTrimmerSwitch);
    Click(f.View(), kTrimmerSwitch);
    std::string shownA4;
    f.AtNextWindow([&shownA4](QWidget* w) {
        Click(w, 6106);
        shownA4 = Text(w, 6109);
        Type(w, 6109, "150");
        Click(w, 6101);
        Click(w, 6102); // cancelled with a size that does not fit
    });
    Click(f.View(), kTrimmerButton);
    EXPECT_EQ(shownA4, "140.5");
    EXPECT_NE(Alert(0).find("128.5 to 146.5"), std::string::npos) << Alert(0);
    EXPECT_FALSE(Checked(kTrimmerSwitch));
    EXPECT_EQ(f.Marked("KRTrimming"), "False");

    // An A4 booklet is trimmed on its A3 sheet.
    ShowPageOf(kBooklet);
    Choose(f.View(), kBooklet, 2);
    Choose(f.View(), kSheetSize, 2);
    ShowPageOf(kTrimmerSwitch);
    Click(f.View(), kTrimmerSwitch);
    std::string shownBooklet;
    f.AtNextWindow([&shownBooklet](QWidget* w) {
        Click(w, 6106);
        shownBooklet = Text(w, 6109);
        Type(w, 6109, "200.0");
        Click(w, 6101);
    });
    Click(f.View(), kTrimmerButton);
    EXPECT_EQ(shownBooklet, "202.1");
    EXPECT_EQ(f.Saved("TrimmerMMCuttingSizeTicket"), "2000");
    EXPECT_EQ(f.Saved("TrimmerMMShiftTicket"), "101");
}

} // namespace

namespace {

// A custom size has no size of its own in the PPD: the page format's paper
// is what the trimmer measures, and the cutting size is never 0 or less.
TEST_F(FeaturesWindows, TrimmerOfACustomSizeMeasuresThePageFormat) {
    ppdMarkOption(f.Session().ppdFile(), "PageSize", "Custom.500x700");
    ASSERT_EQ(f.Marked("PageSize"), "Custom");
    PMRect paper;
    paper.bottom = 700;
    paper.right = 500;
    f.Session().pageFormat()->SetUnadjustedPaperRect(paper);
    ShowPageOf(kTrimmerSwitch);
    Click(f.View(), kTrimmerSwitch);
    std::string shown;
    f.AtNextWindow([&shown](QWidget* w) {
        Click(w, 6106);
        shown = Text(w, 6109);
        Click(w, 6101);
    });
    Click(f.View(), kTrimmerButton);
    // 700 points: half length 123.5 mm, less the default 8.0 mm trim.
    EXPECT_EQ(shown, "115.5");
    EXPECT_EQ(f.Saved("TrimmerMMCuttingSizeTicket"), "1155");
}

} // namespace
