#include "controls/base/fccontrol.h"

#include "controls/base/fcaccessible.h"
#include "controls/foundation/fcgrafx.h"

#include <QAction>
#include <QEvent>
#include <QPainter>

namespace tw::controls {

TFcControl::TFcControl(QWidget* parent)
    : QWidget(parent)
{
    // Controls paint every pixel of their image themselves.
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    EnsureAccessibleFactory();
}

TFcControl::~TFcControl() = default;

void TFcControl::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    TextChanged();
}

void TFcControl::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
}

void TFcControl::SetFontColor(TColor color)
{
    if (color == fontColor_)
        return;
    fontColor_ = color;
    update();
}

void TFcControl::SetTransparent(bool transparent)
{
    if (transparent == transparent_)
        return;
    transparent_ = transparent;
    // The parent's pixels come from DrawParentImage, so the widget still
    // paints all of its own rectangle.
    update();
}

bool TFcControl::CanFocus() const
{
    return focusPolicy() != Qt::NoFocus && isEnabled() && isVisibleTo(window());
}

void TFcControl::Repaint()
{
    repaint();
}

void TFcControl::PaintTo(TFcCanvas& canvas)
{
    canvas.SaveState();
    PrepareCanvas(canvas);
    EraseBackground(canvas);
    PrepareCanvas(canvas);
    Paint(canvas);
    canvas.RestoreState();
}

QImage TFcControl::RenderImage()
{
    QImage image = MakeBitmap(width(), height(), color_);
    {
        TFcCanvas canvas(image);
        PaintTo(canvas);
    }
    return image;
}

void TFcControl::PrepareCanvas(TFcCanvas& canvas) const
{
    canvas.Font = font();
    canvas.FontColor = fontColor_;
    canvas.Brush = TFcBrush{};
    canvas.Brush.Color = color_;
    canvas.Pen = TFcPen{};
}

void TFcControl::EraseBackground(TFcCanvas& canvas)
{
    if (transparent_ && parentWidget()) {
        DrawParentImage(this, canvas, false);
        return;
    }
    canvas.Brush.Color = color_;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.FillRect({0, 0, width(), height()});
}

void TFcControl::Paint(TFcCanvas&) {}

void TFcControl::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    if (buffer_.size() != size())
        buffer_ = MakeBitmap(width(), height(), color_);
    {
        TFcCanvas canvas(buffer_);
        PaintTo(canvas);
    }
    QPainter painter(this);
    painter.drawImage(0, 0, buffer_);
}

void TFcControl::SetAction(QAction* action)
{
    if (action == action_)
        return;
    if (actionLink_)
        disconnect(actionLink_);
    action_ = action;
    if (action) {
        actionLink_ = connect(action, &QAction::changed, this, [this] {
            if (action_)
                ActionChange(action_);
        });
        ActionChange(action);
    }
}

void TFcControl::ActionChange(QAction* action)
{
    SetCaption(action->text());
    setEnabled(action->isEnabled());
    if (isHidden() == action->isVisible())
        setVisible(action->isVisible());
    // QAction makes up a tool tip from its text; only one set on purpose is a hint.
    if (action->toolTip() != StripAccelerator(action->text()))
        SetHint(action->toolTip());
}

void TFcControl::Click()
{
    if (OnClick)
        OnClick(this);
    else if (action_)
        action_->trigger();
    emit clicked();
}

bool TFcControl::DialogKey(int, Qt::KeyboardModifiers)
{
    return false;
}

bool TFcControl::DialogChar(QChar, Qt::KeyboardModifiers)
{
    return false;
}

void TFcControl::FocusChanged(QWidget*) {}

void TFcControl::GroupNotice(int, TFcControl*) {}

void TFcControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
    emit mouseEntered();
}

void TFcControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
    emit mouseLeft();
}

void TFcControl::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    mouseInControl_ = true;
    MouseEnter();
}

void TFcControl::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    mouseInControl_ = false;
    MouseLeave();
}

void TFcControl::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        EnabledChanged();
        break;
    case QEvent::FontChange:
        FontChanged();
        break;
    default:
        break;
    }
}

QChar AcceleratorOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

bool IsAccel(QChar character, const QString& caption)
{
    const QChar accel = AcceleratorOf(caption);
    return !accel.isNull() && accel == character.toLower();
}

QString StripAccelerator(const QString& caption)
{
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                ++i;
            else
                continue;
        }
        text += caption[i];
    }
    return text;
}

void BroadcastGroupNotice(TFcControl* sender, int group)
{
    if (!sender || group == 0 || !sender->parentWidget())
        return;
    const QObjectList siblings = sender->parentWidget()->children();
    for (QObject* object : siblings) {
        auto* control = qobject_cast<TFcControl*>(object);
        if (control && control != sender)
            control->GroupNotice(group, sender);
    }
}

void NotifyLoaded(QWidget* form)
{
    if (!form)
        return;
    QWidget* window = form->window();
    const auto controls = window->findChildren<TFcControl*>();
    for (TFcControl* control : controls) {
        if (control->window() == window)
            control->Loaded();
    }
}

}  // namespace tw::controls
