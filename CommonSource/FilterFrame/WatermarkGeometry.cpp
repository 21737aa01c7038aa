#include "WatermarkGeometry.h"

#include <climits>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double kWatermarkPi = 3.1415926;

int LayoutNumber(const char* text) {
    long long v = std::strtoll(text ? text : "", nullptr, 10);
    if (v < 0)
        return 0;
    return v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

// Integer division where a divisor of 0 (rows or columns missing) yields 0.
long long Div(long long x, long long d) {
    return d == 0 ? 0 : x / d;
}

bool IsSquareUp(long long N) {
    return N == 4 || N == 9 || N == 16;
}
bool IsSideUp(long long N) {
    return N == 2 || N == 6;
}

// Centre of the page as the orientation turns it.
WatermarkPoint PageCentre(const WatermarkOptionRecord& option) {
    switch (option.orientation) {
    case 1:
    case 3:
        return {option.paperWidth / 2.0, option.paperHeight / 2.0};
    case 2:
    case 4:
        return {option.paperHeight / 2.0, option.paperWidth / 2.0};
    default:
        return {0.0, 0.0};
    }
}

// The processor's own sine and cosine: libm's would page in a quarter MiB of
// tables, a good part of what a job may take. For angles of a turn or less
// both agree to the last bit in all but rare cases, far below the hundredths
// the start point is written with.
void SineCosine(double x, double* sine, double* cosine) {
#if defined(__x86_64__) || defined(__i386__)
    long double s, c;
    __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(static_cast<long double>(x)));
    *sine = static_cast<double>(s);
    *cosine = static_cast<double>(c);
#else
    *sine = std::sin(x);
    *cosine = std::cos(x);
#endif
}

} // namespace

long long WatermarkTruncate(double value) {
    if (!std::isfinite(value))
        return 0;
    // Stays far inside long long so later sums cannot overflow.
    constexpr double kLimit = 1e15;
    if (value > kLimit)
        return static_cast<long long>(kLimit);
    if (value < -kLimit)
        return -static_cast<long long>(kLimit);
    return static_cast<long long>(value);
}

WatermarkLayout MakeWatermarkLayout(const char* numberUp, const char* direction, const char* rows,
                                    const char* columns) {
    WatermarkLayout layout{};
    layout.R = LayoutNumber(rows);
    layout.C = LayoutNumber(columns);
    layout.N = static_cast<long long>(layout.R) * layout.C;
    layout.n = LayoutNumber(numberUp);
    if (layout.n == 0)
        layout.n = 1;
    layout.direction = static_cast<int>(std::strtol(direction ? direction : "", nullptr, 10));
    return layout;
}

LogicalPageOffset GetLogicalPageOffset(long long page, const WatermarkLayout& layout,
                                       int orientation, long long lengthA, long long lengthB) {
    const long long N = layout.N, R = layout.R, C = layout.C;
    long long k = 0;
    if (N != 0) {
        long long m = page % N;
        if (m < 0)
            m += N;
        k = m == 0 ? N - 1 : m - 1;
    }
    long long i = 0, j = 0;
    if (R != 0 && C != 0) {
        switch (layout.direction) {
        case 3:
            i = k / C;
            j = C - 1 - k % C;
            break;
        case 5:
            i = k % R;
            j = k / R;
            break;
        case 6:
            i = k % R;
            j = C - 1 - k / R;
            break;
        default:
            i = k / C;
            j = k % C;
            break;
        }
    }
    const long long A = lengthA, B = lengthB;
    if (IsSquareUp(N)) {
        switch (orientation) {
        case 1:
        case 3:
            return {j * Div(B, C), Div(A, R) * (R - i - 1)};
        case 2:
            return {i * Div(B, R), j * Div(A, C)};
        case 4:
            return {Div(B, R) * (R - i), Div(A, C) * (C - j)};
        default:
            return {0, 0};
        }
    }
    if (IsSideUp(N)) {
        switch (orientation) {
        case 1:
        case 3:
            return {Div(B, R) * (i + 1), j * Div(A, C)};
        case 2:
            return {j * Div(B, C), Div(A, R) * (R - i)};
        case 4:
            return {Div(B, C) * (C - j), i * Div(A, R)};
        default:
            return {0, 0};
        }
    }
    if (N == 0 && orientation == 4)
        return {B, A};
    return {0, 0};
}

