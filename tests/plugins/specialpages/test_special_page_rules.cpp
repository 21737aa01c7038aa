// Rules of the special-page records that need no widgets: stored forms, the
// list order and its row commands, page lists, the exceptions' page table,
// the paper choices and the custom size.
#include "CustomSizeRules.h"
#include "ExceptionPageTable.h"
#include "PageListSyntax.h"
#include "PaperSelection.h"
#include "SpecialPageList.h"
#include "SpecialPagesTicket.h"

#include "PrintSettings.h"

#include <cups/ppd.h>
#include <gtest/gtest.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace MNTest;

namespace {

SpecialPageRecord Stored(const std::string& text) {
    auto r = ParseStoredRecord(text);
    EXPECT_TRUE(r.has_value()) << text;
    return r.value_or(SpecialPageRecord{});
}

SpecialPageRecord Cover(const char* page) {
    return Stored(std::string("0,") + page + ",1,0,0,0,false,1,210.0,297.0,0");
}
SpecialPageRecord Insert(int page, int quantity = 1) {
    return Stored("1," + std::to_string(page) + (page == 0 ? ",1," : ",0,") +
                  std::to_string(quantity) + ",0,0,0,false,210.0,297.0,0");
}
SpecialPageRecord Exception(const std::string& pages) {
    return Stored("2," + pages + ",0,0,0,false,1,210.0,297.0,0");
}

// "F", "B", "I3", "E5-6": the list as a short text, for order checks.
std::string Shape(const SpecialPageList& list) {
    std::string out;
    for (const SpecialPageRecord& r : list.Records()) {
        if (!out.empty())
            out += ' ';
        if (r.IsFrontCover())
            out += "F";
        else if (r.IsBackCover())
            out += "B";
        else
            out += (r.Type() == kSPInsert ? "I" : "E") + r.Get("page");
    }
    return out;
}

struct PPDFile {
    explicit PPDFile(const char* name)
        : ppd(ppdOpenFile((std::string(SPECIALPAGES_TEST_DATA) + "/" + name).c_str())) {
        if (ppd)
            ppdMarkDefaults(ppd);
    }
    ~PPDFile() { ppdClose(ppd); }
    ppd_file_t* ppd;
};

} // namespace

TEST(SpecialPageStoredForm, RoundTripsEachTypeInItsFieldOrder) {
    // The worked example: front cover, side one, size/colour/type 3/0/2, tray, inch unit.
    const std::string cover = "0,0,1,3,0,2,false,1,210.0,297.0,0";
    const std::string insert = "1,5,0,2,-1,-1,3,true,100.5,148,1";
    const std::string exception = "2,3-9,1,2,0,false,3,210.0,297.0,0";
    for (const std::string& text : {cover, insert, exception})
        EXPECT_EQ(FormatStoredRecord(Stored(text)), text);
    SpecialPageRecord r = Stored(cover);
    EXPECT_EQ(r.Get("printingoptions"), "1");
    EXPECT_EQ(r.Get("coversoption"), "1");
    EXPECT_EQ(r.Get("selected"), "false");
    EXPECT_EQ(Stored(exception).LastPage(), 9);
}

TEST(SpecialPageStoredForm, RefusesMalformedRecords) {
    for (const char* bad : {
             "", "7,0,1,3,0,2,false,1,210.0,297.0,0",     // unknown type
             "0,0,1,3,0,2,false,1,210.0,297.0",           // a field short
             "0,0,1,3,0,2,false,1,210.0,297.0,0,9",       // a field too many
             "0,2,1,3,0,2,false,1,210.0,297.0,0",         // cover page 2
             "0,0,4,3,0,2,false,1,210.0,297.0,0",         // printing option beyond the table
             "0,0,1,3,0,2,maybe,1,210.0,297.0,0",         // interposer
             "0,0,1,-2,0,2,false,1,210.0,297.0,0",        // index below no change
             "0,0,1,3,0,2,false,1,99999999999.0,297.0,0", // width that would overflow
             "0,0,1,3,0,2,false,1,210.05,297.0,0",        // two decimals
             "1,65001,0,1,0,0,0,false,210.0,297.0,0",     // insert page
             "1,5,0,0,0,0,0,false,210.0,297.0,0",         // quantity 0
             "2,9-7,0,0,0,false,1,210.0,297.0,0",         // reversed range
             "2,0,0,0,0,false,1,210.0,297.0,0",           // exception page 0
             "2,3,0,0,0,false,4,210.0,297.0,0",           // sides beyond the table
         })
        EXPECT_FALSE(ParseStoredRecord(bad).has_value()) << bad;
}

