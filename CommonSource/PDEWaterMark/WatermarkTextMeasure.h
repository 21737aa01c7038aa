// Text measured as the printer will set it: in PostScript points, in the
// local face with the metrics of the printer's font.
#pragma once

#include <string>

class QFont;

namespace KESTRANE_NS {

struct WatermarkTextBox {
    double width = 0;       // advance of the text, points
    double height = 0;      // ascent plus descent of the face, points
    bool localFace = false; // false: measured in the stand-in face
};

// The face for a PostScript font name at a size in points (as pixels, one
// per point); without a local face, `fallbackPrintName`'s, else Courier's.
QFont WatermarkFont(const std::string& printName, double points,
                    const std::string& fallbackPrintName, bool* localFace);
WatermarkTextBox MeasureWatermarkText(const std::string& utf8, const std::string& printName,
                                      double points, const std::string& fallbackPrintName);

} // namespace KESTRANE_NS
