#pragma once
// Tab widgets under test: classic colours, visual styles off and fixed text
// metrics, so that every tab lands where the layout tests say; pixels are read
// from the control's own off-screen picture.

#include "../testapplication.h"
#include "tabfixture.h"

#include "controls/foundation/fcthemesrv.h"
#include "controls/tabs/fccollectiontabcontrol.h"
#include "controls/tabs/fcpagecontrol.h"

#include <QImage>

#include <gtest/gtest.h>

namespace tw::controls::testing {

struct TabWidgetFixture : ::testing::Test {
    TabWidgetFixture()
    {
        TestApplication();
        SetSystemColors(ClassicSystemColors());
        SetVisualStylesEnabled(false);
        SetTextMeasure(&measure);
    }
    ~TabWidgetFixture() override { SetTextMeasure(nullptr); }

    // A collection tab control of w x h with the captions.
    std::unique_ptr<TFcTabControl> MakeStrip(std::initializer_list<const char*> captions, int w = 200,
                                             int h = 100)
    {
        auto strip = std::make_unique<TFcTabControl>();
        strip->resize(w, h);
        for (const char* caption : captions)
            strip->Tabs().Add()->SetCaption(QString::fromUtf8(caption));
        return strip;
    }

    static TColor Pixel(const QImage& image, int x, int y) { return FromRgb32(image.pixel(x, y)); }
    static TColor Rgb(TColor c) { return ColorToRGB(c); }

    TFcFixedMeasure measure{7, 13, 10};
};

}  // namespace tw::controls::testing