TEST(SpecialPageStoredForm, RestoreSkipsBadKeysAndStoreDropsStaleOnes) {
    PrintSettings settings;
    SpecialPageRecords records = {Cover("0"), Insert(3), Exception("5-6")};
    ASSERT_TRUE(StoreSpecialPageList(&settings, records, false));
    std::string text;
    ASSERT_EQ(settings.GetText(kKPIFCommandTicketCount, text), 0);
    EXPECT_EQ(text, "3");
    ASSERT_EQ(settings.GetText("com.kestrane.mtz.printsettings.KPIFCommandTicket_0", text), 0);
    EXPECT_EQ(text, "0,0,1,0,0,0,false,1,210.0,297.0,0");

    // A broken middle record is skipped, the rest come back unchanged.
    settings.SetText("com.kestrane.mtz.printsettings.KPIFCommandTicket_1", "1,x,0");
    SpecialPageRecords back;
    ASSERT_TRUE(RestoreSpecialPageList(&settings, back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], records[0]);
    EXPECT_EQ(back[1], records[2]);

    // A count no list can reach is not believed; the list stays as it was.
    settings.SetText(kKPIFCommandTicketCount, "2147483647");
    EXPECT_FALSE(RestoreSpecialPageList(&settings, back));
    EXPECT_EQ(back.size(), 2u);

    // A shorter list removes the keys the longer one left.
    settings.SetText(kKPIFCommandTicketCount, "3");
    ASSERT_TRUE(StoreSpecialPageList(&settings, {Insert(1)}, false));
    EXPECT_FALSE(settings.Contains("com.kestrane.mtz.printsettings.KPIFCommandTicket_1"));
    EXPECT_FALSE(settings.Contains("com.kestrane.mtz.printsettings.KPIFCommandTicket_2"));
}

TEST(SpecialPageListOrder, MergesKeepCoversOutsideAndPagesAscending) {
    SpecialPageList list;
    list.updateRequest(kSPInsert, {Insert(7), Insert(3), Insert(0)});
    list.updateRequest(kSPException, {Exception("3-4"), Exception("7"), Exception("9")});
    list.updateRequest(kSPCover, {Cover("1"), Cover("0")});
    // An exception starting at page M goes before an insert after page N when M <= N.
    EXPECT_EQ(Shape(list), "F I0 E3-4 I3 E7 I7 E9 B");

    // Replacing the inserts keeps two after the same page, in the given order.
    SpecialPageRecord second = Insert(3, 2);
    list.updateRequest(kSPInsert, {Insert(3), second, Insert(10)});
    EXPECT_EQ(Shape(list), "F E3-4 I3 I3 E7 E9 I10 B");
    EXPECT_EQ(list.Records()[3].Get("insertquantity"), "2");

    list.updateRequest(kSPInsert, {Insert(0), Insert(2)});
    list.doDelectBeforePageOne();
    EXPECT_EQ(Shape(list), "F I2 E3-4 E7 E9 B");
    list.updateRequest(kSPCover, {});
    EXPECT_EQ(Shape(list), "I2 E3-4 E7 E9");
    EXPECT_EQ(list.getArrayByType(kSPException).size(), 3u);
}

