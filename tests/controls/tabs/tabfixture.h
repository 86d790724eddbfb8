#pragma once
// A tab layout measured with fixed metrics: every character 7 pixels wide,
// every line 13 high, so that extents can be worked out by hand.

#include "controls/tabs/fctablayout.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>

namespace tw::controls {

// Readable rectangles and points in failure messages.
inline std::ostream& operator<<(std::ostream& os, const TRect& r)
{
    return os << '(' << r.Left << ',' << r.Top << ',' << r.Right << ',' << r.Bottom << ')';
}
inline std::ostream& operator<<(std::ostream& os, const TPoint& p)
{
    return os << '(' << p.x << ',' << p.y << ')';
}
inline std::ostream& operator<<(std::ostream& os, const TFcSize& s)
{
    return os << s.cx << 'x' << s.cy;
}

}  // namespace tw::controls

namespace tw::controls::testing {

struct TabLayoutFixture : ::testing::Test {
    TabLayoutFixture()
    {
        layout.SetSize(200, 100);
        // No image list: the image margin would only pad every caption.
        layout.Options.ImageMargin = 0;
    }

    void AddTabs(std::initializer_list<const char*> captions)
    {
        for (const char* caption : captions)
            layout.Tabs.Add()->Caption = QString::fromUtf8(caption);
        layout.SetCalcNeeded();
    }
    void Calc()
    {
        layout.SetCalcNeeded();
        layout.CheckCalcNeeded();
    }
    TRect RectOf(int i) const { return layout.Tabs.Items(i)->Rect; }

    TFcFixedMeasure measure{7, 13, 10};
    TFcTabLayout layout{measure};
};

}  // namespace tw::controls::testing
