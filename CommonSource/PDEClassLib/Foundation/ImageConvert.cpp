#include "ImageConvert.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

#include "ImageCodec.h"

namespace KESTRANE_NS {

namespace {

struct ImgType {
    const char* extension;
    const char* qtFormat;     // null: Qt cannot write it
    const char* magickFormat; // used when Qt cannot
};

constexpr ImgType kImgTypes[] = {
    {"tiff", "tiff", "TIFF"}, {"bmp", "bmp", "BMP3"}, {"gif", nullptr, "GIF"},
    {"jpg", "jpeg", "JPEG"},  {"png", "png", "PNG"},  {"jp2", nullptr, "JP2"},
};

QImage ReadImage(const char* source) {
    QImageReader reader(QString::fromLocal8Bit(source));
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (!image.isNull())
        return image;
    // Qt has no JPEG 2000 reader.
    std::optional<std::vector<char>> png = DecodeJPEG2000FileToPNG(source);
    if (png)
        image.loadFromData(reinterpret_cast<const uchar*>(png->data()),
                           static_cast<int>(png->size()), "PNG");
    return image;
}

std::optional<QByteArray> Encode(const QImage& image, const ImgType& type) {
    QByteArray data;
    if (type.qtFormat && QImageWriter::supportedImageFormats().contains(type.qtFormat)) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, type.qtFormat);
        // BMP rows are turned into 24 bits afterwards; JPEG has no alpha.
        const QImage toWrite = image.hasAlphaChannel() &&
                                       std::string_view(type.qtFormat) != "png" &&
                                       std::string_view(type.qtFormat) != "tiff"
                                   ? image.convertToFormat(QImage::Format_RGB32)
                                   : image;
        if (writer.write(toWrite))
            return data;
        return std::nullopt;
    }
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return std::nullopt;
    std::optional<std::vector<char>> encoded =
        EncodePNGAs(std::vector<char>(data.begin(), data.end()), type.magickFormat);
    if (!encoded)
        return std::nullopt;
    return QByteArray(encoded->data(), static_cast<qsizetype>(encoded->size()));
}

} // namespace

const char* ImgTypeExtension(int format) {
    if (format < kImgTypeTIFF || format > kImgTypeJPEG2000)
        return nullptr;
    return kImgTypes[format].extension;
}

int ConvertImgType(const char* source, std::string* destination, int format, bool addExtension) {
    if (!source || !destination || format < kImgTypeTIFF || format > kImgTypeJPEG2000)
        return -50;
    const ImgType& type = kImgTypes[format];

    const QImage image = ReadImage(source);
    if (image.isNull())
        return kImgConvertFailed;
    std::optional<QByteArray> encoded = Encode(image, type);
    if (!encoded)
        return kImgConvertFailed;
    if (format == kImgTypeBMP) {
        std::vector<uint8_t> bmp(encoded->begin(), encoded->end());
        if (VerticalReverse(&bmp) != 0)
            return kImgConvertFailed;
        *encoded = QByteArray(reinterpret_cast<const char*>(bmp.data()),
                              static_cast<qsizetype>(bmp.size()));
    }

    QString path = QString::fromStdString(*destination);
    if (addExtension &&
        QFileInfo(path).suffix().compare(QLatin1String(type.extension), Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + QLatin1String(type.extension);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*encoded) != encoded->size() ||
        !file.commit())
        return kImgConvertFailed;
    *destination = path.toStdString();
    return 0;
}

} // namespace KESTRANE_NS
