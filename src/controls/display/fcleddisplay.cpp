#include "controls/display/fcleddisplay.h"
#include "controls/display/fcdisplayaccessible.h"
#include "controls/panels/fcframes.h"
namespace tw::controls {
TFcLEDDisplay::TFcLEDDisplay(QWidget* parent) : TFcBorder(parent)
{
    RegisterDisplayAccessibility();
    SetTransparent(false);
    SetBorderOuter(fsStatus);
    resize(100, 30);
    timer_.setInterval(scrollDelay_);
    connect(&timer_, &QTimer::timeout, this, &TFcLEDDisplay::Tick);
    Recompute();
}

void TFcLEDDisplay::SetBackColor(TColor value)
{
    if (StoreChanged(backColor_, value))
        update();
}
void TFcLEDDisplay::SetSegOnColor(TColor value)
{
    if (StoreChanged(segOnColor_, value))
        update();
}
void TFcLEDDisplay::SetSegOffColor(TColor value)
{
    if (StoreChanged(segOffColor_, value))
        update();
}

void TFcLEDDisplay::SetScrollType(TFcScrollType value)
{
    if (!StoreChanged(scrollType_, value))
        return;
    UpdateTimer();
    update();
}

void TFcLEDDisplay::SetScrolling(bool value)
{
    if (!StoreChanged(scrolling_, value))
        return;
    UpdateTimer();
    if (!value)
        position_ = 0;
    update();
}

void TFcLEDDisplay::SetScrollDelay(int ms)
{
    if (StoreChanged(scrollDelay_, ms))
        timer_.setInterval(ms);
}

void TFcLEDDisplay::UpdateTimer()
{
    if (LedTimerRuns(scrolling_, scrollType_))
        timer_.start();
    else
        timer_.stop();
}

void TFcLEDDisplay::Recompute()
{
    dots_ = LedDotsForHeight(ClientRect().Height());
    extent_ = LedScrollExtent(static_cast<int>(Caption().size()), dots_, width());
}

void TFcLEDDisplay::resizeEvent(QResizeEvent* event)
{
    TFcBorder::resizeEvent(event);
    Recompute();
}

void TFcLEDDisplay::TextChanged()
{
    Recompute();
    update();
}

void TFcLEDDisplay::Loaded()
{
    Recompute();
}

void TFcLEDDisplay::Tick()
{
    if (!LedTimerRuns(scrolling_, scrollType_))
        return;
    const bool complete = LedAdvance(position_, dots_, extent_);
    repaint();
    if (complete)
        ScrollComplete();
}

void TFcLEDDisplay::ScrollComplete()
{
    if (OnScrollComplete)
        OnScrollComplete(this);
}

void DrawLedCell(TFcCanvas& canvas, int x, int y, const TFcLedDots& dots, unsigned char code, TColor on,
                 TColor off)
{
    const int pitch = dots.Pitch();
    canvas.Pen = TFcPen{};
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < 6; ++c) {
            const int dx = x + c * pitch;
            const int dy = y + r * pitch;
            canvas.Brush.Style = TBrushStyle::Solid;
            canvas.Brush.Color = LedDotLit(code, r, c) ? on : off;
            canvas.Rectangle(dx, dy, dx + dots.Size + 1, dy + dots.Size + 1);
        }
}

void TFcLEDDisplay::Paint(TFcCanvas& canvas)
{
    TFcBorder::Paint(canvas);
    const TRect cr = ClientRect();
    if (cr.IsEmpty() || cr.Height() <= 7)
        return;
    // Cells run past both edges while the text scrolls: draw on a bitmap one
    // cell wider on each side and copy the visible part.
    const int cw = dots_.CellWidth();
    if (cw <= 0)
        return;
    QImage bitmap = MakeBitmap(cr.Width() + 2 * cw, cr.Height(), backColor_);
    {
        TFcCanvas off(bitmap);
        const int top = (cr.Height() - dots_.CellHeight()) / 2;
        for (int x = 0; x < cr.Width(); x += cw)
            DrawLedCell(off, cw + x, top, dots_, ' ', segOnColor_, segOffColor_);
        const QString text = Caption();
        int x = LedTextStart(scrollType_, scrolling_, cr.Width(), dots_, position_, static_cast<int>(text.size()));
        for (QChar ch : text) {
            // Anything outside the sign's character set shows the block.
            const unsigned char code = ch.unicode() > 126 ? 127 : static_cast<unsigned char>(ch.unicode());
            if (x + cw > 0 && x < cr.Width())
                DrawLedCell(off, cw + x, top, dots_, code, segOnColor_, segOffColor_);
            x += cw;
        }
    }
    canvas.CopyRect(cr, bitmap, {cw, 0, cw + cr.Width(), cr.Height()});
}
}  // namespace tw::controls