TEST(SpecialPageListRows, SelectionEditAndMoveRules) {
    SpecialPageList list;
    list.updateRequest(kSPCover, {Cover("0"), Cover("1")});
    list.updateRequest(kSPInsert, {Insert(5), Insert(5, 2), Insert(6)});
    list.updateRequest(kSPException, {Exception("5")});
    ASSERT_EQ(Shape(list), "F E5 I5 I5 I6 B");

    // Front and back covers go together, from either end.
    EXPECT_EQ(list.ExtendSelection({0}), (RowSet{0, 5}));
    EXPECT_EQ(list.ExtendSelection({5}), (RowSet{0, 5}));
    EXPECT_EQ(list.ExtendSelection({2, 3}), (RowSet{2, 3}));

    EXPECT_TRUE(list.CanEdit({2, 4}));
    EXPECT_FALSE(list.CanEdit({1, 2})); // an exception and an insert
    EXPECT_FALSE(list.CanEdit({}));

    EXPECT_TRUE(list.CanMoveUp({3}));
    EXPECT_FALSE(list.CanMoveUp({2})); // the row above is an exception
    EXPECT_FALSE(list.CanMoveUp({4})); // an insert after another page
    EXPECT_FALSE(list.CanMoveUp({0})); // a cover in row 0
    EXPECT_TRUE(list.CanMoveDown({2}));
    EXPECT_FALSE(list.CanMoveDown({3})); // cannot pass the insert after page 6

    EXPECT_EQ(list.MoveUp({3}), (RowSet{2}));
    EXPECT_EQ(list.Records()[2].Get("insertquantity"), "2");
    EXPECT_EQ(list.MoveDown({2}), (RowSet{3}));
    EXPECT_EQ(list.Records()[2].Get("insertquantity"), "1");
}

TEST(SpecialPageListRows, MoveDownMovesARunOfRowsAsABlock) {
    SpecialPageList list;
    list.updateRequest(kSPInsert, {Insert(5, 1), Insert(5, 2), Insert(5, 3)});
    EXPECT_EQ(list.MoveDown({0, 1}), (RowSet{1, 2}));
    std::string quantities;
    for (const auto& r : list.Records())
        quantities += r.Get("insertquantity");
    EXPECT_EQ(quantities, "312");
}

TEST(SpecialPageListRows, DeleteMarksTheFollowerAndUndoIsOneLevel) {
    SpecialPageList list;
    list.updateRequest(kSPInsert, {Insert(1), Insert(2), Insert(3), Insert(4)});
    SpecialPageUndo undo;
    EXPECT_FALSE(undo.IsEnabled());
    undo.Take(list, {1, 3});
    list.DeleteRows({1, 3});
    EXPECT_EQ(Shape(list), "I1 I3");
    EXPECT_EQ(list.MarkedRows(), (RowSet{1})); // the follower of the removed row 1

    undo.Take(list, {0, 1});
    list.deleteAllItem();
    RowSet rows;
    ASSERT_TRUE(undo.Restore(list, rows));
    EXPECT_EQ(Shape(list), "I1 I3");
    EXPECT_EQ(rows, (RowSet{0, 1}));
    EXPECT_FALSE(undo.IsEnabled());
    EXPECT_FALSE(undo.Restore(list, rows));
}

