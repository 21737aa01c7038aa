#include "WatermarkView.h"

#include "WatermarkFontTable.h"
#include "WatermarkGeometry.h"
#include "WatermarkPreviewGeometry.h"
#include "WatermarkTextMeasure.h"

#include <QPainter>

namespace KESTRANE_NS {

namespace {

// The face is drawn at this pixel size and scaled down, so the miniature
// keeps the text's exact proportions.
constexpr double kDrawPixels = 1000;

} // namespace

QRectF DrawWatermarkPreview(QPainter& painter, const QRectF& area,
                            const WatermarkPreviewState& state) {
    const WatermarkPreviewPage page = PreviewPage(state.paper, state.orientation);
    // The miniature keeps its proportions in whatever room the view has.
    const double fit = page.scale > 0 ? std::min(area.width() / (page.MiniWidth() + 2),
                                                 area.height() / (page.MiniHeight() + 2))
                                      : 0;
    const double k = page.scale * fit; // view units per point
    const QSizeF size(page.width * k, page.height * k);
    const QRectF white(area.center().x() - size.width() / 2, area.center().y() - size.height() / 2,
                       size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(white.adjusted(-1, -1, 1, 1), Qt::black);
    painter.fillRect(white, Qt::white);
    painter.setClipRect(white);
    // Page points, y upwards, onto the miniature.
    QTransform toView;
    toView.translate(white.left(), white.bottom());
    toView.scale(k, -k);

    const WatermarkRecord& r = state.record;
    if (r.IsPicture()) {
        if (!state.picture.isNull() && r.scale > 0) {
            const WatermarkBox box =
                PreviewPictureBox(state.paper, state.orientation, r.scale, state.picture.width(),
                                  state.picture.height());
            const QRectF target =
                toView.mapRect(QRectF(box.left, box.bottom, box.width, box.height));
            painter.drawImage(target, state.picture);
        }
    } else if (!r.text.empty()) {
        const WatermarkTextBox measured =
            MeasureWatermarkText(r.text, state.printFontName, r.size, state.fallbackFontName);
        const WatermarkFontTicket font = FontTicketForDisplayName(r.fontName);
        const WatermarkTextPlacement at =
            PreviewTextPlacement(r, state.paper, state.orientation, measured.width / font.xRate,
                                 measured.height / font.yRate);
        QFont face =
            WatermarkFont(state.printFontName, kDrawPixels, state.fallbackFontName, nullptr);
        face.setPixelSize(static_cast<int>(kDrawPixels));
        painter.setFont(face);
        // The colour the filter sets: each component lightened by density.
        painter.setPen(QColor::fromRgbF(
            static_cast<float>(WatermarkDensityColor(static_cast<float>(r.red), r.density)),
            static_cast<float>(WatermarkDensityColor(static_cast<float>(r.green), r.density)),
            static_cast<float>(WatermarkDensityColor(static_cast<float>(r.blue), r.density))));
        QTransform text = toView;
        text.translate(at.x, at.y);
        text.rotate(at.angle);
        // Glyphs are drawn with y downwards.
        text.scale(r.size / kDrawPixels, -r.size / kDrawPixels);
        painter.setTransform(text, false);
        painter.drawText(QPointF(0, 0), QString::fromUtf8(r.text));
    }
    painter.restore();
    return white;
}

WatermarkView::WatermarkView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 160);
}

void WatermarkView::SetState(const WatermarkPreviewState& state) {
    m_state = state;
    update();
}

void WatermarkView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawWatermarkPreview(painter, QRectF(rect()).adjusted(4, 4, -4, -4), m_state);
}

} // namespace KESTRANE_NS
