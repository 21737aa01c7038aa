// From the headless print dialog through the watermark plug-in and the filter
// to the PostScript the printer receives.
#include "PDESettingsAccess.h"
#include "NumberUnit.h"
#include "WatermarkRecord.h"
#include "DialogE2E.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace MNTest;
namespace fs = std::filesystem;

namespace {

const std::string kKey = "com.kestrane.mtz.printsettings.";

// A text the dialog wrote in the escaped ticket form, decoded.
std::string Decoded(const std::string& stored) {
    std::vector<char> buffer(stored.begin(), stored.end());
    buffer.push_back('\0');
    numstrtochar(buffer.data(), buffer.size());
    return buffer.data();
}

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class WatermarkEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        spool = e2e.Dir() + "/spool";
        fs::create_directories(spool);
        // The dialog writes the picture where the filter looks for it.
        setenv("KESTRANE_SPOOL_DIR", spool.c_str(), 1);
    }
    DialogRun Run(const std::string& script) {
        DialogRun run = e2e.RunDialog(SAMPLE_PPD, script, "Office");
        EXPECT_EQ(run.status, run.result == "refused" ? 1 : 0) << run.stderrText;
        return run;
    }
    std::string Filter(const DialogRun& run) { return e2e.RunFilter(run.jobOptions); }
    // A 40 x 20 logo: opaque red left half, transparent right half.
    std::string Logo() {
        QImage image(40, 20, QImage::Format_ARGB32);
        image.fill(qRgba(0, 0, 0, 0));
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                image.setPixel(x, y, qRgba(255, 0, 0, 255));
        const std::string path = e2e.Dir() + "/Logo.PNG";
        image.save(QString::fromStdString(path), "PNG");
        return path;
    }
    std::vector<std::string> SpoolFiles() const {
        std::vector<std::string> files;
        for (const auto& entry : fs::directory_iterator(spool))
            files.push_back(entry.path().string());
        return files;
    }
    void SeedRecords(const std::vector<WatermarkRecord>& records) {
        const WatermarkArrays arrays = ArraysFromRecords(records);
        for (int field = 0; field < kWMFieldCount; ++field)
            e2e.SetPreference(std::string("Office") + kWatermarkArrayKeys[field],
                              EncodeWatermarkArray(arrays[static_cast<size_t>(field)]));
    }
    static WatermarkRecord Text(const std::string& name, const std::string& text) {
        WatermarkRecord r;
        r.name = name;
        r.text = text;
        r.fontName = "Helvetica";
        return r;
    }

    DialogE2E e2e;
    std::string spool;
};

const char* const kNewDraft = "panel com.kestrane.mtk.pde.WaterMarkKind\n"
                              "modal\n"
                              "  type 8101 Draft\n"
                              "  type 8104 DRAFT\n"
                              "  choose 8106 Helvetica\n"
                              "  type 8108 96\n"
                              "  set 8113 30\n"
                              "  type 8116 50\n"
                              "  color-answer 1 0 0\n"
                              "  click 8109\n"
                              "  click 8131\n"
                              "end\n"
                              "click 8002\n";

TEST_F(WatermarkEndToEnd, TextWatermarkOnEveryPageThenOnTheFirstOnly) {
    DialogRun run = Run(std::string(kNewDraft) + "print\n");
    EXPECT_EQ(run.printSettings[kKey + "WMARKNameTicket"], "Draft");
    EXPECT_EQ(run.printSettings[kKey + "WMARKOnlyFirstTicket"], "0");
    EXPECT_EQ(run.printSettings[kKey + "WMARKFontTicket"], "Helvetica");
    EXPECT_TRUE(SpoolFiles().empty()); // a text makes no file
    std::string ps = Filter(run);
    EXPECT_EQ(Count(ps, "(DRAFT) show"), 3u) << ps.substr(0, 2000);
    EXPECT_EQ(Count(ps, "/Helvetica 96 selectfont"), 3u);
    EXPECT_EQ(Count(ps, "1.00 0.50 0.50 setrgbcolor"), 3u);
    EXPECT_EQ(Count(ps, "30 rotate"), 3u);

    // The next dialog finds the watermark again; page 1 only.
    run = Run("panel com.kestrane.mtk.pde.WaterMarkKind\n"
              "set 8006 1\n"
              "print\n");
    EXPECT_EQ(run.printSettings[kKey + "WMARKNameTicket"], "Draft");
    ps = Filter(run);
    EXPECT_EQ(Count(ps, "(DRAFT) show"), 1u);
}

