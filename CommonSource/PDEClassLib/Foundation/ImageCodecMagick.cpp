#include "ImageCodec.h"

#include <mutex>

// ImageMagick's headers are not clean under our warning set.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wignored-qualifiers"
#include <Magick++.h>
#pragma GCC diagnostic pop

namespace KESTRANE_NS {

namespace {

void InitializeOnce() {
    static std::once_flag once;
    std::call_once(once, [] { Magick::InitializeMagick(nullptr); });
}

std::vector<char> BlobBytes(const Magick::Blob& blob) {
    const char* data = static_cast<const char*>(blob.data());
    return std::vector<char>(data, data + blob.length());
}

} // namespace

std::optional<std::vector<char>> DecodeJPEG2000FileToPNG(const std::string& path) {
    InitializeOnce();
    try {
        Magick::Image image;
        image.quiet(true);
        // The explicit coder keeps ImageMagick from guessing a format (or a
        // "format:" prefix in the name) for files the panels hand it.
        image.read("JP2:" + path);
        Magick::Blob blob;
        image.magick("PNG");
        image.write(&blob);
        return BlobBytes(blob);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<std::vector<char>> EncodePNGAs(const std::vector<char>& png,
                                             const char* magickFormat) {
    InitializeOnce();
    try {
        Magick::Image image;
        image.quiet(true);
        image.read(Magick::Blob(png.data(), png.size()));
        image.magick(magickFormat);
        Magick::Blob blob;
        image.write(&blob);
        if (blob.length() == 0)
            return std::nullopt;
        return BlobBytes(blob);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace KESTRANE_NS
