// The CUPS image library, loaded when a job first opens a watermark image.
// Linking it outright maps it and its dozens of dependencies into every job,
// which alone takes the filter's memory past its budget; most jobs never
// draw an image.
#include <cupsfilters/image.h>

#include <dlfcn.h>

namespace {

struct CupsImageLibrary {
    decltype(&cupsImageOpen) open = nullptr;
    decltype(&cupsImageClose) close = nullptr;
    decltype(&cupsImageGetDepth) depth = nullptr;
    decltype(&cupsImageGetHeight) height = nullptr;
    decltype(&cupsImageGetWidth) width = nullptr;
    decltype(&cupsImageGetRow) row = nullptr;
};

template <typename F> void Bind(void* handle, const char* name, F& function) {
    function = reinterpret_cast<F>(dlsym(handle, name));
}

// nullptr when the library or one of its functions is missing: then no image
// can be opened.
const CupsImageLibrary* Library() {
    static const CupsImageLibrary* library = [] {
        static CupsImageLibrary lib;
        void* handle = dlopen("libcupsfilters.so.1", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return static_cast<const CupsImageLibrary*>(nullptr);
        Bind(handle, "cupsImageOpen", lib.open);
        Bind(handle, "cupsImageClose", lib.close);
        Bind(handle, "cupsImageGetDepth", lib.depth);
        Bind(handle, "cupsImageGetHeight", lib.height);
        Bind(handle, "cupsImageGetWidth", lib.width);
        Bind(handle, "cupsImageGetRow", lib.row);
        bool complete = lib.open && lib.close && lib.depth && lib.height && lib.width && lib.row;
        return complete ? static_cast<const CupsImageLibrary*>(&lib) : nullptr;
    }();
    return library;
}

} // namespace

extern "C" {

cups_image_t* cupsImageOpen(const char* filename, cups_icspace_t primary, cups_icspace_t secondary,
                            int saturation, int hue, const cups_ib_t* lut) {
    const CupsImageLibrary* lib = Library();
    return lib ? lib->open(filename, primary, secondary, saturation, hue, lut) : nullptr;
}

void cupsImageClose(cups_image_t* img) {
    if (const CupsImageLibrary* lib = Library(); lib && img)
        lib->close(img);
}

int cupsImageGetDepth(cups_image_t* img) {
    const CupsImageLibrary* lib = Library();
    return lib && img ? lib->depth(img) : 0;
}

unsigned cupsImageGetHeight(cups_image_t* img) {
    const CupsImageLibrary* lib = Library();
    return lib && img ? lib->height(img) : 0;
}

unsigned cupsImageGetWidth(cups_image_t* img) {
    const CupsImageLibrary* lib = Library();
    return lib && img ? lib->width(img) : 0;
}

int cupsImageGetRow(cups_image_t* img, int x, int y, int width, cups_ib_t* pixels) {
    const CupsImageLibrary* lib = Library();
    return lib && img ? lib->row(img, x, y, width, pixels) : -1;
}

} // extern "C"
