#pragma once
// Widgets of the status family in classic colours with visual styles off; a
// style that records what the styled paths ask it to draw; and a window the
// grip can resize, whose resize requests are counted instead of handed to a
// window manager.

#include "controls/panels/pixelart.h"

#include "controls/foundation/fcthemesrv.h"
#include "controls/status/fcstatusbar.h"

#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <memory>

namespace tw::controls::testing {

class RecordingStyle : public QProxyStyle {
public:
    RecordingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    void drawPrimitive(PrimitiveElement pe, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        primitives.push_back(pe);
        QProxyStyle::drawPrimitive(pe, o, p, w);
    }
    void drawControl(ControlElement ce, const QStyleOption* o, QPainter* p, const QWidget* w) const override
    {
        controls.push_back(ce);
        QProxyStyle::drawControl(ce, o, p, w);
    }
    int Count(PrimitiveElement pe) const { return static_cast<int>(std::count(primitives.begin(), primitives.end(), pe)); }
    int Count(ControlElement ce) const { return static_cast<int>(std::count(controls.begin(), controls.end(), ce)); }
    mutable std::vector<PrimitiveElement> primitives;
    mutable std::vector<ControlElement> controls;
};

// Visual styles on through a recording style for the length of a test.
struct StyledScope {
    StyledScope()
    {
        ThemeServices()->SetStyle(&style);
        SetVisualStylesEnabled(true);
    }
    ~StyledScope()
    {
        SetVisualStylesEnabled(false);
        ThemeServices()->SetStyle(nullptr);
    }
    RecordingStyle style;
};

// A top-level window 300 by 120 with a status bar along its bottom.
struct StatusWindow {
    StatusWindow()
    {
        window = std::make_unique<QWidget>();
        window->resize(300, 120);
        bar = new TFcStatusBar(window.get());
        bar->StartSystemResize = [this](QWindow*) {
            ++resizes;
            return true;
        };
        bar->Loaded();
        bar->setGeometry(0, 101, 300, 19);
    }
    std::unique_ptr<QWidget> window;
    TFcStatusBar* bar = nullptr;
    int resizes = 0;
};

}  // namespace tw::controls::testing
