#include "controls/buttons/fcdialogbuttons.h"

#include "controls/base/fcmodalresult.h"
#include "controls/buttons/fcbitbtn.h"
#include "controls/foundation/fccommon.h"

#include <QAction>
#include <QEvent>
#include <QLayout>

namespace tw::controls {

namespace {
constexpr int kButtonHeight = 25;
constexpr int kRowHeight = 36;
}  // namespace

TFcDialogButtons::TFcDialogButtons(QWidget* parent)
    : TFcControl(parent)
{
    setFocusPolicy(Qt::NoFocus);
    const TBitBtnKind kinds[3] = {bkOK, bkCancel, bkHelp};
    for (int i = 0; i < 3; ++i) {
        auto* button = new TFcBitBtn(this);
        button->SetCaption(StockCaption(kinds[i]));
        button->resize(widths_[i], kButtonHeight);
        const auto which = static_cast<Button>(i + 1);
        button->OnClick = [this, which](TFcControl*) { ButtonClicked(which); };
        buttons_[i] = button;
    }
    buttons_[0]->SetModalResult(mrOk);
    buttons_[0]->SetDefault(true);
    buttons_[1]->SetModalResult(mrCancel);
    buttons_[1]->SetCancel(true);
    buttons_[2]->hide();
    if (parent) {
        watchedParent_ = parent;
        parent->installEventFilter(this);
    }
    AdjustPanelSize();
    PositionButtons();
}

void TFcDialogButtons::ButtonClicked(Button button)
{
    if (QAction* action = BtnAction(button))
        action->trigger();
    switch (button) {
    case Ok:
        if (OnClickOk)
            OnClickOk(this);
        emit clickedOk();
        break;
    case CancelButton:
        if (OnClickCancel)
            OnClickCancel(this);
        emit clickedCancel();
        break;
    case Help:
        if (OnClickHelp)
            OnClickHelp(this);
        emit clickedHelp();
        break;
    }
}

void TFcDialogButtons::SetAlign(TAlign align)
{
    if (align == align_)
        return;
    align_ = align;
    AdjustPanelSize();
    PositionButtons();
    Dock();
    Repaint();
}

QAction* TFcDialogButtons::BtnAction(Button button) const
{
    return ButtonOf(button)->Action();
}

void TFcDialogButtons::SetBtnAction(Button button, QAction* action)
{
    ButtonOf(button)->SetAction(action);
}

QString TFcDialogButtons::BtnCaption(Button button) const
{
    return ButtonOf(button)->Caption();
}

void TFcDialogButtons::SetBtnCaption(Button button, const QString& caption)
{
    ButtonOf(button)->SetCaption(caption);
}

bool TFcDialogButtons::BtnEnable(Button button) const
{
    return ButtonOf(button)->isEnabled();
}

void TFcDialogButtons::SetBtnEnable(Button button, bool enabled)
{
    ButtonOf(button)->setEnabled(enabled);
}

void TFcDialogButtons::SetBtnWidth(Button button, int width)
{
    widths_[button - 1] = width;
    AdjustPanelSize();
    PositionButtons();
    Repaint();
}

void TFcDialogButtons::SetShowButton(Button button, bool show)
{
    shown_[button - 1] = show;
    ButtonOf(button)->setVisible(show);
    AdjustPanelSize();
    PositionButtons();
}

TColor TFcDialogButtons::ButtonColor() const
{
    return buttons_[0]->Color();
}

void TFcDialogButtons::SetButtonColor(TColor color)
{
    for (TFcBitBtn* b : buttons_)
        b->SetColor(color);
}

bool TFcDialogButtons::HotTrack() const
{
    return buttons_[0]->HotTrack();
}

void TFcDialogButtons::SetHotTrack(bool value)
{
    for (TFcBitBtn* b : buttons_)
        b->SetHotTrack(value);
}

TColor TFcDialogButtons::HighlightColor() const
{
    return buttons_[0]->HighlightColor();
}

void TFcDialogButtons::SetHighlightColor(TColor value)
{
    for (TFcBitBtn* b : buttons_)
        b->SetHighlightColor(value);
}

TColor TFcDialogButtons::HotTrackColor() const
{
    return buttons_[0]->HotTrackColor();
}

void TFcDialogButtons::SetHotTrackColor(TColor value)
{
    for (TFcBitBtn* b : buttons_)
        b->SetHotTrackColor(value);
}

TFcHotTrackColorType TFcDialogButtons::HotTrackColorType() const
{
    return buttons_[0]->HotTrackColorType();
}

void TFcDialogButtons::SetHotTrackColorType(TFcHotTrackColorType value)
{
    for (TFcBitBtn* b : buttons_)
        b->SetHotTrackColorType(value);
}

bool TFcDialogButtons::CancelCancel() const
{
    return buttons_[1]->Cancel();
}

void TFcDialogButtons::SetCancelCancel(bool value)
{
    buttons_[1]->SetCancel(value);
}

bool TFcDialogButtons::OKDefault() const
{
    return buttons_[0]->Default();
}

void TFcDialogButtons::SetOKDefault(bool value)
{
    buttons_[0]->SetDefault(value);
}

void TFcDialogButtons::SetShowDivider(bool value)
{
    if (value == showDivider_)
        return;
    showDivider_ = value;
    update();
}

void TFcDialogButtons::SetShowGlyphs(bool value)
{
    showGlyphs_ = value;
    const TBitBtnKind kinds[3] = {bkOK, bkCancel, bkHelp};
    for (int i = 0; i < 3; ++i) {
        buttons_[i]->SetGlyph(value ? GetBitBtnGlyph(kinds[i]) : QImage());
        buttons_[i]->Repaint();
    }
}

void TFcDialogButtons::AdjustPanelSize()
{
    if (align_ == alLeft || align_ == alRight) {
        int widest = 0;
        for (int i = 0; i < 3; ++i)
            if (shown_[i])
                widest = std::max(widest, widths_[i]);
        setFixedWidth(widest + 12);
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    } else if (align_ == alTop || align_ == alBottom) {
        setFixedHeight(kRowHeight);
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

void TFcDialogButtons::PositionButtons()
{
    std::array<QRect, 3> bounds{};
    if (align_ == alLeft || align_ == alRight) {
        int shownCount = 0;
        for (bool s : shown_)
            shownCount += s;
        bounds[0] = QRect(6, 8, widths_[0], kButtonHeight);
        bounds[1] = QRect(6, shown_[0] ? 41 : 8, widths_[1], kButtonHeight);
        bounds[2] = QRect(6, (shownCount - 1) * 33 + 8, widths_[2], kButtonHeight);
    } else {
        const int w = width();
        // Each button's left depends only on the buttons at and after it.
        int tail = 0;
        for (int i = 2; i >= 0; --i) {
            if (shown_[i])
                tail += widths_[i] + 8;
            bounds[i] = QRect(w - tail, 6, widths_[i], kButtonHeight);
        }
        if (layoutDirection() == Qt::RightToLeft)
            for (QRect& b : bounds)
                b.moveLeft(w - b.left() - b.width());
    }
    for (int i = 0; i < 3; ++i)
        buttons_[i]->setGeometry(shown_[i] ? bounds[i] : QRect());
}

void TFcDialogButtons::Dock()
{
    QWidget* parent = parentWidget();
    if (!parent || parent->layout() || align_ == alNone)
        return;
    const QRect area = parent->rect();
    switch (align_) {
    case alTop: setGeometry(0, 0, area.width(), height()); break;
    case alBottom: setGeometry(0, area.height() - height(), area.width(), height()); break;
    case alLeft: setGeometry(0, 0, width(), area.height()); break;
    case alRight: setGeometry(area.width() - width(), 0, width(), area.height()); break;
    case alClient: setGeometry(area); break;
    case alNone: break;
    }
}

bool TFcDialogButtons::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == watchedParent_ && event->type() == QEvent::Resize)
        Dock();
    return TFcControl::eventFilter(watched, event);
}

void TFcDialogButtons::resizeEvent(QResizeEvent* event)
{
    TFcControl::resizeEvent(event);
    PositionButtons();
}

void TFcDialogButtons::Paint(TFcCanvas& canvas)
{
    if (!showDivider_)
        return;
    TSides side = SideBit(sdTop);
    switch (align_) {
    case alTop: side = SideBit(sdBottom); break;
    case alLeft: side = SideBit(sdRight); break;
    case alRight: side = SideBit(sdLeft); break;
    default: break;
    }
    DrawBorderSides(canvas, {0, 0, width(), height()}, fsGroove, side);
}

}  // namespace tw::controls
