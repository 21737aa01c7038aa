// The watermark panel's rules without widgets: the stored arrays, the record
// list, the position fields, the ticket values and the preview placement.
#include "PDESettingsAccess.h"
#include "WatermarkFontTable.h"
#include "WatermarkKeys.h"
#include "WatermarkPosition.h"
#include "WatermarkPreviewGeometry.h"
#include "WatermarkRecord.h"
#include "WatermarkTicketValues.h"

// The libcups PPD API is deprecated upstream but is the PPD reader we use.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

#include <gtest/gtest.h>

#include <map>

using namespace MNTest;

namespace {

WatermarkRecord TextRecord(const std::string& name, const std::string& text = "DRAFT") {
    WatermarkRecord r;
    r.name = name;
    r.text = text;
    r.fontName = "Helvetica";
    return r;
}

std::map<std::string, std::string> AsMap(const WatermarkTicketValues& values) {
    std::map<std::string, std::string> m;
    for (const auto& [key, value] : values)
        m[std::string(key).substr(std::string("com.kestrane.mtz.printsettings.").size())] = value;
    return m;
}

const WatermarkPaperRect kLetter{0, 0, 792, 612};

} // namespace

TEST(WatermarkArrays, RecordsSurviveTheArraysAndDamagedArraysStayAligned) {
    WatermarkRecord text = TextRecord("Draft", "a,b \\ c");
    text.red = 0.25;
    text.unit = kWMUnitMM;
    text.hMMOffset = -12;
    const WatermarkRecord picture = MakePictureRecord("Logo", "logo", "/home/u/logo.png", 250);
    WatermarkArrays arrays = ArraysFromRecords({text, picture});
    EXPECT_EQ(arrays[kWMFieldRed][0], "0.250000");
    EXPECT_EQ(arrays[kWMFieldBlue][1], "1.000000");
    EXPECT_EQ(arrays[kWMFieldScale][0], "100");
    std::vector<std::string> decoded;
    for (const auto& array : arrays) {
        ASSERT_TRUE(DecodeWatermarkArray(EncodeWatermarkArray(array), decoded));
        EXPECT_EQ(decoded, array);
    }
    EXPECT_EQ(RecordsFromArrays(arrays), (std::vector<WatermarkRecord>{text, picture}));

    // One array a record short (an old dialog died between two writes): the
    // list ends at the shortest array, every record keeps its own fields.
    WatermarkArrays shorter = arrays;
    shorter[kWMFieldDensity].pop_back();
    EXPECT_EQ(RecordsFromArrays(shorter), std::vector<WatermarkRecord>{text});

    // Values out of range are clamped, numbers that are not numbers take
    // the default, a picture keeps its fixed text fields, repeated names
    // and names the filter cannot carry are dropped.
    WatermarkArrays damaged = ArraysFromRecords({text, picture, TextRecord("Draft")});
    damaged[kWMFieldSize][0] = "9000";
    damaged[kWMFieldAngle][0] = "-5";
    damaged[kWMFieldRed][0] = "nan";
    damaged[kWMFieldDensity][0] = "lots";
    damaged[kWMFieldRed][1] = "0.5";
    damaged[kWMFieldType][1] = "7";
    damaged[kWMFieldName][1] = "\xe4\xb8\xad";
    const auto records = RecordsFromArrays(damaged);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].size, 600);
    EXPECT_EQ(records[0].angle, 0);
    EXPECT_EQ(records[0].red, 0);
    EXPECT_EQ(records[0].density, 25);
    damaged[kWMFieldName][1] = "Logo";
    EXPECT_EQ(RecordsFromArrays(damaged)[1], picture);

    // Texts that are not arrays read as no array at all.
    for (const char* bad : {"", "[", "[\"a\"", "[\"a\",]", "[\"a\"] x", "{\"a\"}", "[1]"})
        EXPECT_FALSE(DecodeWatermarkArray(bad, decoded)) << bad;
    EXPECT_TRUE(DecodeWatermarkArray(" [ ] ", decoded));
    EXPECT_TRUE(decoded.empty());

    std::vector<WatermarkRecord> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(TextRecord("W" + std::to_string(i)));
    EXPECT_EQ(RecordsFromArrays(ArraysFromRecords(many)).size(), 32u);
}

