#include "controls/edits/fcframing.h"

#include "controls/base/fcaccessible.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcframecontroller.h"
#include "controls/foundation/fcthemesrv.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>

namespace tw::controls {
namespace {

// The overlay only paints; screen readers skip it.
class OverlayAccessible : public QAccessibleWidget {
public:
    explicit OverlayAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::NoRole) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        return s;
    }
};

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

}  // namespace

TFcFrameOverlay::TFcFrameOverlay(TFcFraming* framing, QWidget* host) : QWidget(host), framing_(framing)
{
    setObjectName(QStringLiteral("tw_frame_overlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    static const bool registered = [] {
        RegisterAccessible(&TFcFrameOverlay::staticMetaObject,
                           [](QWidget* w) { return new OverlayAccessible(w); });
        return true;
    }();
    (void)registered;
}

void TFcFrameOverlay::paintEvent(QPaintEvent*)
{
    // Only the outer two pixels carry the frame; the middle stays clear.
    QImage image(width(), height(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TFcCanvas canvas(image);
        framing_->PaintFrame(canvas, width(), height());
    }
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

TFcFraming::TFcFraming(QWidget* host) : QObject(nullptr), host_(host), overlay_(new TFcFrameOverlay(this, host))
{
    overlay_->hide();
    host_->installEventFilter(this);
    ApplyColor();
}

TFcFraming::~TFcFraming()
{
    if (controller_)
        controller_->RemoveControl(host_);
}

bool TFcFraming::Focused() const
{
    return askWindowForFocus_ ? host_->hasFocus() : focused_;
}

bool TFcFraming::UseThemes() const
{
    return framingPreference_ == fpXPThemes && ThemeServices()->GetThemesEnabled();
}

void TFcFraming::ApplyColor()
{
    QPalette palette = host_->palette();
    palette.setColor(QPalette::Base, ToQColor(color_));
    host_->setPalette(palette);
}

void TFcFraming::SetColor(TColor value)
{
    if (value == color_)
        return;
    color_ = value;
    ApplyColor();
    if (!updatingColors_) {
        // A colour the user sets keeps one colour in both states unless a
        // focus colour of its own was chosen.
        if (ColorToRGB(focusColor_) == ColorToRGB(normalColor_))
            focusColor_ = value;
        normalColor_ = value;
    }
    if (CustomFrame())
        RepaintFrame();
}

void TFcFraming::UpdateColors()
{
    updatingColors_ = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{updatingColors_};
    if (!host_->isEnabled())
        SetColor(disabledColor_);
    else if (host_->hasFocus())
        SetColor(focusColor_);
    else
        SetColor(normalColor_);
}

void TFcFraming::SetDisabledColor(TColor value)
{
    disabledColor_ = value;
    if (!host_->isEnabled())
        UpdateColors();
}

void TFcFraming::SetFocusColor(TColor value)
{
    focusColor_ = value;
    if (host_->hasFocus())
        UpdateColors();
}

void TFcFraming::SetFrameColor(TColor value)
{
    if (value == frameColor_)
        return;
    frameColor_ = value;
    RepaintFrame();
}

void TFcFraming::SetFrameHotColor(TColor value)
{
    if (value == frameHotColor_)
        return;
    frameHotColor_ = value;
    RepaintFrame();
}

void TFcFraming::SetFrameHotTrack(bool value)
{
    frameHotTrack_ = value;
    if (value) {
        SetFrameVisible(true);
        frameSides_ = kAllSides;
    }
    RepaintFrame();
    host_->update();
}

void TFcFraming::SetFrameHotStyle(TFrameStyle value)
{
    if (value == frameHotStyle_)
        return;
    frameHotStyle_ = value;
    RepaintFrame();
}

void TFcFraming::SetFrameSides(TSides value)
{
    value &= kAllSides;
    if (value == frameSides_)
        return;
    frameSides_ = value;
    RepaintFrame();
}

void TFcFraming::SetFrameStyle(TFrameStyle value)
{
    if (value == frameStyle_)
        return;
    frameStyle_ = value;
    RepaintFrame();
}

void TFcFraming::SetFrameVisible(bool value)
{
    if (value == frameVisible_)
        return;
    frameVisible_ = value;
    ApplyFraming();
}

void TFcFraming::SetFramingPreference(TFramingPreference value)
{
    if (value == framingPreference_)
        return;
    framingPreference_ = value;
    ApplyFraming();
}

void TFcFraming::SetFrameController(TFcFrameController* value)
{
    if (controller_ == value)
        return;
    if (controller_)
        controller_->RemoveControl(host_);
    controller_ = value;
    // The controller pushes its settings at once; the pointer clears itself
    // when the controller goes.
    if (controller_)
        controller_->AddControl(host_);
}

void TFcFraming::ApplyFraming()
{
    const bool custom = CustomFrame();
    if (ApplyFrameMode)
        ApplyFrameMode(custom);
    overlay_->setGeometry(host_->rect());
    overlay_->setVisible(custom);
    if (custom)
        overlay_->raise();
    host_->update();
}

void TFcFraming::RepaintFrame()
{
    if (overlay_->isVisible())
        overlay_->update();
}

void TFcFraming::UpdateFrame(bool viaMouse, bool inControl)
{
    if (viaMouse)
        mouseOver_ = inControl;
    else
        focused_ = inControl;
    if (FrameUpdated)
        FrameUpdated();
    else if (frameHotTrack_)
        RepaintFrame();
    UpdateColors();
}

void TFcFraming::Loaded()
{
    UpdateColors();
    UpdateFrame(false, false);
}

void TFcFraming::PaintFrame(TFcCanvas& canvas, int width, int height) const
{
    if (!CustomFrame())
        return;
    const bool hot = Hot();
    DrawFrame(canvas, width, height, hot ? frameHotStyle_ : frameStyle_, color_, hot ? frameHotColor_ : frameColor_,
              frameSides_, false);
}

bool TFcFraming::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != host_)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn:
        UpdateFrame(false, true);
        break;
    case QEvent::FocusOut:
        UpdateFrame(false, false);
        break;
    case QEvent::Enter:
        UpdateFrame(true, true);
        if (MouseEntered)
            MouseEntered();
        break;
    case QEvent::Leave:
        UpdateFrame(true, false);
        if (MouseLeft)
            MouseLeft();
        break;
    case QEvent::EnabledChange:
        if (EnabledChanged)
            EnabledChanged();
        UpdateColors();
        break;
    case QEvent::Resize:
        overlay_->setGeometry(host_->rect());
        if (Resized)
            Resized();
        RepaintFrame();
        break;
    case QEvent::Show:
        // Visual styles may have been switched since the frame was chosen.
        if (overlay_->isVisible() != CustomFrame())
            ApplyFraming();
        overlay_->raise();
        break;
    case QEvent::ChildAdded:
        if (overlay_->isVisible())
            overlay_->raise();
        break;
    case QEvent::PaletteChange:
    case QEvent::ParentChange:
        RepaintFrame();
        break;
    default:
        break;
    }
    return false;
}

TFcFramed::TFcFramed(QWidget* host) : framing_(std::make_unique<TFcFraming>(host))
{
    framing_->MouseEntered = [this] { MouseEnter(); };
    framing_->MouseLeft = [this] { MouseLeave(); };
}

TFcFramed::~TFcFramed() = default;

void TFcFramed::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(framing_->Host());
}

void TFcFramed::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(framing_->Host());
}

void TFcFramed::SetFrameHotStyleValue(int value)
{
    if (value >= 0 && value < kFrameStyleCount)
        SetFrameHotStyle(static_cast<TFrameStyle>(value));
}

void TFcFramed::SetFrameStyleValue(int value)
{
    if (value >= 0 && value < kFrameStyleCount)
        SetFrameStyle(static_cast<TFrameStyle>(value));
}

void TFcFramed::SetFramingPreferenceValue(int value)
{
    SetFramingPreference(value == fpCustomFraming ? fpCustomFraming : fpXPThemes);
}

}  // namespace tw::controls
