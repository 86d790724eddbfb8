#pragma once
// JPEG pictures made in the test: a colour block per quadrant, so that a
// scaled decoding still shows where each colour lies.

#include "customers/jpegpicture.h"

namespace tw::customers::testing {

inline DecodedPicture QuadrantPicture(int width, int height)
{
    DecodedPicture p;
    p.Width = width;
    p.Height = height;
    p.Rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* px = p.Rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
            const bool right = x >= width / 2, bottom = y >= height / 2;
            px[0] = (!right && !bottom) || (right && bottom) ? 230 : 20;  // red top left, bottom right
            px[1] = right && !bottom ? 220 : 20;                          // green top right
            px[2] = !right && bottom ? 210 : 20;                          // blue bottom left
        }
    }
    return p;
}

inline std::vector<std::uint8_t> QuadrantJpeg(int width = 160, int height = 120)
{
    return EncodeJpeg(QuadrantPicture(width, height), 90);
}

}  // namespace tw::customers::testing