TEST(WatermarkRecordList, SavesByIdentityAndNeverReplacesWithoutConsent) {
    WatermarkRecordList list({TextRecord("A"), TextRecord("B"), TextRecord("C")});
    int selected = -1;
    // A new record with a taken name waits for the person; a refusal
    // changes nothing.
    EXPECT_EQ(list.Save(TextRecord("B", "new"), -1, false, &selected),
              WatermarkRecordList::SaveResult::NeedsConfirmation);
    EXPECT_EQ(list.Records()[1].text, "DRAFT");
    // Editing a record under its own name asks nothing.
    EXPECT_EQ(list.Save(TextRecord("B", "edited"), 1, false, &selected),
              WatermarkRecordList::SaveResult::Saved);
    EXPECT_EQ(selected, 1);
    // Renaming A to C, confirmed: C takes the values, A goes, and C is found
    // where it now stands although A stood before it.
    EXPECT_EQ(list.Save(TextRecord("C", "from A"), 0, true, &selected),
              WatermarkRecordList::SaveResult::Saved);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Records()[0].name, "B");
    EXPECT_EQ(list.Records()[1].text, "from A");
    EXPECT_EQ(selected, 1);
    // The edited record standing after the replaced one.
    EXPECT_EQ(list.Save(TextRecord("B", "from C"), 1, true, &selected),
              WatermarkRecordList::SaveResult::Saved);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Records()[0].text, "from C");
    EXPECT_EQ(selected, 0);

    while (!list.IsFull())
        list.Save(TextRecord("N" + std::to_string(list.Count())), -1, false, &selected);
    EXPECT_EQ(list.Save(TextRecord("one more"), -1, false, &selected),
              WatermarkRecordList::SaveResult::Full);
    EXPECT_TRUE(list.Remove(3));
    EXPECT_FALSE(list.Remove(31));
    EXPECT_EQ(list.Save(TextRecord("one more"), -1, false, &selected),
              WatermarkRecordList::SaveResult::Saved);
    EXPECT_EQ(selected, 31);
}

TEST(WatermarkText, NamesAndTextsFitTheFilterWholeCharacters) {
    EXPECT_TRUE(IsWatermarkLatin1Text("Caf\xc3\xa9 ~ \xc3\xbe"));
    EXPECT_FALSE(IsWatermarkLatin1Text("\xc3\xbf"));     // 255
    EXPECT_FALSE(IsWatermarkLatin1Text("\xe2\x82\xac")); // the euro sign
    EXPECT_FALSE(IsWatermarkLatin1Text("tab\there"));
    EXPECT_FALSE(IsWatermarkLatin1Text("\xc3"));
    // The comma escapes the whole text: 3 bytes, then 8 for each accented
    // letter ("/195/169"), so 31 of them fit 255 bytes.
    std::string accents;
    for (int i = 0; i < 60; ++i)
        accents += "\xc3\xa9";
    const std::string fitted = FitEscapedTicketText("," + accents, 255);
    EXPECT_EQ(WatermarkCharacterCount(fitted), 32);
    EXPECT_LE(EncodeEscapedTicketString(fitted).size(), 255u);
    EXPECT_EQ(FitEscapedTicketText("plain words", 255), "plain words");
}