TEST_F(WatermarkEndToEnd, PictureUnderThePageTravelsAsABitmapInTheSpoolDirectory) {
    const std::string logo = Logo();
    DialogRun run = Run("panel com.kestrane.mtk.pde.WaterMarkKind\n"
                        "modal\n"
                        "  type 8101 Logo\n"
                        "  click 8103\n"
                        "  file-answer " +
                        logo +
                        "\n"
                        "  click 8110\n"
                        "  type 8119 200\n"
                        "  click 8131\n"
                        "end\n"
                        "click 8002\n"
                        "set 8005 2\n"
                        "print\n");
    EXPECT_EQ(run.printSettings[kKey + "WMARKTypeTicket"], "1");
    EXPECT_EQ(run.printSettings[kKey + "WMARKOptionsTicket"], "2");
    EXPECT_EQ(run.printSettings[kKey + "WMARKScaleTicket"], "200");
    EXPECT_EQ(run.printSettings[kKey + "WMARKWidthTicket"], "40.000000");
    const std::string path = Decoded(run.printSettings[kKey + "WMARKFilePathTicket"]);
    EXPECT_EQ(SpoolFiles(), std::vector<std::string>{path});
    std::ifstream bmp(path, std::ios::binary);
    char header[30] = {};
    bmp.read(header, sizeof header);
    EXPECT_EQ(std::string(header, 2), "BM");
    EXPECT_EQ(header[28], 24);
    const std::string ps = Filter(run);
    EXPECT_EQ(Count(ps, "readdata"), 2u); // defined once, read once
    EXPECT_EQ(Count(ps, "imageDict image grestore"), 3u);
    // Red over white, never black where the logo was transparent.
    EXPECT_NE(ps.find("FF0000FF0000"), std::string::npos);
    EXPECT_NE(ps.find("FFFFFFFFFFFF"), std::string::npos);
}

TEST_F(WatermarkEndToEnd, AnUnreadablePictureSendsNoWatermarkAndThePersonDecides) {
    const std::string logo = Logo();
    SeedRecords({MakePictureRecord("Logo", "logo", logo, 100), Text("Draft", "DRAFT")});
    // A text watermark printed before leaves its keys in the settings of
    // this dialog; they must not ride along.
    const std::string choose = "panel com.kestrane.mtk.pde.WaterMarkKind\n"
                               "set 8001 3\n"
                               "panel Summary\n"
                               "panel com.kestrane.mtk.pde.WaterMarkKind\n"
                               "set 8001 2\n";
    fs::remove(logo);
    DialogRun run = Run(choose + "alert-answer 0\nprint\n");
    EXPECT_EQ(run.result, "dry-run");
    ASSERT_EQ(run.alerts.size(), 1u);
    EXPECT_EQ(run.printSettings[kKey + "WMARKNameTicket"], "");
    for (const char* key : {"WMARKFilePathTicket", "WMARKTypeTicket", "WMARKTextTicket"})
        EXPECT_EQ(run.printSettings.count(kKey + key), 0u) << key;
    EXPECT_TRUE(SpoolFiles().empty());
    EXPECT_EQ(Count(Filter(run), "kvqbp"), 0u);

    run = Run(choose + "alert-answer 1\nprint\n");
    EXPECT_EQ(run.result, "refused");
    EXPECT_TRUE(SpoolFiles().empty());
}

