#include "WatermarkTextMeasure.h"

#include "WatermarkFontTable.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

namespace KESTRANE_NS {

namespace {

// Glyph outlines at a large pixel size and scaled down: small sizes would
// carry the rounding of hinting into the box.
constexpr int kMeasurePixels = 1000;

QFont FaceFont(const WatermarkLocalFace& face) {
    QFont font(QString::fromLatin1(face.family));
    font.setBold(face.bold);
    font.setItalic(face.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false); // PostScript "show" does not kern
    return font;
}

} // namespace

QFont WatermarkFont(const std::string& printName, double points,
                    const std::string& fallbackPrintName, bool* localFace) {
    WatermarkLocalFace face;
    const bool found = LocalFaceForPrintName(printName, face);
    if (localFace)
        *localFace = found;
    if (!found && !LocalFaceForPrintName(fallbackPrintName, face))
        LocalFaceForPrintName("Courier", face);
    QFont font = FaceFont(face);
    font.setPixelSize(std::max(1, static_cast<int>(points + 0.5)));
    return font;
}

WatermarkTextBox MeasureWatermarkText(const std::string& utf8, const std::string& printName,
                                      double points, const std::string& fallbackPrintName) {
    WatermarkTextBox box;
    QFont font = WatermarkFont(printName, kMeasurePixels, fallbackPrintName, &box.localFace);
    font.setPixelSize(kMeasurePixels);
    const QFontMetricsF metrics(font);
    const double k = points / kMeasurePixels;
    box.width = metrics.horizontalAdvance(QString::fromUtf8(utf8)) * k;
    box.height = (metrics.ascent() + metrics.descent()) * k;
    return box;
}

} // namespace KESTRANE_NS