TEST(WatermarkPosition, RangesConversionsAndTypedValues) {
    const WatermarkPositionRanges portrait = PositionRanges(kLetter, 1);
    EXPECT_EQ(portrait.hInch, 43);
    EXPECT_EQ(portrait.vInch, 55);
    EXPECT_EQ(portrait.hMM, 107); // 8.5 x 25.4 x 0.5 + 0.05 lies just below 108
    EXPECT_EQ(portrait.vMM, 139);
    const WatermarkPositionRanges landscape = PositionRanges(kLetter, 2);
    EXPECT_EQ(landscape.hInch, 55);
    EXPECT_EQ(landscape.vMM, 107);

    EXPECT_EQ(TenthsFromMillimetres(25, 43), 10);
    EXPECT_EQ(TenthsFromMillimetres(-25, 43), -10);
    EXPECT_EQ(TenthsFromMillimetres(500, 43), 43);
    EXPECT_EQ(MillimetresFromTenths(3, 107), 8);
    EXPECT_EQ(MillimetresFromTenths(-43, 107), -107); // 109 mm clamped
    EXPECT_EQ(InchFieldText(-43), "-4.3");
    EXPECT_EQ(InchFieldText(5), "0.5");

    EXPECT_EQ(ParsePositionText("-4.3", true, 43), -43);
    EXPECT_EQ(ParsePositionText("2", true, 43), 20);
    EXPECT_EQ(ParsePositionText("-107", false, 107), -107);
    for (const char* refused : {"4-3", "--1", "-0", "-0.0", "4.35", "4.4", ".5", "", "-", "1e2"})
        EXPECT_FALSE(ParsePositionText(refused, true, 43)) << refused;
    EXPECT_FALSE(ParsePositionText("1.5", false, 107));
    EXPECT_EQ(PositionRangeMessage("Enter -[n] to [n] tenths.", "4.3"),
              "Enter -4.3 to 4.3 tenths.");
}

TEST(WatermarkTicket, TextRecordWritesOffsetsBoxAndFontTheFilterCentres) {
    WatermarkTicketInput in;
    in.record = TextRecord("Draft", "C:\\a");
    in.record.hOffset = 20;
    in.paper = kLetter;
    in.textWidth = 201.34;
    in.textHeight = 81.965;
    auto v = AsMap(MakeWatermarkTicketValues(in));
    EXPECT_EQ(v["WMARKTextTicket"], "/67/58/92/97");
    EXPECT_EQ(v["WMARKhOffsetTicket"], "144.00");
    EXPECT_EQ(v["WMARKvOffsetTicket"], "0.00");
    EXPECT_EQ(v["WMARKWidthTicket"], "200.00"); // / 1.0067
    EXPECT_EQ(v["WMARKHeightTicket"], "50.00"); // / 1.6393
    EXPECT_EQ(v["WMARKFontTicket"], "Helvetica");
    EXPECT_EQ(v["WMARKFontTypeTicket"], "0");
    EXPECT_EQ(v["WMARKPaperWidthTicket"], "612");
    EXPECT_EQ(v["WMARKPaperHeightTicket"], "792");
    EXPECT_EQ(v["WMARKFontSizeTicket"], "72");
    EXPECT_EQ(v["WMARKAngleTicket"], "45");
    EXPECT_EQ(v["WMARKDensityTicket"], "25");
    EXPECT_EQ(v.count("WMARKFilePathTicket"), 0u); // a text makes no file

    in.record.hOffset = 600;
    in.record.vOffset = -600;
    v = AsMap(MakeWatermarkTicketValues(in));
    EXPECT_EQ(v["WMARKhOffsetTicket"], "305.00");
    EXPECT_EQ(v["WMARKvOffsetTicket"], "-395.00");
    in.record.unit = kWMUnitMM;
    in.record.hMMOffset = 100;
    in.record.vMMOffset = 0;
    in.orientation = 2; // landscape: the half width is the paper's half height
    in.record.fontName = "Garamond-Bold";
    v = AsMap(MakeWatermarkTicketValues(in));
    EXPECT_EQ(v["WMARKhOffsetTicket"], "283.46");
    EXPECT_EQ(v["WMARKOrientationTicket"], "2");
    // A PPD font the table lacks goes under its own name, measured as is.
    EXPECT_EQ(v["WMARKFontTicket"], "Garamond-Bold");
    EXPECT_EQ(v["WMARKWidthTicket"], "201.34");
}

