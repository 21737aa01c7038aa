// What you see is what you print: the watermark's box in the preview and on
// the paper that comes out of a real cupsd (pstops, then jobfilter, rendered
// by Ghostscript) differ by at most 2 % of the page.
#include "WatermarkView.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace MNTest;
namespace fs = std::filesystem;

namespace {

// A box as fractions of the page, the origin at the page's top left as the
// person sees the page (landscape pages lying the long way).
struct PageBox {
    double left = 1, top = 1, right = 0, bottom = 0;
    bool Empty() const { return right < left; }
};

std::ostream& operator<<(std::ostream& out, const PageBox& b) {
    return out << "(" << b.left << ", " << b.top << ") - (" << b.right << ", " << b.bottom << ")";
}

PageBox DarkBox(const QImage& image, const QRect& page) {
    PageBox box;
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    for (int y = page.top(); y <= page.bottom(); ++y)
        for (int x = page.left(); x <= page.right(); ++x)
            if (gray.constScanLine(y)[x] < 128) {
                box.left = std::min(box.left, double(x - page.left()) / page.width());
                box.right = std::max(box.right, double(x - page.left() + 1) / page.width());
                box.top = std::min(box.top, double(y - page.top()) / page.height());
                box.bottom = std::max(box.bottom, double(y - page.top() + 1) / page.height());
            }
    return box;
}

QImage Picture() {
    QImage picture(120, 60, QImage::Format_RGB888);
    picture.fill(Qt::black);
    return picture;
}

struct PaperCase {
    const char* name; // the rendering watermark-paper.sh made
    bool landscape;
    bool picture;
    int angle;
    int scale;
};

void PrintTo(const PaperCase& c, std::ostream* out) {
    *out << c.name;
}

class WatermarkPaper : public testing::TestWithParam<PaperCase> {
protected:
    static void SetUpTestSuite() {
        out = fs::temp_directory_path() / ("wm-paper-" + std::to_string(getpid()));
        fs::create_directories(out);
        const std::string picture = (out / "picture.png").string();
        Picture().save(QString::fromStdString(picture), "PNG");
        const std::string command = std::string(PAPER_SCRIPT) + " " + PRINTDIALOG_PATH + " " +
                                    JOBFILTER_PATH + " " + PLUGIN_DIR + " " + SOURCE_DIR + " " +
                                    out.string() + " " + picture + " > " + out.string() +
                                    "/script.log 2>&1";
        const int status = std::system(command.c_str());
        scriptStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(out, ec);
    }

    // The preview as the edit window draws it, large enough to measure.
    static PageBox PreviewBox(const PaperCase& c) {
        WatermarkPreviewState state;
        state.paper = {0, 0, 842, 595}; // A4, the sample PPD's paper
        state.orientation = c.landscape ? 2 : 1;
        state.printFontName = "Helvetica";
        if (c.picture) {
            state.record = MakePictureRecord("Paper", "", "picture.png", c.scale);
            state.picture = Picture();
        } else {
            state.record.name = "Paper";
            state.record.text = "DRAFT";
            state.record.fontName = "Helvetica";
            state.record.size = 96;
            state.record.density = 100;
            state.record.angle = c.angle;
            if (c.angle == 0) {
                state.record.hOffset = 20; // as the script types them
                state.record.vOffset = 10;
            }
        }
        QImage image(1200, 1200, QImage::Format_RGB32);
        image.fill(Qt::lightGray);
        QPainter painter(&image);
        const QRectF page = DrawWatermarkPreview(painter, QRectF(0, 0, 1200, 1200), state);
        painter.end();
        return DarkBox(image, page.toAlignedRect().adjusted(1, 1, -1, -1));
    }

    // The rendered paper, turned the way the person reads a landscape page
    // (CUPS lays it a quarter turn to the left on the sheet).
    static PageBox PaperBox(const PaperCase& c) {
        QImage image(QString::fromStdString((out / (std::string(c.name) + ".png")).string()));
        if (image.isNull())
            return {};
        const PageBox d = DarkBox(image, image.rect());
        if (!c.landscape)
            return d;
        return {1 - d.bottom, d.left, 1 - d.top, d.right};
    }

    static inline fs::path out;
    static inline int scriptStatus = -1;
};

TEST_P(WatermarkPaper, PreviewAndPaperAgree) {
    if (scriptStatus == 77)
        GTEST_SKIP() << "needs root, cupsd, pstops and gs";
    ASSERT_EQ(scriptStatus, 0) << "watermark-paper.sh failed; see its log";
    const PaperCase& c = GetParam();
    const PageBox preview = PreviewBox(c), paper = PaperBox(c);
    ASSERT_FALSE(preview.Empty());
    ASSERT_FALSE(paper.Empty()) << c.name << " printed no watermark";
    EXPECT_NEAR(preview.left, paper.left, 0.02) << "preview " << preview << " paper " << paper;
    EXPECT_NEAR(preview.right, paper.right, 0.02) << "preview " << preview << " paper " << paper;
    EXPECT_NEAR(preview.top, paper.top, 0.02) << "preview " << preview << " paper " << paper;
    EXPECT_NEAR(preview.bottom, paper.bottom, 0.02) << "preview " << preview << " paper " << paper;
}

INSTANTIATE_TEST_SUITE_P(Cases, WatermarkPaper,
                         testing::Values(PaperCase{"text0-portrait", false, false, 0, 100},
                                         PaperCase{"text45-portrait", false, false, 45, 100},
                                         PaperCase{"picture50-portrait", false, true, 45, 50},
                                         PaperCase{"picture200-portrait", false, true, 45, 200},
                                         PaperCase{"text0-landscape", true, false, 0, 100},
                                         PaperCase{"text45-landscape", true, false, 45, 100},
                                         PaperCase{"picture50-landscape", true, true, 45, 50},
                                         PaperCase{"picture200-landscape", true, true, 45, 200}),
                         [](const testing::TestParamInfo<PaperCase>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