TEST(SpecialPageLists, InsertPageTexts) {
    auto pages = [](const std::string& text, bool front = false) {
        return ParseInsertPageList(text, front).pages;
    };
    EXPECT_EQ(pages("3 5, 7-9"), (std::vector<int>{3, 5, 7, 8, 9}));
    EXPECT_EQ(pages(",,4,,"), (std::vector<int>{4}));
    EXPECT_EQ(pages("7 - 8"), (std::vector<int>{7, 8}));
    EXPECT_EQ(pages("0-3", true), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(pages("0, 2", true), (std::vector<int>{2}));
    EXPECT_TRUE(pages("").empty());
    EXPECT_EQ(ParseInsertPageList("9-7", false).error, kPageListReversed);
    for (const char* bad : {"1-2-3", "-", "a", "3;4", "65001", "99999999999", "5.5"})
        EXPECT_EQ(ParseInsertPageList(bad, false).error, kPageListSyntax) << bad;
    EXPECT_EQ(ParseInsertPageList("1-251", false).error, kPageListTooMany);
    EXPECT_STREQ(InsertPageListMessage(kPageListReversed), "Warning49");
    EXPECT_STREQ(InsertPageListMessage(kPageListSyntax), "Warning44");
    EXPECT_STREQ(InsertPageListMessage(kPageListTooMany), "Warning47");
}

TEST(SpecialPageLists, ExceptionPageTexts) {
    PageListResult open = ParseExceptionPageList("5-");
    ASSERT_EQ(open.error, kPageListOK);
    EXPECT_EQ(open.pages.front(), 5);
    EXPECT_EQ(open.pages.back(), kSPMaxPage);
    EXPECT_EQ(ParseExceptionPageList("-3, 2").pages, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(ParseExceptionPageList("9-7").error, kPageListReversed);
    EXPECT_EQ(ParseExceptionPageList("0").error, kPageListSyntax);
    EXPECT_EQ(ParseExceptionPageList("").error, kPageListSyntax);
    EXPECT_STREQ(ExceptionPageListMessage(kPageListReversed), "Warning50");
    EXPECT_STREQ(ExceptionPageListMessage(kPageListTooMany), "Warning48");
}

TEST(ExceptionPageTables, RegroupMergeAndEdit) {
    ExceptionPageTable table;
    ExceptionPageSetting blue;
    blue.pageColor = 2;
    table.Apply({3, 4, 6}, blue, {});
    SpecialPageRecords records = table.Regroup({});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Get("page"), "3-4");
    EXPECT_EQ(records[1].Get("page"), "6");

    // Page 4 typed again with a new size only: it keeps its colour and splits the run.
    ExceptionPageSetting a3;
    a3.pageSize = 1;
    a3.width = "300.0";
    a3.twoSide = 0;
    table.Apply({4}, a3, {});
    records = table.Regroup({6});
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].Get("page"), "4");
    EXPECT_EQ(records[1].Get("pagecolor"), "2");
    EXPECT_EQ(records[1].Get("pagesize"), "1");
    EXPECT_EQ(records[1].Get("width"), "300.0");
    EXPECT_EQ(records[1].Get("twoSidePrint"), "1");
    EXPECT_EQ(records[2].Get("selected"), "true");

    // Editing the record 3-5 to page 4 removes pages 3 and 5.
    table.Rebuild({Exception("3-5")});
    table.Apply({4}, ExceptionPageSetting{}, {3, 4, 5});
    records = table.Regroup({});
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Get("page"), "4");

    table.Rebuild({});
    table.Apply(ParseExceptionPageList("5-").pages, blue, {});
    records = table.Regroup({});
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Get("page"), "5-65000");
    EXPECT_TRUE(ParseStoredRecord(FormatStoredRecord(records[0])).has_value());
}

TEST(CustomSize, UnitsFollowEachOtherWithinTheirRanges) {
    const CustomSizeLimits limits = GetCustomSizeLimits(nullptr);
    const CustomSizeField& wIn = limits[kCustomWidthInch];
    const CustomSizeField& wMM = limits[kCustomWidthMM];
    EXPECT_EQ(MillimetreToInchValue(1000, wMM, wIn), 394);
    EXPECT_EQ(InchToMillimetreValue(394, wIn, wMM), 1000);
    EXPECT_EQ(MillimetreToInchValue(3300, wMM, wIn), 1299);
    EXPECT_EQ(MillimetreToInchValue(2100, wMM, wIn), 827);
    EXPECT_EQ(InchToMillimetreValue(827, wIn, wMM), 2101);
    EXPECT_EQ(FormatCustomSizeValue(827, 2), "8.27");
    EXPECT_EQ(FormatCustomSizeValue(1000, 1), "100.0");
    EXPECT_EQ(FormatCustomSizeValue(5, 2), "0.05");

    EXPECT_FALSE(IsCustomSizeTextValid("8.3", wIn));
    EXPECT_TRUE(IsCustomSizeTextValid("8.30", wIn));
    EXPECT_FALSE(IsCustomSizeTextValid("210.05", wMM));
    EXPECT_TRUE(IsCustomSizeTextValid("210.0", wMM));
    EXPECT_TRUE(IsCustomSizeTextValid("210", wMM));
    for (const char* bad : {".5", "5.", "1.2.3", "", "99.0", "330.1", "2l0.0", "9999999999"})
        EXPECT_FALSE(IsCustomSizeTextValid(bad, wMM)) << bad;
}

TEST(CustomSize, PPDRangeReplacesTheFixedOne) {
    PPDFile file("SpecialPages.ppd");
    ASSERT_NE(file.ppd, nullptr);
    const CustomSizeLimits limits = GetCustomSizeLimits(file.ppd);
    // Width 283..935 points, height 420..1383 points.
    EXPECT_EQ(limits[kCustomWidthInch].minimum, 393);
    EXPECT_EQ(limits[kCustomWidthInch].maximum, 1299);
    EXPECT_EQ(limits[kCustomWidthMM].minimum, 1000);
    EXPECT_EQ(limits[kCustomLengthMM].maximum, 4880);
    EXPECT_EQ(limits[kCustomLengthInch].minimum, 583);
}

