#include "controls/buttons/fcshapebitmaps.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tw::controls {

namespace {

struct Offset {
    int dx;
    int dy;
};

// The offsets of each ring, lower-right side first, upper-left second.
const std::array<std::vector<Offset>, 3> kLowerRight = {{
    {{1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}},
    {{2, -2}, {2, -1}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {-1, 2}, {-2, 2}},
    {{3, -3}, {3, -2}, {3, -1}, {3, 0}, {3, 1}, {3, 2}, {3, 3}, {2, 3}, {1, 3}, {0, 3}, {-1, 3}, {-2, 3},
     {-3, 3}},
}};
const std::array<std::vector<Offset>, 3> kUpperLeft = {{
    {{-1, 0}, {-1, -1}, {0, -1}},
    {{-2, 1}, {-2, 0}, {-2, -1}, {-2, -2}, {-1, -2}, {0, -2}, {1, -2}},
    {{-3, 2}, {-3, 1}, {-3, 0}, {-3, -1}, {-3, -2}, {-3, -3}, {-2, -3}, {-1, -3}, {0, -3}, {1, -3}, {2, -3}},
}};

QRgb Rgb32(TColor color)
{
    const TColor c = ColorToRGB(color);
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromRgb(QRgb pixel)
{
    return RGB(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

}  // namespace

TColor ShapeTransparentColor(const QImage& bitmap)
{
    if (bitmap.isNull())
        return clNone;
    return FromRgb(bitmap.pixel(0, bitmap.height() - 1));
}

TColor ShapeBevelColor(const TShapeBevel& bevel, bool down, bool litSide, TColor transparent)
{
    const bool highlight = litSide != down;
    if (!highlight)
        return bevel.ShadowColor;
    if (ColorToRGB(bevel.HighlightColor) == ColorToRGB(transparent))
        return DarkerColor(bevel.HighlightColor, 20);
    return bevel.HighlightColor;
}

QImage Create3DBitmap(const QImage& source, bool down, const TShapeBevel& bevel)
{
    QImage target = source.convertToFormat(QImage::Format_RGB32);
    const int rings = std::clamp(bevel.BevelWidth, 0, 2) + (bevel.SingleBorder ? 1 : 0);
    if (target.isNull() || rings == 0)
        return target;
    const int w = target.width();
    const int h = target.height();
    const QRgb transparent = target.pixel(0, h - 1);
    std::vector<char> inSource(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(target.constScanLine(y));
        for (int x = 0; x < w; ++x)
            inSource[static_cast<size_t>(y * w + x)] = line[x] != transparent;
    }
    const TColor transparentColor = FromRgb(transparent);
    std::vector<int> edge;
    edge.reserve(static_cast<size_t>(w * h) / 4);
    for (int k = 1; k <= rings; ++k) {
        for (int side = 0; side < 2; ++side) {
            const bool lowerRight = side == 0;
            if (down && lowerRight && k == rings)
                continue;
            const auto& offsets = lowerRight ? kLowerRight[k - 1] : kUpperLeft[k - 1];
            edge.clear();
            for (int y = 0; y < h; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(target.constScanLine(y));
                for (int x = 0; x < w; ++x) {
                    if (line[x] != transparent)
                        continue;
                    for (const Offset& o : offsets) {
                        const int sx = x - o.dx;
                        const int sy = y - o.dy;
                        if (sx >= 0 && sy >= 0 && sx < w && sy < h && inSource[static_cast<size_t>(sy * w + sx)]) {
                            edge.push_back(y * w + x);
                            break;
                        }
                    }
                }
            }
            const TColor colour = bevel.SingleBorder && k == rings
                ? bevel.BorderColor
                : ShapeBevelColor(bevel, down, !lowerRight, transparentColor);
            const QRgb rgb = Rgb32(colour);
            for (int index : edge)
                target.setPixel(index % w, index / w, rgb);
        }
    }
    return target;
}

QImage CreateShapeMask(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    QImage mask(rgb.size(), QImage::Format_Mono);
    mask.setColor(0, qRgb(255, 255, 255));
    mask.setColor(1, qRgb(0, 0, 0));
    const QRgb transparent = rgb.pixel(0, rgb.height() - 1);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            mask.setPixel(x, y, line[x] != transparent ? 1 : 0);
    }
    return mask;
}

}  // namespace tw::controls
