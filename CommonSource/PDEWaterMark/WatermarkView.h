// The live preview: a miniature of the page with the watermark drawn where
// and how the filter will draw it.
#pragma once

#include "WatermarkPosition.h"
#include "WatermarkRecord.h"

#include <QImage>
#include <QWidget>

class QPainter;

namespace KESTRANE_NS {

struct WatermarkPreviewState {
    WatermarkRecord record;
    WatermarkPaperRect paper{0, 0, 842, 595};
    int orientation = 1;
    std::string printFontName;    // the PostScript name of the record's font
    std::string fallbackFontName; // the face used when that one has none
    QImage picture;               // over white; null: no picture
};

// Draws the miniature page centred in `area`; answers the page's rectangle.
QRectF DrawWatermarkPreview(QPainter& painter, const QRectF& area,
                            const WatermarkPreviewState& state);

class WatermarkView : public QWidget {
public:
    explicit WatermarkView(QWidget* parent = nullptr);
    void SetState(const WatermarkPreviewState& state);
    const WatermarkPreviewState& State() const { return m_state; }
    QSize sizeHint() const override { return {240, 170}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    WatermarkPreviewState m_state;
};

} // namespace KESTRANE_NS
