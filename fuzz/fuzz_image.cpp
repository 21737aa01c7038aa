// Fuzzes the watermark image path the filter runs itself: the refusal by
// content, the header size checks left to the image library's formats, and
// the BMP reader, over a file of the input's bytes. Every row the reader
// hands on must lie inside the size it announced, and each exactly once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "WatermarkImageFormat.h"

namespace {

class CheckingSink : public WatermarkRowSink {
public:
    bool Size(uint32_t width, uint32_t height) override {
        if (sized_ || width == 0 || height == 0 ||
            static_cast<uint64_t>(width) * height > kWatermarkMaxPixels)
            abort();
        sized_ = true;
        width_ = width;
        seen_.assign(height, false);
        return true;
    }
    bool Row(uint32_t y, const unsigned char* rgb) override {
        if (!sized_ || y >= seen_.size() || seen_[y])
            abort();
        seen_[y] = true;
        // Touch every byte the reader claims to have filled.
        unsigned sum = 0;
        for (uint64_t i = 0; i < 3ull * width_; ++i)
            sum += rgb[i];
        return sum != 0xFFFFFFFFu;
    }
    bool Complete() const {
        for (bool s : seen_)
            if (!s)
                return false;
        return sized_;
    }

private:
    bool sized_ = false;
    uint32_t width_ = 0;
    std::vector<bool> seen_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const WatermarkImageKind kind = WatermarkImageKindOf(data, size < 256 ? size : 256);
    if (kind == WatermarkImageKind::Other) {
        WatermarkImageSizeAllowed(data, size < 256 ? size : 256, size);
        return 0;
    }
    if (kind != WatermarkImageKind::Bmp)
        return 0;
    const int fd = memfd_create("fuzz-image", MFD_CLOEXEC);
    if (fd < 0)
        abort();
    if (size && write(fd, data, size) != static_cast<ssize_t>(size))
        abort();
    CheckingSink sink;
    if (ReadWatermarkBmp(fd, sink) && !sink.Complete())
        abort(); // success claimed with rows missing
    close(fd);
    return 0;
}
