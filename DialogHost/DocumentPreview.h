// A picture of the first page of the document to print, for the dialog's
// preview: PDF through Poppler's Qt binding (where the build has it),
// PostScript (and PDF without Poppler) through Ghostscript.
#pragma once

#include <QImage>

#include <string>

// The first page scaled to fit `box` pixels; a null image with `error` set
// when the file is neither PDF nor PostScript or cannot be rendered.
QImage RenderFirstPage(const std::string& path, const QSize& box, std::string& error);