WatermarkPoint GetWatermarkPostion(const WatermarkOptionRecord& option,
                                   const WatermarkLayout& layout, bool imageMode) {
    const WatermarkPoint centre = PageCentre(option);
    if (!imageMode) {
        WatermarkPoint start{0.0, 0.0};
        if (option.angle >= 0 && option.angle <= 360) {
            const double theta = option.angle * kWatermarkPi / 180;
            const double w = option.width / 2.0, h = option.height / 2.0;
            double sine = 0, cosine = 0;
            SineCosine(theta, &sine, &cosine);
            start.x = centre.x - (w * cosine - h * sine);
            start.y = centre.y - (w * sine + h * cosine);
        }
        start.x += option.hOffset;
        start.y += option.vOffset;
        return start;
    }

    const double s = option.scale / 100.0;
    const double r = std::sqrt(static_cast<double>(layout.n));
    double qx, qy;
    if (layout.n == 2 || layout.n == 6) {
        qx = layout.C == 0 ? 0.0 : centre.y / layout.C;
        qy = layout.R == 0 ? 0.0 : centre.x / layout.R;
    } else {
        qx = centre.x / r;
        qy = centre.y / r;
    }
    const double halfW = option.width * s / (2 * r), halfH = option.height * s / (2 * r);
    switch (option.orientation) {
    case 1:
    case 3:
        return {qx - halfW, qy + halfH};
    case 2:
    case 4:
        return {qy - halfW, qx + halfH};
    default:
        return {0.0, 0.0};
    }
}

WatermarkTranslate GetTranslateValue(LogicalPageOffset offset, int orientation, unsigned width,
                                     unsigned height, double scale, const WatermarkLayout& layout,
                                     WatermarkPoint position) {
    const long long N = layout.N;
    double rootN = std::sqrt(static_cast<double>(N));
    if (rootN == 0)
        rootN = 1;
    const double sw = width * scale / rootN, sh = height * scale / rootN;

    WatermarkTranslate result{0.0, 0.0, 0};
    const int O = orientation;
    if (IsSideUp(N)) {
        result.rotate = O == 1 ? 270 : O == 2 ? 0 : O == 3 ? 270 : O == 4 ? 180 : 90;
    } else if ((N == 0 || IsSquareUp(N)) && O == 3) {
        result.rotate = 0;
    } else {
        result.rotate = O == 1 ? 0 : O == 2 ? 270 : O == 3 ? 180 : O == 4 ? 90 : 0;
    }

    double px = position.x, py = position.y;
    if (O == 2 || O == 4) {
        const double t = sw / 2 - sh / 2;
        px = px + t;
        py = py - sh - t;
    }
    const long long ipx = WatermarkTruncate(px), ipy = WatermarkTruncate(py);
    const long long a = offset.a, b = offset.b;

    long long tx = ipx, ty = ipy;
    if (N > 16) {
        // the image stays where the position puts it
    } else if (IsSquareUp(N) && (O == 1 || O == 2 || O == 3)) {
        tx = a + ipx;
        ty = b + ipy;
    } else if (IsSquareUp(N) && O == 4) {
        tx = a - ipx;
        ty = b - ipy;
    } else if (IsSideUp(N) && (O == 1 || O == 3 || O == 4)) {
        tx = a - ipy;
        ty = b + ipx;
    } else if (IsSideUp(N) && O == 2) {
        tx = a + ipy;
        ty = b - ipx;
    } else if (N == 0 && O == 4) {
        tx = a - ipx;
        ty = b - ipy;
    }
    result.tx = static_cast<double>(tx);
    result.ty = static_cast<double>(ty);
    return result;
}

WatermarkTranslate GetImagePlacement(const WatermarkOptionRecord& option,
                                     const WatermarkLayout& layout, long long page, bool overPage,
                                     unsigned width, unsigned height, double* scaleFactor) {
    const double s = option.scale / 100.0;
    const long long Pw = option.paperWidth, Ph = option.paperHeight;
    LogicalPageOffset offset{0, 0};
    if (overPage) {
        // Side-by-side layouts shrink the sheet's height to the pages' aspect.
        double hPrime = static_cast<double>(Ph);
        if (layout.N == 2 || layout.N == 6) {
            const double factor = layout.N == 2 ? 2.0 : 1.5;
            hPrime = Ph == 0 ? 0.0 : factor * static_cast<double>(Pw) * Pw / Ph;
        }
        offset =
            GetLogicalPageOffset(page, layout, option.orientation, WatermarkTruncate(hPrime), Pw);
        offset.b = WatermarkTruncate((Ph - hPrime) * 0.5 + offset.b);
    } else {
        offset = GetLogicalPageOffset(page, layout, option.orientation, Ph, Pw);
    }
    const WatermarkPoint position = GetWatermarkPostion(option, layout, true);
    double rootN = std::sqrt(static_cast<double>(layout.N));
    if (rootN == 0)
        rootN = 1;
    if (scaleFactor)
        *scaleFactor = s / rootN;
    return GetTranslateValue(offset, option.orientation, width, height, s, layout, position);
}

double WatermarkDensityColor(float component, int density) {
    return 1.0 - (1.0 - component) * density / 100;
}
