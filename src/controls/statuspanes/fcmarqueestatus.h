#pragma once
// TFcMarqueeStatus: a status pane whose caption scrolls through it like a
// ticker on a timer of its own. The timer runs exactly while Scrolling is
// set and ScrollType is not stNone; stNone shows the caption as a plain pane.
#include "controls/statuspanes/fcmarqueecycle.h"
#include "controls/status/fcstatuspane.h"
#include <QTimer>
namespace tw::controls {
class TFcMarqueeStatus : public TFcStatusPane {
    Q_OBJECT
public:
    explicit TFcMarqueeStatus(QWidget* parent = nullptr);
    TFcScrollType ScrollType() const { return scrollType_; }
    void SetScrollType(TFcScrollType value);
    bool Scrolling() const { return scrolling_; }
    void SetScrolling(bool value);
    int ScrollSize() const { return scrollSize_; }
    void SetScrollSize(int value);
    int ScrollDelay() const { return scrollDelay_; }
    void SetScrollDelay(int ms);
    bool TimerRunning() const { return timer_.isActive(); }
    const TFcMarqueeCycle& Cycle() const { return cycle_; }
    void Tick();
protected:
    void DrawCaption(TFcCanvas& canvas, const QString& text) override;
    void resizeEvent(QResizeEvent* event) override;
    void TextChanged() override;
    void FontChanged() override;
private:
    void UpdateSteps();
    void UpdateTimer();
    TFcScrollType scrollType_ = stRightToLeft;
    bool scrolling_ = true;
    int scrollSize_ = 1;
    int scrollDelay_ = 100;
    TFcMarqueeCycle cycle_;
    QTimer timer_;
};
}  // namespace tw::controls