TEST(PaperSelections, ChoicesFollowThePPD) {
    PPDFile file("SpecialPages.ppd");
    ASSERT_NE(file.ppd, nullptr);
    const PaperChoices choices = ReadPaperChoices(file.ppd);
    EXPECT_EQ(choices.defaultSize, 0);
    EXPECT_EQ(choices.defaultType, 0);     // "Stationary", the first type
    EXPECT_EQ(choices.customSizeIndex, 4); // libcups adds "Custom" after the sizes
    EXPECT_EQ(choices.tabStockIndexes, (std::vector<int>{2}));
    EXPECT_TRUE(choices.interposerOffered);

    PaperSelection s = PaperSelection::Defaults(choices);
    // The first type item is hidden by rule, but not when it is the value shown.
    PaperMenuVisibility v = GetPaperMenuVisibility(s, choices, false);
    EXPECT_TRUE(v.firstType);
    EXPECT_FALSE(v.noChange);

    EXPECT_EQ(ChoosePaperItem(s, choices, 4000 + 1 + choices.transparencyIndex),
              PaperChoiceEffect::None);
    EXPECT_EQ(s.selectedColorIndex, choices.clearColorIndex);
    EXPECT_FALSE(GetPaperMenuVisibility(s, choices, false).firstType);

    ChoosePaperItem(s, choices, 2000);
    EXPECT_EQ(s.selectedSizeIndex, -1);
    EXPECT_EQ(s.selectedColorIndex, choices.clearColorIndex);
    EXPECT_TRUE(GetPaperMenuVisibility(s, choices, false).groupNoChange[0]);
    ChoosePaperItem(s, choices, kPaperItemInterposer);
    EXPECT_TRUE(s.interposerValue);
    EXPECT_EQ(s.selectedSizeIndex, 0);
    ChoosePaperItem(s, choices, 3002);
    EXPECT_FALSE(s.interposerValue);
    EXPECT_EQ(s.selectedColorIndex, 1);
    ChoosePaperItem(s, choices, 2099); // no such size: nothing changes
    EXPECT_EQ(s.selectedSizeIndex, 0);

    // Transparencies go one-sided only; the long-edge setting is tested as "DuplexTumble".
    EXPECT_EQ(DuplexChoicesForSides(kSPException, 2),
              (std::vector<PPDChoicePair>{{"Duplex", "DuplexTumble"}}));
    EXPECT_EQ(DuplexChoicesForSides(kSPCover, 3).size(), 2u);
    const PPDChoicePair transparency{"MediaType", "Transparency"};
    EXPECT_TRUE(IsPaperChoiceConflicted(
        file.ppd, transparency,
        PaperConstraintContext(file.ppd, choices, s, DuplexChoicesForSides(kSPException, 3))));
    EXPECT_FALSE(
        IsPaperChoiceConflicted(file.ppd, transparency, DuplexChoicesForSides(kSPException, 1)));
    EXPECT_FALSE(IsPaperChoiceConflicted(file.ppd, {"MediaType", "ThickPaper"},
                                         DuplexChoicesForSides(kSPCover, 3)));

    // Without an inserter in the finisher, no interposer.
    ppdMarkOption(file.ppd, "KROutputOptions", "FinisherTypeD2and3Holes");
    EXPECT_TRUE(ReadPaperChoices(file.ppd).interposerOffered);
    ppdMarkOption(file.ppd, "KROutputOptions", "None");
    EXPECT_FALSE(ReadPaperChoices(file.ppd).interposerOffered);
    EXPECT_FALSE(ReadPaperChoices(nullptr).interposerOffered);
}

TEST(PaperSelections, CommonPaperOfSeveralRecords) {
    PaperChoices choices;
    SpecialPageRecord a = Insert(1), b = Insert(2);
    b.Set("pagecolor", "2");
    PaperSelection s = CommonPaper({a, b}, choices);
    EXPECT_EQ(s.selectedSizeIndex, 0);
    EXPECT_EQ(s.selectedColorIndex, -1);
    b.Set("interposer", "true");
    s = CommonPaper({a, b}, choices);
    EXPECT_EQ(s.selectedSizeIndex, -1);
    EXPECT_FALSE(s.interposerValue);
    EXPECT_TRUE(GetPaperMenuVisibility(s, choices, true).noChange);
}
