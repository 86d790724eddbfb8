#pragma once
// Small images for pixel tests: visual styles off, the classic colour table,
// and a picture of the pixels as text so that a failure shows what was drawn.

#include "../testapplication.h"

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fcthemesrv.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace tw::controls::testing {

inline constexpr TColor kBack = RGB(255, 0, 255);  // a colour no routine draws

// One string per row of the image (or of area within it): the legend's
// character for a pixel of that colour (system colours allowed), '.' for the
// background colour, '?' for anything else.
inline std::vector<std::string> ImageArt(const QImage& image, const std::map<char, TColor>& legend,
                                         TColor background = clNone, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    std::vector<std::string> rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        std::string row;
        for (int x = area.left(); x <= area.right(); ++x) {
            const TColor c = FromRgb32(image.pixel(x, y));
            char ch = c == background ? '.' : '?';
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

struct DrawFixture : ::testing::Test {
    DrawFixture()
    {
        TestApplication();
        SetSystemColors(ClassicSystemColors());
        SetVisualStylesEnabled(false);
    }
    ~DrawFixture() override { SetSystemColors(ClassicSystemColors()); }

    // A w by h image in the background colour with a canvas on it.
    void Make(int w, int h)
    {
        canvas.reset();
        image = MakeBitmap(w, h, kBack);
        canvas = std::make_unique<TFcCanvas>(image);
    }
    TColor At(int x, int y) const { return canvas->Pixel(x, y); }

    // One string per row; legend maps colours (system colours allowed) to
    // characters, the background is '.', anything else '?'.
    std::vector<std::string> Art(const std::map<char, TColor>& legend) const
    {
        return ImageArt(image, legend, kBack);
    }

    QImage image;
    std::unique_ptr<TFcCanvas> canvas;
};

using Rows = std::vector<std::string>;

// A parent that fills its background with one colour, for what transparent
// controls show behind them.
inline void FillBackground(QWidget& widget, int width, int height, QColor colour)
{
    widget.resize(width, height);
    widget.setAutoFillBackground(true);
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

}  // namespace tw::controls::testing
