#include "controls/toolbar/fctoolbar.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/panels/fcframes.h"
#include "controls/toolbar/fctoolbaraccessible.h"
#include "controls/toolbar/fccustomizetoolbar.h"
#include "controls/toolbar/fcspeedbutton.h"
#include "controls/toolbar/fctoolbutton.h"
#include <QApplication>
#include <QEvent>
#include <algorithm>
namespace tw::controls {
TFcSpacer::TFcSpacer(QWidget* parent) : TFcControl(parent)
{
    SetTransparent(true);
    resize(8, 25);
}

void TFcSpacer::SetGrooved(bool value)
{
    if (StoreChanged(grooved_, value))
        repaint();
}

void TFcSpacer::SetOrientation(TOrientation value)
{
    if (!StoreChanged(orientation_, value))
        return;
    resize(height(), width());
    repaint();
}

void TFcSpacer::Paint(TFcCanvas& canvas)
{
    if (!grooved_)
        return;
    const TRect r{0, 0, width(), height()};
    canvas.Pen = TFcPen{clBtnShadow};
    if (width() > height()) {
        const int y = r.Top + (r.Bottom - r.Top) / 2 - 1;
        canvas.MoveTo(r.Left + 1, y);
        canvas.LineTo(r.Right, y);
        canvas.Pen.Color = clBtnHighlight;
        canvas.MoveTo(r.Left + 1, y + 1);
        canvas.LineTo(r.Right, y + 1);
    } else {
        const int x = r.Left + (r.Right - r.Left) / 2 - 1;
        canvas.MoveTo(x, r.Top + 1);
        canvas.LineTo(x, r.Bottom);
        canvas.Pen.Color = clBtnHighlight;
        canvas.MoveTo(x + 1, r.Top + 1);
        canvas.LineTo(x + 1, r.Bottom);
    }
}

TFcToolbar::TFcToolbar(QWidget* parent) : TFcCustomPanel(parent)
{
    RegisterToolbarAccessibility();
    settingStyle_ = true;
    TFcCustomPanel::SetBorderInner(fsNone);
    TFcCustomPanel::SetBorderOuter(fsGroove);
    TFcCustomPanel::SetBorderSides(SideBit(sdTop));
    settingStyle_ = false;
    SetBorderWidth(0);
    resize(32, 32);
}

void TFcToolbar::SetBorderOuter(TFrameStyle value)
{
    if (value == BorderOuter())
        return;
    TFcCustomPanel::SetBorderOuter(value);
    if (!settingStyle_)
        autoStyle_ = false;
}
void TFcToolbar::SetBorderInner(TFrameStyle value)
{
    if (value == BorderInner())
        return;
    TFcCustomPanel::SetBorderInner(value);
    if (!settingStyle_)
        autoStyle_ = false;
}
void TFcToolbar::SetBorderSides(TSides value)
{
    if (value == BorderSides())
        return;
    TFcCustomPanel::SetBorderSides(value);
    if (!settingStyle_)
        autoStyle_ = false;
}

void TFcToolbar::AdjustStyle(TAlign align)
{
    settingStyle_ = true;
    TFcCustomPanel::SetBorderInner(fsNone);
    TFcCustomPanel::SetBorderOuter(showDivider_ ? fsGroove : fsNone);
    switch (align) {
    case alLeft: TFcCustomPanel::SetBorderSides(SideBit(sdLeft)); break;
    case alRight: TFcCustomPanel::SetBorderSides(SideBit(sdRight)); break;
    case alBottom: TFcCustomPanel::SetBorderSides(SideBit(sdBottom)); break;
    default: TFcCustomPanel::SetBorderSides(SideBit(sdTop)); break;
    }
    settingStyle_ = false;
    update();
}

void TFcToolbar::SetShowDivider(bool value)
{
    showDivider_ = value;
    settingStyle_ = true;
    TFcCustomPanel::SetBorderOuter(value ? fsGroove : fsNone);
    settingStyle_ = false;
    update();
}

#define TW_TOOLBAR_SETTER(Name, member)                                                                    \
    void TFcToolbar::Set##Name(decltype(geometry_.member) value)                                          \
    {                                                                                                      \
        if (StoreChanged(geometry_.member, value))                                                         \
            PositionControls();                                                                            \
    }
TW_TOOLBAR_SETTER(RowHeight, RowHeight)
TW_TOOLBAR_SETTER(Margin, Margin)
TW_TOOLBAR_SETTER(TopMargin, TopMargin)
TW_TOOLBAR_SETTER(WrapControls, WrapControls)
TW_TOOLBAR_SETTER(AutoResize, AutoResize)
#undef TW_TOOLBAR_SETTER

void TFcToolbar::SetOrientation(TOrientation value)
{
    if (!StoreChanged(geometry_.Orientation, value))
        return;
    for (QWidget* w : Controls())
        if (auto* spacer = qobject_cast<TFcSpacer*>(w))
            spacer->SetOrientation(value);
    PositionControls();
}

void TFcToolbar::SetBackground(const QImage& value)
{
    background_ = value;
    update();
}

void TFcToolbar::Paint(TFcCanvas& canvas)
{
    if (ThemeAware() && ThemeServices()->GetThemesEnabled()) {
        ThemeServices()->DrawElement(canvas, GetElementDetails(trRebarRoot), {0, 0, width(), height()});
        return;
    }
    TFcCustomPanel::Paint(canvas);
    if (background_.isNull())
        return;
    const TRect r = FixClientRect({0, 0, width(), height()}, true);
    canvas.SaveState();
    canvas.IntersectClipRect(r);
    for (int y = r.Top; y < r.Bottom; y += background_.height())
        for (int x = r.Left; x < r.Right; x += background_.width())
            canvas.Draw(x, y, background_);
    canvas.RestoreState();
}

void TFcToolbar::SetImages(TFcImageList* value)
{
    images_ = value;
    for (QWidget* w : Controls())
        w->update();
    update();
}

void TFcToolbar::TellButtons()
{
    for (QWidget* w : Controls()) {
        if (auto* b = qobject_cast<TFcToolButton*>(w)) {
            b->PickupToolbarStyles();
        } else if (auto* s = qobject_cast<TFcToolbarButton*>(w)) {
            s->resize(buttonWidth_, buttonHeight_);
            s->SetShowCaption(showButtonCaptions_);
            s->SetLayout(SpeedButtonLayout(showButtonCaptions_, buttonHeight_));
        }
    }
    PositionControls();
}

void TFcToolbar::SetButtonLayout(TButtonLayout value)
{
    if (!StoreChanged(buttonLayout_, value))
        return;
    if (!settingTextOptions_) {
        textOptions_ = ttoCustom;
        TellButtons();
    }
}
void TFcToolbar::SetButtonWidth(int value)
{
    if (!StoreChanged(buttonWidth_, value))
        return;
    if (!settingTextOptions_) {
        textOptions_ = ttoCustom;
        TellButtons();
    }
}
void TFcToolbar::SetButtonHeight(int value)
{
    if (!StoreChanged(buttonHeight_, value))
        return;
    if (!settingTextOptions_) {
        textOptions_ = ttoCustom;
        TellButtons();
    }
}
void TFcToolbar::SetShowButtonCaptions(bool value)
{
    if (!StoreChanged(showButtonCaptions_, value))
        return;
    if (!settingTextOptions_) {
        textOptions_ = ttoCustom;
        TellButtons();
    }
}

void TFcToolbar::ApplyPreset(const TFcTextOptionPreset& p)
{
    settingTextOptions_ = true;
    SetButtonLayout(p.Layout);
    SetShowButtonCaptions(p.ShowCaptions);
    SetButtonWidth(p.ButtonWidth);
    SetButtonHeight(p.ButtonHeight);
    geometry_.RowHeight = p.RowHeight;
    settingTextOptions_ = false;
    TellButtons();
}

void TFcToolbar::SetTextOptions(TFcToolbarTextOptions value)
{
    if (value == textOptions_)
        return;
    textOptions_ = value;
    TFcTextOptionPreset preset;
    if (TextOptionPreset(value, geometry_.Orientation, preset))
        ApplyPreset(preset);
}

void TFcToolbar::SyncControls()
{
    controls_.erase(std::remove_if(controls_.begin(), controls_.end(),
                                   [this](const QPointer<QWidget>& w) { return !w || w->parentWidget() != this; }),
                    controls_.end());
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        if (std::none_of(controls_.begin(), controls_.end(), [w](const QPointer<QWidget>& c) { return c == w; })) {
            controls_.emplace_back(w);
            // Hiding, showing or resizing a control closes or opens its gap.
            w->installEventFilter(this);
        }
    }
}

