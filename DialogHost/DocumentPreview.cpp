#include "DocumentPreview.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#ifdef KESTRANE_HAVE_POPPLER
#include <poppler-qt6.h>
#endif

namespace {

// Pixels per inch that give about `box` for a letter-sized page.
constexpr double kPreviewDpi = 48;
// A broken document must not hold the dialog up.
constexpr int kRenderTimeoutMs = 15000;

QImage RenderWithGhostscript(const std::string& path, std::string& error) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        error = "no temporary directory for the preview";
        return {};
    }
    const QString png = dir.filePath("page.png");
    QProcess gs;
    gs.start("gs",
             {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dFirstPage=1", "-dLastPage=1",
              "-sDEVICE=png16m", QStringLiteral("-r%1").arg(kPreviewDpi), "-dTextAlphaBits=4",
              "-dGraphicsAlphaBits=4", "-sOutputFile=" + png, "--", QString::fromStdString(path)});
    if (!gs.waitForStarted()) {
        error = "Ghostscript (gs) is not installed";
        return {};
    }
    if (!gs.waitForFinished(kRenderTimeoutMs)) {
        gs.kill();
        gs.waitForFinished();
        error = "Ghostscript took too long";
        return {};
    }
    QImage image(png);
    if (image.isNull())
        error = "Ghostscript could not render the document";
    return image;
}

#ifdef KESTRANE_HAVE_POPPLER
QImage RenderWithPoppler(const std::string& path, std::string& error) {
    std::unique_ptr<Poppler::Document> doc = Poppler::Document::load(QString::fromStdString(path));
    if (!doc || doc->isLocked() || doc->numPages() < 1) {
        error = "the PDF cannot be opened";
        return {};
    }
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);
    std::unique_ptr<Poppler::Page> page = doc->page(0);
    QImage image = page ? page->renderToImage(kPreviewDpi, kPreviewDpi) : QImage();
    if (image.isNull())
        error = "the PDF's first page cannot be rendered";
    return image;
}
#endif

} // namespace

QImage RenderFirstPage(const std::string& path, const QSize& box, std::string& error) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read " + path;
        return {};
    }
    const QByteArray head = file.read(1024);
    QImage image;
    if (head.startsWith("%PDF")) {
#ifdef KESTRANE_HAVE_POPPLER
        image = RenderWithPoppler(path, error);
#else
        image = RenderWithGhostscript(path, error);
#endif
    } else if (head.startsWith("%!") || head.startsWith("\x04%!")) {
        image = RenderWithGhostscript(path, error);
    } else {
        error = "no preview: the document is neither PDF nor PostScript";
        return {};
    }
    if (image.isNull())
        return image;
    return image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
