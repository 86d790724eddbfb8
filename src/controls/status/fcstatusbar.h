#pragma once
// TFcStatusBar: the one status bar of the program's windows. A framed panel
// along the bottom of its window whose cells are TFcStatusPane children; the
// code of the windows writes to them by number (SetPanelText) or holds the
// panes themselves. A size grip in the bottom-right corner resizes the window
// (only a resizable top-level window that is not maximised), a simple mode
// shows one text instead of the panes, and the panes can follow the bar's
// width in proportion.
//
//   auto* bar = new TFcStatusBar(window);
//   bar->AddPane(120);                 // panel 0, 120 pixels
//   bar->AddPane(0);                   // panel 1 takes the rest
//   bar->SetPanelText(0, "Backing up");   // on screen before this returns

#include "controls/panels/fcpanel.h"
#include "controls/status/fcstatuspane.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class QWindow;

namespace tw::controls {

class TFcStatusBar : public TFcCustomPanel {
    Q_OBJECT
    // For .ui files (set with stdset="0").
    Q_PROPERTY(bool showSizeGrip READ ShowSizeGrip WRITE SetShowSizeGrip)
public:
    explicit TFcStatusBar(QWidget* parent = nullptr);

    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool value) { autoStyle_ = value; }
    bool ShowSizeGrip() const { return showSizeGrip_; }
    virtual void SetShowSizeGrip(bool value);
    bool SimpleStatus() const { return simpleStatus_; }
    virtual void SetSimpleStatus(bool value);
    QString SimpleCaption() const { return simpleCaption_; }
    virtual void SetSimpleCaption(const QString& value);
    TFrameStyle SimpleFrameStyle() const { return simpleFrameStyle_; }
    virtual void SetSimpleFrameStyle(TFrameStyle value);
    bool AutoScalePanes() const { return autoScalePanes_; }
    void SetAutoScalePanes(bool value) { autoScalePanes_ = value; }

    // Hand-set frames turn AutoStyle off, so that loading keeps them.
    void SetBorderInner(TFrameStyle value) override;
    void SetBorderOuter(TFrameStyle value) override;
    void SetBorderSides(TSides value) override;
    // No frames, all sides, 19 pixels high, no band.
    virtual void AdjustStyle();
    void Loaded() override;

    // A new pane of the width at the right end; the last pane added takes
    // what is left of the bar (a width of 0 asks for nothing more).
    TFcStatusPane* AddPane(int width);
    // The same for a pane made elsewhere (a glyph pane, say); the bar takes it.
    TFcCustomStatusPane* AddPane(TFcCustomStatusPane* pane, int width);
    // The panes in the order they were added (every status pane child).
    QList<TFcCustomStatusPane*> Panes() const;
    int PanelCount() const;
    TFcCustomStatusPane* Pane(int index) const;
    // Panel i's text; empty for a panel the bar does not have.
    QString PanelText(int index) const;
    // Sets and shows panel i's text at once; a panel the bar does not have
    // is ignored.
    void SetPanelText(int index, const QString& text);

    // The grip is drawn and works: a resizable top-level window that is not
    // maximised, with ShowSizeGrip set.
    bool GripUsable() const;
    TRect GripRect() const;
    // Starts the window system's resize from the bottom-right corner.
    void StartGripResize();
    // The call that starts it (QWindow::startSystemResize unless replaced;
    // the offscreen platform has no window manager to do it).
    std::function<bool(QWindow*)> StartSystemResize;

    TRect ClientAreaForChildren() const override;

protected:
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawSimpleStatusBorder(TFcCanvas& canvas, TRect r);
    void DrawSizeGrip(TFcCanvas& canvas);

    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool autoStyle_ = true;
    bool showSizeGrip_ = true;
    bool simpleStatus_ = false;
    QString simpleCaption_;
    TFrameStyle simpleFrameStyle_ = fsFlat;
    bool autoScalePanes_ = false;
    bool firstResize_ = true;
    int lastWidth_ = 0;
    int lastWidthChange_ = 0;
    // Draws the grip over panes that reach the corner.
    QWidget* gripOverlay_ = nullptr;
    QPointer<TFcCustomStatusPane> stretchPane_;
};

}  // namespace tw::controls