std::vector<QWidget*> TFcToolbar::Controls() const
{
    std::vector<QWidget*> out;
    for (const auto& w : controls_)
        if (w)
            out.push_back(w);
    return out;
}

int TFcToolbar::IndexOf(const QWidget* control) const
{
    const auto all = Controls();
    const auto it = std::find(all.begin(), all.end(), control);
    return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

void TFcToolbar::MoveControl(int from, int to)
{
    SyncControls();
    const int n = static_cast<int>(controls_.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    QPointer<QWidget> w = controls_[static_cast<size_t>(from)];
    controls_.erase(controls_.begin() + from);
    controls_.insert(controls_.begin() + to, w);
    PositionControls();
}

TFcToolbarControlList TFcToolbar::ListOfControls() const
{
    TFcToolbarControlList list;
    for (QWidget* w : Controls()) {
        TFcToolbarItem item;
        item.Name = w->objectName();
        item.Width = w->width();
        item.Height = w->height();
        item.Visible = !w->isHidden();
        item.RightToLeft = w->layoutDirection() == Qt::RightToLeft;
        list.Items().push_back(item);
    }
    return list;
}

void TFcToolbar::PositionControls()
{
    if (positioning_)
        return;
    positioning_ = true;
    SyncControls();
    TFcToolbarControlList list = ListOfControls();
    geometry_.Width = width();
    geometry_.Height = height();
    switch (Align(this)) {
    case alTop: geometry_.Align = tbaTop; break;
    case alBottom: geometry_.Align = tbaBottom; break;
    case alLeft: geometry_.Align = tbaLeft; break;
    case alRight: geometry_.Align = tbaRight; break;
    case alClient: geometry_.Align = tbaClient; break;
    default: geometry_.Align = tbaNone; break;
    }
    const TFcToolbarLayoutResult r = LayoutToolbar(geometry_, list);
    const auto controls = Controls();
    for (size_t i = 0; i < controls.size(); ++i)
        if (!controls[i]->isHidden())
            controls[i]->move(list[static_cast<int>(i)].Left, list[static_cast<int>(i)].Top);
    if (r.Resized) {
        resize(r.Width, r.Height);
        update();
        // The parent lays out again once this change is through.
        if (parentWidget())
            QApplication::postEvent(parentWidget(), new QEvent(QEvent::LayoutRequest));
    }
    positioning_ = false;
}

void TFcToolbar::Realign()
{
    PositionControls();
}

bool TFcToolbar::event(QEvent* event)
{
    const bool handled = TFcCustomPanel::event(event);
    switch (event->type()) {
    case QEvent::Resize: PositionControls(); break;
    case QEvent::Show:
    case QEvent::Hide:
        if (OnVisibleChanged)
            OnVisibleChanged(this);
        break;
    default: break;
    }
    return handled;
}

bool TFcToolbar::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::Resize:
        if (watched->parent() == this)
            PositionControls();
        break;
    default: break;
    }
    return TFcCustomPanel::eventFilter(watched, event);
}

void TFcToolbar::Customize()
{
    TFcFrmCustomizeToolbar dialog(this, TFcCustomizeCaptions{}, window());
    dialog.Reposition();
    dialog.exec();
}

void TFcToolbar::SaveLayout()
{
    SyncControls();
    SaveToolbarLayout(regIniFile_, objectName(), textOptions_, ListOfControls());
}

void TFcToolbar::RestoreLayout()
{
    SyncControls();
    TFcToolbarControlList list = ListOfControls();
    const int options = RestoreToolbarLayout(regIniFile_, objectName(), list);
    std::vector<QPointer<QWidget>> ordered;
    for (int i = 0; i < list.Count(); ++i)
        for (const auto& w : controls_)
            if (w && w->objectName() == list[i].Name) {
                w->setVisible(list[i].Visible);
                ordered.push_back(w);
                break;
            }
    if (ordered.size() == controls_.size())
        controls_ = ordered;
    PositionControls();
    if (options >= 0 && options <= ttoCustom)
        SetTextOptions(static_cast<TFcToolbarTextOptions>(options));
}
}  // namespace tw::controls