TEST(WatermarkTicket, PictureRecordWritesItsFileAndPixelBox) {
    WatermarkTicketInput in;
    in.record = MakePictureRecord("Logo", "logo", "/home/u/logo.png", 50);
    in.paper = {0, 0, 842, 595};
    in.picturePath = "/var/spool/kestrane/AbCdEf123456";
    in.pictureWidth = 300;
    in.pictureHeight = 120;
    auto v = AsMap(MakeWatermarkTicketValues(in));
    EXPECT_EQ(v["WMARKTypeTicket"], "1");
    EXPECT_EQ(v["WMARKScaleTicket"], "50");
    EXPECT_EQ(v["WMARKFilePathTicket"].substr(0, 12), "/47/118/97/1");
    EXPECT_EQ(v["WMARKhOffsetTicket"], "0.00");
    EXPECT_EQ(v["WMARKWidthTicket"], "300.000000");
    EXPECT_EQ(v["WMARKHeightTicket"], "120.000000");
    EXPECT_EQ(v.count("WMARKFontTicket"), 0u);
}

TEST(WatermarkTicket, PaperIsThePagesOwnSizeNotTheImageableArea) {
    ppd_file_t* ppd = ppdOpenFile(SAMPLE_PPD);
    ASSERT_NE(ppd, nullptr);
    ppdMarkDefaults(ppd);
    ppdMarkOption(ppd, "PageSize", "Letter");
    WatermarkPaperRect paper = PhysicalPaperSize(ppd, {});
    EXPECT_EQ(paper.Width(), 612);
    EXPECT_EQ(paper.Height(), 792);
    std::vector<std::string> fonts;
    for (int i = 0; i < ppd->num_fonts; ++i)
        fonts.push_back(ppd->fonts[i]);
    fonts.push_back("Garamond-Bold");
    const auto list = WatermarkFontList(fonts);
    ASSERT_GE(list.size(), 5u);
    EXPECT_EQ(list[0], "Courier");
    EXPECT_EQ(std::count(list.begin(), list.end(), "Times-Roman"), 1);
    EXPECT_EQ(list.back(), "Garamond-Bold");
    ppdClose(ppd);

    // Without a PPD: the page format's paper, clamped.
    paper = PhysicalPaperSize(nullptr, {10, 10, 2000, 1000});
    EXPECT_NEAR(paper.Height(), 1383.3, 1e-9);
    EXPECT_NEAR(paper.Width(), 935.44, 1e-9);
    EXPECT_EQ(WaterMarkFontListNum, 51);
    WatermarkFontRow row;
    ASSERT_TRUE(FindFontRowByPPDName("HeiseiMin", row));
    EXPECT_STREQ(row.type, "1");
}

TEST(WatermarkPreview, PlacesTextAndPictureAsTheFilterDoes) {
    const WatermarkPaperRect a4{0, 0, 842, 595};
    WatermarkRecord r = TextRecord("Draft");
    r.angle = 0;
    WatermarkTextPlacement t = PreviewTextPlacement(r, a4, 1, 200, 50);
    EXPECT_NEAR(t.x, 197.5, 1e-9);
    EXPECT_NEAR(t.y, 396.0, 1e-9);
    r.vOffset = 10; // an inch up
    EXPECT_NEAR(PreviewTextPlacement(r, a4, 1, 200, 50).y, 468.0, 1e-4);

    const WatermarkPreviewPage portrait = PreviewPage(a4, 1);
    EXPECT_NEAR(portrait.MiniHeight(), 150, 1e-9);
    EXPECT_LE(portrait.MiniWidth(), 120);
    const WatermarkPreviewPage landscape = PreviewPage(a4, 2);
    EXPECT_EQ(landscape.width, 842);
    EXPECT_LE(landscape.MiniWidth(), 220 + 1e-9);

    // A picture is centred at its scaled pixel size, upright in either
    // orientation, reverse ones too.
    for (int orientation : {1, 2, 3, 4}) {
        const WatermarkBox box = PreviewPictureBox(a4, orientation, 200, 100, 50);
        const bool land = orientation == 2 || orientation == 4;
        EXPECT_NEAR(box.width, 200, 1e-9) << orientation;
        EXPECT_NEAR(box.height, 100, 1e-9) << orientation;
        EXPECT_NEAR(box.left + box.width / 2, (land ? 842 : 595) / 2.0, 1.0) << orientation;
        EXPECT_NEAR(box.bottom + box.height / 2, (land ? 595 : 842) / 2.0, 1.0) << orientation;
    }
}
