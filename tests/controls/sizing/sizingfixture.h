#pragma once
// Splitters and size panels in classic colours with visual styles off, shown
// in a window so that the mouse can drag them.

#include "controls/panels/pixelart.h"

#include "controls/sizing/fcsplitdraw.h"

#include <QTest>

namespace tw::controls::testing {

// Press, move through each point and release with the left button.
inline void Drag(QWidget* w, QPoint from, std::initializer_list<QPoint> through, bool release = true)
{
    QTest::mousePress(w, Qt::LeftButton, {}, from);
    for (const QPoint& p : through)
        QTest::mouseMove(w, p);
    if (release)
        QTest::mouseRelease(w, Qt::LeftButton, {}, through.size() ? *(through.end() - 1) : from);
}

inline QPoint Centre(const TRect& r)
{
    return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
}

// Which way the hot spot's arrow at (x, y) points, from its pixels: 'L', 'R',
// 'U', 'D', or '?' when it is none of them.
inline char ArrowAt(const QImage& image, int x, int y)
{
    const auto lit = [&](int px, int py) { return PixelOf(image, px, py) == ColorToRGB(clHighlight); };
    if (lit(x - 1, y) && lit(x + 1, y - 2) && !lit(x - 1, y - 2))
        return 'L';
    if (lit(x + 1, y) && lit(x - 1, y - 2) && !lit(x + 1, y - 2))
        return 'R';
    if (lit(x, y - 1) && lit(x - 2, y + 1) && !lit(x - 2, y - 1))
        return 'U';
    if (lit(x, y + 1) && lit(x - 2, y - 1) && !lit(x - 2, y + 1))
        return 'D';
    return '?';
}

}  // namespace tw::controls::testing
