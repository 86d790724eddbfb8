#include "controls/statuspanes/fcmarqueestatus.h"
#include "controls/panels/fcframes.h"
#include <QFontMetrics>
namespace tw::controls {
TFcMarqueeStatus::TFcMarqueeStatus(QWidget* parent) : TFcStatusPane(parent)
{
    timer_.setInterval(scrollDelay_);
    connect(&timer_, &QTimer::timeout, this, &TFcMarqueeStatus::Tick);
    UpdateSteps();
    UpdateTimer();
}

void TFcMarqueeStatus::UpdateTimer()
{
    if (MarqueeTimerRuns(scrolling_, scrollType_))
        timer_.start();
    else
        timer_.stop();
}

void TFcMarqueeStatus::SetScrollType(TFcScrollType value)
{
    if (!StoreChanged(scrollType_, value))
        return;
    UpdateTimer();
    update();
}

void TFcMarqueeStatus::SetScrolling(bool value)
{
    if (!StoreChanged(scrolling_, value))
        return;
    UpdateTimer();
    if (!value)
        cycle_.Position = 0;
    update();
}

void TFcMarqueeStatus::SetScrollSize(int value)
{
    scrollSize_ = value < 1 ? 1 : value;
}

void TFcMarqueeStatus::SetScrollDelay(int ms)
{
    if (StoreChanged(scrollDelay_, ms))
        timer_.setInterval(ms);
}

void TFcMarqueeStatus::UpdateSteps()
{
    cycle_.Length = QFontMetrics(font()).horizontalAdvance(StripAccelerator(Caption())) + width();
}

void TFcMarqueeStatus::resizeEvent(QResizeEvent* event)
{
    TFcStatusPane::resizeEvent(event);
    UpdateSteps();
}

void TFcMarqueeStatus::TextChanged()
{
    UpdateSteps();
    TFcStatusPane::TextChanged();
}

void TFcMarqueeStatus::FontChanged()
{
    UpdateSteps();
    TFcStatusPane::FontChanged();
}

void TFcMarqueeStatus::Tick()
{
    if (!MarqueeTimerRuns(scrolling_, scrollType_))
        return;
    cycle_.Advance(scrollSize_);
    repaint();
}

void TFcMarqueeStatus::DrawCaption(TFcCanvas& canvas, const QString& text)
{
    if (scrollType_ == stNone) {
        TFcStatusPane::DrawCaption(canvas, text);
        return;
    }
    const TRect r = GetCaptionRect();
    if (r.IsEmpty())
        return;
    QImage bitmap = MakeBitmap(r.Width(), r.Height(), FillColor());
    {
        TFcCanvas off(bitmap);
        off.Font = font();
        off.FontColor = CaptionColor();
        off.BkMode = TBkMode::Transparent;
        const QString shown = StripAccelerator(text);
        const int textWidth = off.TextWidth(shown);
        const int y = (r.Height() - off.TextHeight(QStringLiteral("Pp"))) / 2 - BorderWidth() - 1 + r.Top;
        const int x = MarqueeTextX(scrollType_, width(), cycle_.Position, textWidth);
        off.TextRect({0, 0, r.Width(), r.Height()}, x, y, shown);
    }
    canvas.Draw(BorderWidth() + 1, BorderWidth() + 1, bitmap);
}
}  // namespace tw::controls
