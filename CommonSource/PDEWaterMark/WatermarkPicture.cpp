#include "WatermarkPicture.h"

#include "SpoolFiles.h"

#include <QImage>
#include <QImageReader>
#include <QString>

#include <cerrno>
#include <cstdint>
#include <unistd.h>

namespace KESTRANE_NS {

namespace {

const char* const kPictureSuffixes[] = {"tiff", "tif", "jpg",  "jpeg", "jpe",
                                        "gif",  "bmp", "bmpf", "png"};

void PutLE(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
}

} // namespace

bool IsWatermarkPictureFile(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
        return false;
    const QString suffix = QString::fromStdString(path.substr(dot + 1)).toLower();
    for (const char* s : kPictureSuffixes)
        if (suffix == QLatin1String(s))
            return true;
    return false;
}

std::string WatermarkPictureNameFilter() {
    std::string filter = "Pictures (";
    for (const char* s : kPictureSuffixes) {
        const std::string lower = s;
        std::string upper = lower;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        filter += "*." + lower + " *." + upper + " ";
    }
    filter.back() = ')';
    return filter;
}

QImage LoadWatermarkPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {};
    // Palette images (GIF, 8-bit PNG and BMP) and alpha come out as straight
    // ARGB; transparency then goes over white, as on paper.
    image = image.convertToFormat(QImage::Format_ARGB32);
    QImage rgb(image.size(), QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* out = rgb.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(in[x]);
            auto over = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            out[3 * x] = static_cast<uchar>(over(qRed(in[x])));
            out[3 * x + 1] = static_cast<uchar>(over(qGreen(in[x])));
            out[3 * x + 2] = static_cast<uchar>(over(qBlue(in[x])));
        }
    }
    return rgb;
}

std::string EncodeWatermarkBMP(const QImage& rgb) {
    const uint32_t w = static_cast<uint32_t>(rgb.width());
    const uint32_t h = static_cast<uint32_t>(rgb.height());
    const uint32_t stride = (w * 3 + 3) & ~3u;
    const uint32_t dataSize = stride * h;
    std::string out;
    out.reserve(54 + dataSize);
    out += "BM";
    PutLE(out, 54 + dataSize, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, w, 4);
    PutLE(out, h, 4); // positive height: bottom-up rows
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, dataSize, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (uint32_t row = h; row-- > 0;) {
        const uchar* in = rgb.constScanLine(static_cast<int>(row));
        for (uint32_t x = 0; x < w; ++x) {
            out += static_cast<char>(in[3 * x + 2]); // BMP pixels are blue, green, red
            out += static_cast<char>(in[3 * x + 1]);
            out += static_cast<char>(in[3 * x]);
        }
        out.append(stride - w * 3, '\0');
    }
    return out;
}

WatermarkPictureStatus WriteWatermarkPicture(const std::string& source, WatermarkPictureFile& out) {
    out = {};
    const QImage rgb = LoadWatermarkPicture(source);
    if (rgb.isNull())
        return WatermarkPictureStatus::CannotLoad;
    const std::string bytes = EncodeWatermarkBMP(rgb);
    std::string path;
    const int fd = CreateSpoolTempFile(12, path);
    if (fd < 0)
        return WatermarkPictureStatus::CannotCreate;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    const bool closed = ::close(fd) == 0;
    if (done != bytes.size() || !closed) {
        ::unlink(path.c_str());
        return WatermarkPictureStatus::CannotWrite;
    }
    out.path = path;
    out.width = rgb.width();
    out.height = rgb.height();
    return WatermarkPictureStatus::Written;
}

} // namespace KESTRANE_NS
