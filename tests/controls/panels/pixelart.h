#pragma once
// Pixel tests of the panels, choices and labels: classic colours, visual
// styles off, and a picture of an image as text so that a failure shows what
// was drawn.

#include "controls/foundation/drawfixture.h"

#include "controls/foundation/fccanvas.h"

#include <QImage>

#include <map>
#include <string>
#include <vector>

namespace tw::controls::testing {

inline TColor PixelOf(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// One string per row; legend maps characters to colours (system colours
// allowed); anything else is '?'.
inline Rows ImageArt(const QImage& image, const std::map<char, TColor>& legend)
{
    Rows rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = PixelOf(image, x, y);
            char ch = '?';
            for (const auto& [key, colour] : legend) {
                if (ColorToRGB(colour) == c) {
                    ch = key;
                    break;
                }
            }
            row += ch;
        }
        rows.push_back(row);
    }
    return rows;
}

// Pixels of a colour in an image.
inline int CountColour(const QImage& image, TColor colour)
{
    const TColor rgb = ColorToRGB(colour);
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            n += PixelOf(image, x, y) == rgb ? 1 : 0;
    }
    return n;
}

// Widgets in classic colours with visual styles off.
struct WidgetFixture : DrawFixture {};

}  // namespace tw::controls::testing