TEST_F(WatermarkEndToEnd, ListRulesHoldThroughTheDialog) {
    SeedRecords({Text("A", "from A"), Text("b,c", "BC")});
    // Renaming A to the other record's name asks; OK replaces that record
    // and removes A.
    DialogRun run = Run("panel com.kestrane.mtk.pde.WaterMarkKind\n"
                        "set 8001 2\n"
                        "alert-answer 0\n"
                        "modal\n"
                        "  type 8101 b,c\n"
                        "  click 8131\n"
                        "end\n"
                        "click 8003\n"
                        "print\n");
    ASSERT_EQ(run.alerts.size(), 1u);
    EXPECT_EQ(run.printSettings[kKey + "WMARKNameTicket"], "/98/44/99");
    EXPECT_EQ(run.printSettings[kKey + "WMARKTextTicket"], "from A");
    // The comma name comes back in the next dialog, and A is gone.
    run = e2e.RunDialog(SAMPLE_PPD, "panel com.kestrane.mtk.pde.WaterMarkKind\nset 8001 3\n",
                        "Office");
    EXPECT_EQ(run.status, 2); // item 3 no longer exists
    run = Run("print\n");
    EXPECT_EQ(run.printSettings[kKey + "WMARKNameTicket"], "/98/44/99");

    // Refusing to replace keeps the window open and the list as it was.
    run = Run("panel com.kestrane.mtk.pde.WaterMarkKind\n"
              "alert-answer 1\n"
              "modal\n"
              "  type 8101 b,c\n"
              "  type 8104 other\n"
              "  click 8131\n"
              "  click 8132\n"
              "end\n"
              "click 8002\n"
              "print\n");
    EXPECT_EQ(run.printSettings[kKey + "WMARKTextTicket"], "from A");

    // A full list refuses New with its message, and opens nothing.
    std::vector<WatermarkRecord> full;
    for (int i = 0; i < kWatermarkRecordMax; ++i)
        full.push_back(Text("W" + std::to_string(i), "x"));
    SeedRecords(full);
    run = Run("panel com.kestrane.mtk.pde.WaterMarkKind\nclick 8002\nprint\n");
    ASSERT_EQ(run.alerts.size(), 1u);
    EXPECT_NE(run.json.find("32 watermarks"), std::string::npos);
}

TEST_F(WatermarkEndToEnd, TextOnlyPrinterListsPicturesButWillNotChooseThem) {
    // The sample PPD as a printer of text watermarks only.
    std::ifstream in(SAMPLE_PPD);
    std::string ppd((std::istreambuf_iterator<char>(in)), {});
    const std::string from = "\"Default01-Main\"";
    ppd.replace(ppd.find(from), from.size(), "\"Default00-Main\"");
    const std::string textOnly = e2e.Dir() + "/text-only.ppd";
    std::ofstream(textOnly) << ppd;
    SeedRecords({MakePictureRecord("Logo", "logo", Logo(), 100), Text("Draft", "DRAFT")});
    DialogRun run =
        e2e.RunDialog(textOnly, "panel com.kestrane.mtk.pde.WaterMarkKind\nset 8001 2\n", "Office");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.stderrText.find("disabled"), std::string::npos) << run.stderrText;
    run = e2e.RunDialog(textOnly, "panel com.kestrane.mtk.pde.WaterMarkKind\nset 8001 3\nprint\n",
                        "Office");
    EXPECT_EQ(run.printSettings[kKey + "WMARKNameTicket"], "Draft");
}

TEST_F(WatermarkEndToEnd, FieldsRefuseWhatTheFilterCannotPrint) {
    // A euro sign cannot travel in Latin-1: the typed key is refused and the
    // field says why; a position beyond half the page is refused when typed.
    DialogRun run = Run("panel com.kestrane.mtk.pde.WaterMarkKind\n"
                        "modal\n"
                        "  type 8101 Price\n"
                        "  type 8104 \"10 \xe2\x82\xac\"\n"
                        "  type 8123 9.9\n"
                        "  type 8123 -1.5\n"
                        "  click 8121\n"
                        "  type 8125 25\n"
                        "  click 8131\n"
                        "end\n"
                        "click 8002\n"
                        "print\n");
    EXPECT_EQ(run.printSettings[kKey + "WMARKTextTicket"], "10 ");
    ASSERT_EQ(run.alerts.size(), 1u);
    EXPECT_NE(run.json.find("-4.1 to 4.1"), std::string::npos) << run.json;
    // The unit switched to mm after 1.5 inch left: the mm field followed,
    // then 25 mm right were typed: 25 x 72 / 25.4 points.
    EXPECT_EQ(run.printSettings[kKey + "WMARKhOffsetTicket"], "70.87");
}

} // namespace
