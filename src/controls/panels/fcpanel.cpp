#include "controls/panels/fcpanel.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fctextmetrics.h"

#include <QChildEvent>
#include <QVariant>

namespace tw::controls {

namespace {

constexpr const char* kAlignProperty = "fcAlign";

// Sets a member and runs then() only when the value changes.
template <typename T, typename F>
void Change(T& member, const T& value, F then)
{
    if (member == value)
        return;
    member = value;
    then();
}

}  // namespace

TFcCustomPanel::TFcCustomPanel(QWidget* parent) : TFcControl(parent)
{
    setFont(DefaultControlFont());
}

TFcCustomPanel::~TFcCustomPanel()
{
    if (frameController_)
        frameController_->RemoveControl(this);
}

void TFcCustomPanel::SetAlign(QWidget* child, TAlign align)
{
    if (!child)
        return;
    child->setProperty(kAlignProperty, static_cast<int>(align));
    if (auto* panel = qobject_cast<TFcCustomPanel*>(child->parentWidget()))
        panel->Realign();
}

TAlign TFcCustomPanel::Align(const QWidget* child)
{
    const QVariant v = child ? child->property(kAlignProperty) : QVariant();
    return v.isValid() ? static_cast<TAlign>(v.toInt()) : alNone;
}

void TFcCustomPanel::SetAlignment(TAlignment value)
{
    Change(alignment_, value, [this] { update(); });
}
void TFcCustomPanel::SetAlignmentVertical(TAlignmentVertical value)
{
    Change(alignmentVertical_, value, [this] { update(); });
}
void TFcCustomPanel::SetBorderOuter(TFrameStyle value)
{
    Change(frames_.Outer, value, [this] {
        Realign();
        update();
    });
}
void TFcCustomPanel::SetBorderInner(TFrameStyle value)
{
    Change(frames_.Inner, value, [this] {
        Realign();
        update();
    });
}
void TFcCustomPanel::SetBorderSides(TSides value)
{
    Change(frames_.Sides, static_cast<TSides>(value & kAllSides), [this] {
        Realign();
        update();
    });
}
void TFcCustomPanel::SetBorderWidth(int value)
{
    Change(frames_.BorderWidth, std::max(0, value), [this] {
        Realign();
        update();
    });
}
void TFcCustomPanel::SetBevelWidth(int value)
{
    Change(frames_.BevelWidth, std::max(1, value), [this] {
        Realign();
        update();
    });
}
void TFcCustomPanel::SetBorderColor(TColor value)
{
    Change(borderColor_, value, [this] { update(); });
}
void TFcCustomPanel::SetBorderHighlight(TColor value)
{
    Change(borderHighlight_, value, [this] { update(); });
}
void TFcCustomPanel::SetBorderShadow(TColor value)
{
    Change(borderShadow_, value, [this] { update(); });
}
void TFcCustomPanel::SetFlatColor(TColor value)
{
    Change(flatColor_, value, [this] { update(); });
}
void TFcCustomPanel::SetFlatColorAdjustment(int value)
{
    Change(flatColorAdjustment_, value, [this] { update(); });
}
void TFcCustomPanel::SetGridColor(TColor value)
{
    Change(gridColor_, value, [this] { update(); });
}
void TFcCustomPanel::SetGridStyle(TFcGridStyle value)
{
    Change(gridStyle_, value, [this] { update(); });
}
void TFcCustomPanel::SetGridXSize(int value)
{
    Change(gridXSize_, value, [this] { update(); });
}
void TFcCustomPanel::SetGridYSize(int value)
{
    Change(gridYSize_, value, [this] { update(); });
}
void TFcCustomPanel::SetGridSize(int x, int y)
{
    SetGridXSize(x);
    SetGridYSize(y);
}
void TFcCustomPanel::SetShowGrid(bool value)
{
    Change(showGrid_, value, [this] { update(); });
}
void TFcCustomPanel::SetThemeAware(bool value)
{
    Change(themeAware_, value, [this] { update(); });
}
void TFcCustomPanel::SetTransparent(bool value)
{
    if (value == Transparent())
        return;
    TFcControl::SetTransparent(value);
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->update();
}
void TFcCustomPanel::SetParentColor(bool value)
{
    Change(parentColor_, value, [this] {
        if (parentColor_) {
            if (auto* control = qobject_cast<TFcControl*>(parentWidget()))
                SetColor(control->Color());
        }
        update();
    });
}

void TFcCustomPanel::SetFrameController(TFcFrameController* controller)
{
    if (frameController_ == controller)
        return;
    if (frameController_)
        frameController_->RemoveControl(this);
    frameController_ = controller;
    if (frameController_)
        frameController_->AddControl(this);
}

void TFcCustomPanel::CustomFramingChanged()
{
    if (!frameController_ || !frameController_->FrameVisible())
        return;
    // Stored straight into the fields: the controller's change does not move
    // the children.
    frames_.Outer = frameController_->FrameStyle();
    frames_.Sides = frameController_->FrameSides();
    flatColor_ = frameController_->FrameColor();
    flatColorAdjustment_ = 0;
    SetColor(frameController_->Color());
    parentColor_ = frameController_->ParentColor();
    borderHighlight_ = LighterColor(Color(), 100);
    borderShadow_ = DarkerColor(Color(), 50);
    update();
}

void TFcCustomPanel::SetBounds(int left, int top, int width, int height)
{
    const TAlign own = Align(this);
    if (own == alBottom && height != this->height())
        top = y() - (height - this->height());
    if (own == alRight && width != this->width())
        left = x() - (width - this->width());
    setGeometry(left, top, width, height);
}

TRect TFcCustomPanel::FixClientRect(const TRect& r, bool shrinkByBorder) const
{
    return InsetByFrames(r, frames_, shrinkByBorder, 2);
}

TRect TFcCustomPanel::ClientAreaForChildren() const
{
    return PanelClientRect(GetControlRect(), frames_);
}

void TFcCustomPanel::Realign()
{
    if (realigning_)
        return;
    realigning_ = true;
    std::vector<QWidget*> children;
    std::vector<TFcAlignItem> items;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            continue;
        const QRect g = child->geometry();
        children.push_back(child);
        items.push_back({Align(child), {g.left(), g.top(), g.right() + 1, g.bottom() + 1},
                         !child->isHidden()});
    }
    const std::vector<TRect> placed = AlignItems(ClientAreaForChildren(), items);
    for (size_t i = 0; i < children.size(); ++i) {
        if (items[i].Align == alNone || !items[i].Visible)
            continue;
        const TRect& r = placed[i];
        children[i]->setGeometry(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
    }
    realigning_ = false;
}

TRect TFcCustomPanel::DrawFrame(TFcCanvas& canvas, const TRect& r, TFrameStyle style, TSides sides)
{
    switch (style) {
    case fsFlat:
    case fsFlatBold: {
        const TColor c = AdjustColor(flatColor_, flatColorAdjustment_);
        return DrawBevel(canvas, r, c, c, style == fsFlat ? 1 : 2, sides);
    }
    case fsPopup: return DrawBevel(canvas, r, borderHighlight_, borderShadow_, frames_.BevelWidth, sides);
    case fsStatus: return DrawBevel(canvas, r, borderShadow_, borderHighlight_, frames_.BevelWidth, sides);
    default: return DrawBorderSides(canvas, r, style, sides);
    }
}

void TFcCustomPanel::PaintParentImage(TFcCanvas& canvas)
{
    DrawParentImage(this, canvas, false);
}

void TFcCustomPanel::Paint(TFcCanvas& canvas)
{
    // The background (the colour, or the parent's image) is already there.
    TRect r = GetControlRect();
    r = DrawFrame(canvas, r, frames_.Outer, frames_.Sides);
    if (frames_.BorderWidth > 0)
        r = DrawBevel(canvas, r, borderColor_, borderColor_, frames_.BorderWidth, frames_.Sides);
    r = DrawFrame(canvas, r, frames_.Inner, frames_.Sides);
    if (!Transparent()) {
        canvas.Brush.Color = Color();
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.FillRect(r);
    }
    if (showGrid_)
        DrawGrid(canvas, r);
    canvas.Brush.Style = TBrushStyle::Clear;
    DrawCaption(canvas, r);
    canvas.Brush.Style = TBrushStyle::Solid;
    if (OnPaint)
        OnPaint(this);
}

void TFcCustomPanel::DrawCaption(TFcCanvas& canvas, TRect r)
{
    const QString caption = Caption();
    if (caption.isEmpty())
        return;
    canvas.Font = font();
    r.Left += 1;
    const unsigned flags = DrawTextAlignments[alignment_] | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
    TRect measure = r;
    const int h = canvas.DrawText(caption, measure, flags | DT_CALCRECT);
    switch (alignmentVertical_) {
    case avCenter:
        r.Top = static_cast<int>(static_cast<unsigned>(r.Bottom + r.Top - h) >> 1);
        r.Bottom = r.Top + h;
        break;
    case avBottom: r.Top = r.Bottom - h - 1; break;
    case avTop: break;
    }
    canvas.BkMode = TBkMode::Transparent;
    canvas.FontColor = FontColor();
    if (!isEnabled()) {
        canvas.FontColor = clBtnHighlight;
        TRect shifted = r.Moved(1, 1);
        canvas.DrawText(caption, shifted, flags);
        canvas.FontColor = clBtnShadow;
    }
    canvas.DrawText(caption, r, flags);
}

void TFcCustomPanel::DrawGrid(TFcCanvas& canvas, const TRect& r)
{
    const TFcGridLines lines = GridLines(r, gridXSize_, gridYSize_);
    canvas.Pen.Color = gridColor_;
    canvas.Pen.Style = TPenStyle::Solid;
    switch (gridStyle_) {
    case gsDots:
        for (int x : lines.Xs) {
            for (int y : lines.Ys)
                canvas.SetPixel(x, y, gridColor_);
        }
        break;
    case gsDottedLines:
        for (int x : lines.Xs) {
            for (int y = r.Top + 1; y < r.Bottom; y += 2)
                canvas.SetPixel(x, y, gridColor_);
        }
        for (int y : lines.Ys) {
            for (int x = r.Left + 1; x < r.Right; x += 2)
                canvas.SetPixel(x, y, gridColor_);
        }
        break;
    case gsSolidLines:
        for (int x : lines.Xs) {
            canvas.MoveTo(x, r.Top);
            canvas.LineTo(x, r.Bottom);
        }
        for (int y : lines.Ys) {
            canvas.MoveTo(r.Left, y);
            canvas.LineTo(r.Right, y);
        }
        break;
    }
}

void TFcCustomPanel::resizeEvent(QResizeEvent* event)
{
    TFcControl::resizeEvent(event);
    Realign();
}

void TFcCustomPanel::EnabledChanged()
{
    const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (!isEnabled()) {
        enabledStates_.clear();
        for (QWidget* child : children)
            enabledStates_.append({child, child->isEnabledTo(this)});
        for (QWidget* child : children)
            child->setEnabled(false);
    } else {
        for (QWidget* child : children) {
            bool enable = true;
            for (const auto& [widget, wasEnabled] : enabledStates_) {
                if (widget == child) {
                    enable = wasEnabled;
                    break;
                }
            }
            child->setEnabled(enable);
        }
    }
    update();
}

bool TFcCustomPanel::event(QEvent* event)
{
    const bool handled = TFcControl::event(event);
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildRemoved:
    case QEvent::LayoutRequest:
    case QEvent::Show: Realign(); break;
    default: break;
    }
    return handled;
}

}  // namespace tw::controls
