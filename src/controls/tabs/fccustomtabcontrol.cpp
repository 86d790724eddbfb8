#include "controls/tabs/fccustomtabcontrol.h"

#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/tabs/fctabaccessible.h"
#include "controls/tabs/fctabscroller.h"

#include <QAccessible>
#include <QCursor>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace tw::controls {

namespace {

// Hot tracking looks at the pointer this often while a tab is hot.
constexpr int kHotTrackInterval = 60;

TColor FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

}  // namespace

TFcCustomTabControl::TFcCustomTabControl(QWidget* parent) : TFcControl(parent), layout_(TextMeasure())
{
    resize(300, 100);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    layout_.Options.Font = font();
    layout_.SetSize(width(), height());
    layout_.Changing = [this](int index, bool& allow) { Changing(index, allow); };
    layout_.Changed = [this] { Change(); };
    if (parent)
        backgroundColor_ = ParentColor();
    hotTimer_.setInterval(kHotTrackInterval);
    connect(&hotTimer_, &QTimer::timeout, this, [this] { HotTrackTick(); });
    RegisterTabAccessible();
}

TFcCustomTabControl::~TFcCustomTabControl()
{
    hotTimer_.stop();
    layout_.Changing = nullptr;
    layout_.Changed = nullptr;
}

TFcTabScroller* TFcCustomTabControl::Scroller() const
{
    return scroller_;
}

TFcTabCloseButton* TFcCustomTabControl::CloseButton() const
{
    return closeButton_;
}

// ---- options ---------------------------------------------------------------

#define TW_TAB_OPTION(Setter, Field, Type)                                                                   \
    void TFcCustomTabControl::Setter(Type v)                                                                 \
    {                                                                                                        \
        if (layout_.Options.Field == v)                                                                      \
            return;                                                                                          \
        layout_.Options.Field = v;                                                                           \
        Relayout();                                                                                          \
    }

TW_TAB_OPTION(SetAlignTabs, AlignTabs, bool)
TW_TAB_OPTION(SetBoldCurrentTab, BoldCurrentTab, bool)
TW_TAB_OPTION(SetImageAlignment, ImageAlignment, TFcHorizontalAlignment)
TW_TAB_OPTION(SetImageAlignmentVertical, ImageAlignmentVertical, TFcVerticalAlignment)
TW_TAB_OPTION(SetImagePosition, ImagePosition, TFcImagePosition)
TW_TAB_OPTION(SetMultiLine, MultiLine, bool)
TW_TAB_OPTION(SetShowCard, ShowCard, bool)
TW_TAB_OPTION(SetShowCardFrame, ShowCardFrame, bool)
TW_TAB_OPTION(SetTabOrientation, TabOrientation, TFcTabOrientation)
TW_TAB_OPTION(SetTabSequence, TabSequence, TFcTabSequence)
TW_TAB_OPTION(SetTabStyle, TabStyle, TFcTabStyle)
TW_TAB_OPTION(SetTextAlignment, TextAlignment, TFcHorizontalAlignment)
TW_TAB_OPTION(SetTextAlignmentVertical, TextAlignmentVertical, TFcVerticalAlignment)
TW_TAB_OPTION(SetTextOrientation, TextOrientation, TOrientation)

#undef TW_TAB_OPTION

// Negative sizes are ignored.
#define TW_TAB_SIZE(Setter, Field)                                                                           \
    void TFcCustomTabControl::Setter(int v)                                                                  \
    {                                                                                                        \
        if (v < 0 || layout_.Options.Field == v)                                                             \
            return;                                                                                          \
        layout_.Options.Field = v;                                                                           \
        Relayout();                                                                                          \
    }

TW_TAB_SIZE(SetCutCornerSize, CutCornerSize)
TW_TAB_SIZE(SetImageMargin, ImageMargin)
TW_TAB_SIZE(SetMargin, Margin)
TW_TAB_SIZE(SetRowIndent, RowIndent)
TW_TAB_SIZE(SetRowOverlap, RowOverlap)
TW_TAB_SIZE(SetTabHeight, TabHeight)
TW_TAB_SIZE(SetTabWidth, TabWidth)

#undef TW_TAB_SIZE

void TFcCustomTabControl::SetShowCloseButton(bool v)
{
    if (layout_.Options.ShowCloseButton == v)
        return;
    layout_.Options.ShowCloseButton = v;
    if (v && !closeButton_) {
        closeButton_ = new TFcTabCloseButton(this);
        closeButton_->SetFrameColor(LineColor());
        closeButton_->OnClose = [this](TFcTabCloseButton*) { CloseActiveTab(); };
    }
    if (closeButton_)
        closeButton_->setVisible(v);
    Relayout();
}

void TFcCustomTabControl::SetShowFullFrame(bool v)
{
    if (layout_.Options.ShowFullFrame == v)
        return;
    layout_.Options.ShowFullFrame = v;
    if (!v)
        layout_.Options.ShowShadow = false;
    Relayout();
}

void TFcCustomTabControl::SetShowShadow(bool v)
{
    if (layout_.Options.ShowShadow == v)
        return;
    layout_.Options.ShowShadow = v;
    if (v)
        layout_.Options.ShowFullFrame = true;
    Relayout();
}

void TFcCustomTabControl::SetImages(TFcImageList* images)
{
    if (images_ == images)
        return;
    images_ = images;
    layout_.Options.HasImages = images != nullptr;
    layout_.Options.ImageSize = images ? TFcSize{images->Width(), images->Height()} : TFcSize{};
    Relayout();
}

void TFcCustomTabControl::SetBackgroundColor(TColor v)
{
    parentBackgroundColor_ = false;
    if (backgroundColor_ == v)
        return;
    backgroundColor_ = v;
    update();
}

TColor TFcCustomTabControl::ParentColor() const
{
    QWidget* parent = parentWidget();
    if (!parent)
        return backgroundColor_;
    if (auto* control = qobject_cast<TFcControl*>(parent))
        return control->Color();
    return FromQColor(parent->palette().color(QPalette::Window));
}

void TFcCustomTabControl::SetParentBackgroundColor(bool v)
{
    if (parentBackgroundColor_ == v)
        return;
    parentBackgroundColor_ = v;
    if (v) {
        backgroundColor_ = ParentColor();
        update();
    }
}

TColor TFcCustomTabControl::LineColor() const
{
    return AdjustColor(flatColor_, flatColorAdjustment_);
}

void TFcCustomTabControl::SetFlatColor(TColor v)
{
    if (flatColor_ == v)
        return;
    flatColor_ = v;
    if (scroller_)
        scroller_->SetFrameColor(LineColor());
    if (closeButton_)
        closeButton_->SetFrameColor(LineColor());
    update();
}

void TFcCustomTabControl::SetFlatColorAdjustment(int v)
{
    if (flatColorAdjustment_ == v)
        return;
    flatColorAdjustment_ = v;
    if (scroller_)
        scroller_->SetFrameColor(LineColor());
    if (closeButton_)
        closeButton_->SetFrameColor(LineColor());
    update();
}

void TFcCustomTabControl::SetHotTrack(bool v)
{
    if (hotTrack_ == v)
        return;
    hotTrack_ = v;
    if (!hotTrack_ && !tabHints_)
        hotTimer_.stop();
}

void TFcCustomTabControl::SetTabHints(bool v)
{
    if (tabHints_ == v)
        return;
    tabHints_ = v;
    if (!hotTrack_ && !tabHints_)
        hotTimer_.stop();
}

#define TW_TAB_PAINT_OPTION(Setter, Member, Type)                                                            \
    void TFcCustomTabControl::Setter(Type v)                                                                 \
    {                                                                                                        \
        if (Member == v)                                                                                     \
            return;                                                                                          \
        Member = v;                                                                                          \
        update();                                                                                            \
    }

TW_TAB_PAINT_OPTION(SetHotTrackColor, hotTrackColor_, TColor)
TW_TAB_PAINT_OPTION(SetHotTrackColorType, hotTrackColorType_, TFcHotTrackColorType)
TW_TAB_PAINT_OPTION(SetHotTrackStyle, hotTrackStyle_, TFcHotTrackStyle)
TW_TAB_PAINT_OPTION(SetShowFocusRect, showFocusRect_, bool)
TW_TAB_PAINT_OPTION(SetTabColors, tabColors_, const TFcTabColors&)
TW_TAB_PAINT_OPTION(SetTextColors, textColors_, const TFcTextColors&)
TW_TAB_PAINT_OPTION(SetUseColoredTabs, useColoredTabs_, bool)
TW_TAB_PAINT_OPTION(SetUseGradients, useGradients_, bool)

#undef TW_TAB_PAINT_OPTION

void TFcCustomTabControl::SetTabRegionCacheSize(int v)
{
    if (v == -1 || v > 0)
        layout_.SetRegionCacheCapacity(v);
}

// ---- layout cycle ----------------------------------------------------------

void TFcCustomTabControl::Relayout()
{
    layout_.SetCalcNeeded();
    // The layout is brought up to date from the event loop, so that a
    // selection it has to move (and the veto and page switch that go with it)
    // happens outside painting; a paint before then still recomputes.
    if (!relayoutPosted_) {
        relayoutPosted_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                relayoutPosted_ = false;
                CheckCalcNeeded();
            },
            Qt::QueuedConnection);
    }
    update();
    if (scroller_)
        scroller_->update();
}

void TFcCustomTabControl::Rebuild()
{
    Relayout();
}

void TFcCustomTabControl::CheckCalcNeeded()
{
    if (inLayout_)
        return;
    // A hidden control gets no resize events; its size is taken here.
    layout_.SetSize(width(), height());
    if (!layout_.CalcNeeded())
        return;
    inLayout_ = true;
    layout_.SetMeasure(TextMeasure());
    const int before = layout_.TabIndex();
    layout_.CheckCalcNeeded();
    inLayout_ = false;
    if (layout_.TabIndex() != before)
        AfterSelection(true);
    DoRealign();
}

void TFcCustomTabControl::DoRealign()
{
    AlignCloseButton();
    AlignScroller();
    const TRect d = layout_.GetDisplayRect();
    const QRect display(d.Left, d.Top, d.Width(), d.Height());
    if (display == lastDisplay_)
        return;
    lastDisplay_ = display;
    AlignChildren(display);
}

void TFcCustomTabControl::AlignChildren(const QRect&) {}

namespace {

// Where a w x h box sits at the far end of the tab row inside the index band,
// offset along the row (the scroller leaves room for the close button there).
TPoint PlaceAtRowEnd(const TFcTabOptions& o, const TRect& i, int w, int h, int offset)
{
    const bool standard = o.TabSequence == tsStandard;
    switch (o.TabOrientation) {
    case toTop:
        return {standard ? (o.ShowShadow ? i.Right - w - 1 : i.Right - w + 1) - offset : i.Left + offset,
                i.Bottom - h - 2};
    case toLeft:
        return {i.Right - w - 2, standard ? i.Top + offset : i.Bottom - h + 1 - offset};
    case toBottom:
        return {standard ? i.Right - w + 1 - offset : i.Left + offset, i.Top + 2};
    case toRight:
        return {i.Left + 2, standard ? i.Bottom - h + 1 - offset : i.Top + offset};
    }
    return {0, 0};
}

}  // namespace

void TFcCustomTabControl::AlignScroller()
{
    const TFcTabOptions& o = layout_.Options;
    if (!layout_.ScrollerNeeded()) {
        if (scroller_)
            scroller_->move(-scroller_->width() - 1, -scroller_->height() - 1);
        return;
    }
    if (!scroller_) {
        scroller_ = new TFcTabScroller(this);
        scroller_->SetFrameColor(LineColor());
        scroller_->OnUpRightClick = [this](TFcTabScroller*) { ScrollTabs(layout_.UpRightScrollsForward()); };
        scroller_->OnDownLeftClick = [this](TFcTabScroller*) {
            ScrollTabs(!layout_.UpRightScrollsForward());
        };
    }
    const TRect i = layout_.GetIndexRect();
    const int m = o.Margin;
    const int s = layout_.GetScrollerSize();
    const bool horizontal = !layout_.Vertical();
    const int w = horizontal ? 2 * s - 1 : s;
    const int h = horizontal ? s : 2 * s - 1;
    const int c = layout_.GetCloseButtonSize();
    const int k = o.ShowCloseButton ? c + 2 + m : m;
    const TPoint at = PlaceAtRowEnd(o, i, w, h, k);
    scroller_->SetOrientation(horizontal ? orHorizontal : orVertical);
    scroller_->setGeometry(at.x, at.y, w, h);
    scroller_->show();
    scroller_->raise();
}

void TFcCustomTabControl::AlignCloseButton()
{
    const TFcTabOptions& o = layout_.Options;
    if (!closeButton_)
        return;
    closeButton_->setVisible(o.ShowCloseButton);
    if (!o.ShowCloseButton)
        return;
    const TRect i = layout_.GetIndexRect();
    const int m = o.Margin;
    // Without tabs the layout gives the button no size; it keeps a usable one.
    const int c = std::max(layout_.GetCloseButtonSize(), 0);
    const TPoint at = PlaceAtRowEnd(o, i, c, c, m);
    closeButton_->setGeometry(at.x, at.y, c, c);
    closeButton_->raise();
}

int TFcCustomTabControl::RowExtent()
{
    CheckCalcNeeded();
    return layout_.RowExtent();
}

int TFcCustomTabControl::FixedDimension()
{
    CheckCalcNeeded();
    return layout_.FixedDimension();
}

int TFcCustomTabControl::TabAtPos(int x, int y)
{
    CheckCalcNeeded();
    return layout_.TabAtPos(x, y);
}

TRect TFcCustomTabControl::TabRect(int index)
{
    CheckCalcNeeded();
    return layout_.CalcMappedTabRect(index);
}

TRect TFcCustomTabControl::DisplayRect()
{
    CheckCalcNeeded();
    return layout_.GetDisplayRect();
}

TRect TFcCustomTabControl::IndexRect()
{
    CheckCalcNeeded();
    return layout_.GetIndexRect();
}

bool TFcCustomTabControl::TabInView(int index)
{
    CheckCalcNeeded();
    return layout_.TabInView(index);
}

bool TFcCustomTabControl::ScrollerNeeded()
{
    CheckCalcNeeded();
    return layout_.ScrollerNeeded();
}

// ---- selection -------------------------------------------------------------

void TFcCustomTabControl::SetTabIndex(int index)
{
    if (loading_) {
        layout_.StoreTabIndex(index);
        return;
    }
    CheckCalcNeeded();
    const int before = layout_.TabIndex();
    const bool changed = layout_.SetTabIndex(index);
    AfterSelection(changed || before != layout_.TabIndex());
}

void TFcCustomTabControl::AfterSelection(bool changed)
{
    if (changed) {
        update();
        if (scroller_)
            scroller_->update();
        // Screen readers follow the selected page tab, as on a tab bar.
        if (QAccessible::isActive() && TabIndex() >= 0) {
            int child = 0;
            for (int i = 0; i < TabIndex(); ++i)
                child += Tab(i).Visible ? 1 : 0;
            QAccessibleEvent focus(this, hasFocus() ? QAccessible::Focus : QAccessible::Selection);
            focus.setChild(child);
            QAccessible::updateAccessibility(&focus);
        }
    }
    if (closeButton_ && closeButton_->isVisible())
        closeButton_->update();
}

bool TFcCustomTabControl::CanClose()
{
    bool allow = false;
    if (OnClose)
        OnClose(this, allow);
    return allow;
}

void TFcCustomTabControl::CloseActiveTab()
{
    if (TabIndex() >= 0 && CanClose())
        DestroyActiveTab();
}

void TFcCustomTabControl::ScrollTabs(bool forward)
{
    CheckCalcNeeded();
    if (layout_.ScrollTabs(forward)) {
        update();
        if (scroller_)
            scroller_->update();
    }
}

void TFcCustomTabControl::Change()
{
    if (OnChange)
        OnChange(this);
    emit currentChanged(TabIndex());
}

void TFcCustomTabControl::Changing(int newIndex, bool& allowChange)
{
    if (OnChanging)
        OnChanging(this, newIndex, allowChange);
}

void TFcCustomTabControl::GetTextColor(int tabIndex, TFcTextStyle style, TColor& color, bool& handled)
{
    if (OnGetTextColor)
        OnGetTextColor(this, tabIndex, style, color, handled);
}

void TFcCustomTabControl::TabClick()
{
    if (OnTabClick)
        OnTabClick(this);
}

void TFcCustomTabControl::Loaded()
{
    if (hintSaved_ == false) {
        savedHint_ = Hint();
        hintSaved_ = true;
    }
    loading_ = false;
    layout_.SetCalcNeeded();
    const int stored = layout_.TabIndex();
    layout_.StoreTabIndex(-1);
    SetTabIndex(stored);
}

// ---- input -----------------------------------------------------------------

void TFcCustomTabControl::keyPressEvent(QKeyEvent* event)
{
    if (TabCount() == 0) {
        TFcControl::keyPressEvent(event);
        return;
    }
    TFcTabKey key;
    switch (event->key()) {
    case Qt::Key_Home: key = TFcTabKey::Home; break;
    case Qt::Key_End: key = TFcTabKey::End; break;
    case Qt::Key_Left: key = TFcTabKey::Left; break;
    case Qt::Key_Right: key = TFcTabKey::Right; break;
    case Qt::Key_Up: key = TFcTabKey::Up; break;
    case Qt::Key_Down: key = TFcTabKey::Down; break;
    default: TFcControl::keyPressEvent(event); return;
    }
    CheckCalcNeeded();
    const int current = TabIndex();
    const int next = layout_.TabForKey(key);
    if (next >= 0 && next != current) {
        // The veto was asked on the way; it is not asked again.
        AfterSelection(layout_.SetTabIndex(next, true));
        TabClick();
    }
    event->accept();
}

bool TFcCustomTabControl::DialogChar(QChar character, Qt::KeyboardModifiers)
{
    if (!CanFocus())
        return false;
    const int index = layout_.TabForAccelerator(character);
    if (index < 0)
        return false;
    setFocus(Qt::ShortcutFocusReason);
    SetTabIndex(index);
    if (TabIndex() == index)
        TabClick();
    return true;
}

void TFcCustomTabControl::mousePressEvent(QMouseEvent* event)
{
    TFcControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !isEnabled())
        return;
    const QPoint p = event->position().toPoint();
    const int index = TabAtPos(p.x(), p.y());
    if (index < 0 || !Tab(index).Enabled)
        return;
    if (focusPolicy() & Qt::TabFocus && index == TabIndex()) {
        setFocus(Qt::MouseFocusReason);
        if (!hasFocus())
            return;
    }
    SetTabIndex(index);
    if (TabIndex() == index)
        TabClick();
}

void TFcCustomTabControl::mouseMoveEvent(QMouseEvent* event)
{
    TFcControl::mouseMoveEvent(event);
    if (!hotTrack_ && !tabHints_)
        return;
    const QPoint p = event->position().toPoint();
    const int index = TabAtPos(p.x(), p.y());
    if (index >= 0) {
        if (index == layout_.HotTabIndex())
            return;
        layout_.SetHotTabIndex(index);
        if (hotTrack_) {
            hotRepaint_ = true;
            const TRect band = layout_.GetIndexRect();
            update(QRect(band.Left, band.Top, band.Width() + 1, band.Height() + 1));
        }
        if (tabHints_) {
            QToolTip::hideText();
            if (!hintSaved_) {
                savedHint_ = Hint();
                hintSaved_ = true;
            }
            if (!Tab(index).Hint.isEmpty())
                setToolTip(Tab(index).Hint);
        }
        if (!hotTimer_.isActive())
            hotTimer_.start();
        return;
    }
    const TRect band = layout_.GetIndexRect();
    const bool inBand =
        p.x() >= band.Left && p.x() <= band.Right && p.y() >= band.Top && p.y() <= band.Bottom;
    if (tabHints_ && (layout_.HotTabIndex() >= 0 || inBand))
        QToolTip::hideText();
    StopHotTracking();
    // The empty part of the band shows no hint; the control's own stays saved.
    if (tabHints_ && inBand)
        setToolTip(QString());
}

void TFcCustomTabControl::leaveEvent(QEvent* event)
{
    TFcControl::leaveEvent(event);
    StopHotTracking();
}

void TFcCustomTabControl::StopHotTracking()
{
    hotTimer_.stop();
    if (layout_.HotTabIndex() < 0)
        return;
    layout_.SetHotTabIndex(-1);
    hotRepaint_ = true;
    const TRect band = layout_.GetIndexRect();
    update(QRect(band.Left, band.Top, band.Width() + 1, band.Height() + 1));
    if (hintSaved_)
        setToolTip(savedHint_);
}

void TFcCustomTabControl::HotTrackTick()
{
    const QPoint p = mapFromGlobal(QCursor::pos());
    if (!rect().contains(p) || TabAtPos(p.x(), p.y()) < 0)
        StopHotTracking();
}

void TFcCustomTabControl::focusInEvent(QFocusEvent* event)
{
    update();
    TFcControl::focusInEvent(event);
}

void TFcCustomTabControl::focusOutEvent(QFocusEvent* event)
{
    update();
    TFcControl::focusOutEvent(event);
}

void TFcCustomTabControl::resizeEvent(QResizeEvent* event)
{
    TFcControl::resizeEvent(event);
    layout_.SetSize(width(), height());
    Rebuild();
    CheckCalcNeeded();
}

bool TFcCustomTabControl::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && tabHints_) {
        // Over a tab the tab's hint; over the empty band none.
        auto* help = static_cast<QHelpEvent*>(event);
        const int index = TabAtPos(help->pos().x(), help->pos().y());
        const QString text = index >= 0 && !Tab(index).Hint.isEmpty() ? Tab(index).Hint : toolTip();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    if (event->type() == QEvent::ParentChange || event->type() == QEvent::PaletteChange) {
        if (parentBackgroundColor_)
            backgroundColor_ = ParentColor();
    }
    return TFcControl::event(event);
}

void TFcCustomTabControl::FontChanged()
{
    layout_.Options.Font = font();
    Rebuild();
}

void TFcCustomTabControl::ColorChanged()
{
    update();
}

// ---- painting --------------------------------------------------------------

void TFcCustomTabControl::EraseBackground(TFcCanvas&)
{
    // Paint covers every pixel, starting with the background.
}

void TFcCustomTabControl::PaintBackground(TFcCanvas& canvas, const TRect& rect, bool& handled)
{
    if (OnPaintBackground)
        OnPaintBackground(this, canvas, rect, handled);
}

void TFcCustomTabControl::PaintCardBackground(TFcCanvas& canvas, int row, const TRect& rect, bool& handled)
{
    if (OnPaintCardBackground)
        OnPaintCardBackground(this, canvas, row, rect, handled);
}

void TFcCustomTabControl::PaintTabBackground(TFcCanvas& canvas, int tabIndex, const TRect& rect,
                                             bool& handled)
{
    if (OnPaintTabBackground)
        OnPaintTabBackground(this, canvas, tabIndex, rect, handled);
}

void TFcCustomTabControl::Paint(TFcCanvas& canvas)
{
    CheckCalcNeeded();
    parentImageMade_ = false;
    bool handled = false;
    const TRect whole{0, 0, width(), height()};
    PaintBackground(canvas, whole, handled);
    if (!handled) {
        if (Transparent() && parentWidget()) {
            DrawParentImage(this, canvas, false);
        } else {
            canvas.Brush.Style = TBrushStyle::Solid;
            canvas.Brush.Color = backgroundColor_;
            canvas.FillRect(whole);
        }
    }
    DrawTabs(canvas);
    hotRepaint_ = false;
}

void TFcCustomTabControl::DrawTabs(TFcCanvas& canvas)
{
    const int n = TabCount();
    const int first = layout_.FirstTabIndex();
    const int selected = TabIndex();
    int currentRow = layout_.RowExtent() - 1;
    if (n > 0) {
        int s = -1;
        for (int i = 0; i < n && s < 0; ++i)
            if (Tab(i).Visible && Tab(i).Row == 0)
                s = i;
        // Walk down from just before s, wrapping, so that s comes last: the
        // farther rows and the tabs to the right lie under the nearer ones.
        int i = s <= 0 ? n - 1 : s - 1;
        for (int k = 0; k < n; ++k) {
            const TFcTabData& tab = Tab(i);
            if (tab.Visible && i != selected && i >= first && layout_.TabInView(i)) {
                if (tab.Row < currentRow && currentRow > 0) {
                    DrawCard(canvas, currentRow);
                    currentRow = tab.Row;
                }
                DrawTab(canvas, i);
            }
            i = i == 0 ? n - 1 : i - 1;
        }
        if (currentRow == 1)
            DrawCard(canvas, 1);
        if (selected >= first && selected >= 0 && layout_.TabInView(selected))
            DrawTab(canvas, selected);
    }
    DrawCard(canvas, 0);
}

void TFcCustomTabControl::DrawCard(TFcCanvas& canvas, int row)
{
    TRect r = layout_.CalcMappedCardRect(row);
    if (r == TRect{})
        return;
    if (layout_.Options.ShowCard) {
        r.Right += 1;
        r.Bottom += 1;
    }
    bool handled = false;
    PaintCardBackground(canvas, row, r, handled);
    if (!handled) {
        TColor fill = Color();
        if (useColoredTabs_ && TabIndex() >= 0) {
            fill = Tab(TabIndex()).Color;
            if (Color() != fill)
                SetColor(fill);
        }
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = fill;
        canvas.FillRect(r);
    }
    if (layout_.Options.ShowCardFrame)
        ProcessCommands(canvas, CalcCardDrawCommands(layout_, row, !hotRepaint_));
}

void TFcCustomTabControl::DrawTab(TFcCanvas& canvas, int index)
{
    const TRect rect = layout_.CalcMappedTabRect(index);
    if (rect.Right <= 0 || rect.Bottom <= 0 || rect.Left >= canvas.Width() || rect.Top >= canvas.Height())
        return;
    canvas.SaveState();
    canvas.SetClipRegion(layout_.CalcTabRegion(index));
    DrawTabBackground(canvas, index, rect);
    DrawTabFace(canvas, index, rect);
    canvas.RestoreState();
    ProcessCommands(canvas, CalcTabDrawCommands(layout_, index));
}

void TFcCustomTabControl::DrawTabBackground(TFcCanvas& canvas, int index, const TRect& rect)
{
    bool handled = false;
    PaintTabBackground(canvas, index, rect, handled);
    if (handled)
        return;
    const TFcTabData& tab = Tab(index);
    const TColor selectedColor = useColoredTabs_ ? tab.Color : Color();
    const TColor light = useColoredTabs_ ? tab.Color : tabColors_.Unselected;
    const TColor dark = useColoredTabs_ ? DarkerColor(tab.Color, 30) : tabColors_.Shadow;
    canvas.Brush.Style = TBrushStyle::Solid;
    if (index == TabIndex()) {
        canvas.Brush.Color = selectedColor;
        canvas.FillRect(rect);
        return;
    }
    if (useGradients_ && FullColorSupport()) {
        switch (layout_.Options.TabOrientation) {
        case toTop: PaintGradient(canvas, rect, gdHorizontalEnd, light, dark, 1); break;
        case toLeft: PaintGradient(canvas, rect, gdVerticalEnd, light, dark, 1); break;
        case toBottom: PaintGradient(canvas, rect, gdHorizontalEnd, dark, light, 1); break;
        case toRight: PaintGradient(canvas, rect, gdVerticalEnd, dark, light, 1); break;
        }
        return;
    }
    canvas.Brush.Color = light;
    canvas.FillRect(rect);
}

void TFcCustomTabControl::DrawTabFace(TFcCanvas& canvas, int index, const TRect& rect)
{
    const TFcTabData& tab = Tab(index);
    const TFcTabFace face = CalcTabFace(layout_, index, rect);
    if (face.DrawImage && images_) {
        int image = tab.ImageIndex;
        bool grey = !tab.Enabled;
        if (tab.DisabledIndex != -1) {
            image = tab.Enabled ? tab.ImageIndex : tab.DisabledIndex;
            grey = false;
        }
        if (image >= 0 && image < images_->Count()) {
            QImage picture = images_->Image(image);
            if (grey)
                picture =
                    picture.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
            canvas.Draw(face.ImageAt.x, face.ImageAt.y, picture);
        }
    }

    const bool hot = hotTrack_ && layout_.HotTabIndex() == index;
    const bool selected = index == TabIndex();
    auto query = [&](TFcTextStyle style, TColor fallback) {
        TColor color = fallback;
        bool handled = false;
        GetTextColor(index, style, color, handled);
        return handled ? color : fallback;
    };
    TColor hotColor = hotTrackColor_;
    if (hotTrackColorType_ == htctComplement) {
        const int h = ColorHue(hotTrackColor_);
        hotColor = HSLtoColor(static_cast<std::uint8_t>(h < 120 ? h + 120 : h - 120), 240, 140);
    }
    auto bar = [&](TColor color) {
        canvas.SaveState();
        canvas.Pen.Style = TPenStyle::Clear;
        canvas.Brush.Style = TBrushStyle::Solid;
        canvas.Brush.Color = color;
        canvas.Rectangle(HotTrackBarRect(layout_.Options.TabOrientation, rect));
        canvas.RestoreState();
    };
    const bool horizontal = layout_.Options.TextOrientation == orHorizontal;
    std::vector<std::pair<TPoint, TColor>> passes;
    if (tab.Enabled && hot) {
        const TColor color = query(tsHotTrack, hotTrackStyle_ == htsText ? hotColor : textColors_.Selected);
        if (hotTrackStyle_ == htsTab)
            bar(hotColor);
        passes.push_back({{0, 0}, color});
    } else if (tab.Enabled && selected) {
        if (hotTrack_ && hotTrackStyle_ == htsTab)
            bar(tabColors_.HighlightBar);
        passes.push_back({{0, 0}, query(tsSelected, textColors_.Selected)});
    } else if (tab.Enabled) {
        passes.push_back({{0, 0}, query(tsUnselected, textColors_.Unselected)});
    } else {
        passes.push_back({{1, 1}, query(tsDisabledHighlight, textColors_.DisabledHighlight)});
        passes.push_back({{0, 0}, query(tsDisabledShadow, textColors_.DisabledShadow)});
    }
    if (!tab.Caption.isEmpty()) {
        canvas.SaveState();
        QFont font = layout_.Options.Font;
        font.setBold(face.Bold);
        canvas.Font = font;
        canvas.FontAngle = horizontal ? 0 : (layout_.Options.TabOrientation == toRight ? 270 : 90);
        canvas.BkMode = TBkMode::Transparent;
        canvas.TextAlign = TA_LEFT | TA_TOP;
        for (const auto& [offset, color] : passes)
            for (const TFcTextLinePlace& line : face.Lines)
                DoTextOut(canvas, {line.At.x + offset.x, line.At.y + offset.y}, line.Text, horizontal, color);
        canvas.RestoreState();
    }
    if (showFocusRect_ && selected && hasFocus())
        DrawFocusBorder(canvas, FocusRectOfFace(layout_, face.Face));
}

void TFcCustomTabControl::DoTextOut(TFcCanvas& canvas, TPoint at, const QString& line, bool horizontal,
                                    TColor color)
{
    const TFcCaptionPieces pieces = SplitCaption(line);
    const QFont plain = canvas.Font;
    const bool rightTabs = layout_.Options.TabOrientation == toRight;
    canvas.FontColor = color;
    auto out = [&](const QString& text, bool underline) {
        if (text.isEmpty())
            return;
        QFont font = plain;
        if (underline && !plain.underline())
            font.setUnderline(true);
        canvas.Font = font;
        canvas.TextOut(at.x, at.y, text);
        const int advance = TextMeasure().TextWidth(font, text);
        if (horizontal)
            at.x += advance;
        else if (rightTabs)
            at.y += advance;
        else
            at.y -= advance;
    };
    out(pieces.Before, false);
    if (!pieces.Accelerator.isNull())
        out(QString(pieces.Accelerator), true);
    out(pieces.Rest, false);
    canvas.Font = plain;
}

void TFcCustomTabControl::ProcessCommands(TFcCanvas& canvas, const TFcTabCommands& commands)
{
    TColor lineColor = LineColor();
    canvas.SaveState();
    canvas.Pen.Style = TPenStyle::Solid;
    canvas.Pen.Width = 1;
    canvas.Pen.Mode = TPenMode::Copy;
    for (size_t k = 0; k < commands.size();) {
        const int code = commands[k++];
        if (code == tcPenColor) {
            canvas.Pen.Color = lineColor;
            continue;
        }
        if (code == tcNothing)
            continue;
        const int x = commands[k++];
        const int y = commands[k++];
        switch (code) {
        case tcStart: lineColor = LineColor(); break;
        case tcMoveTo: canvas.MoveTo(x, y); break;
        case tcLineTo: canvas.LineTo(x, y); break;
        case tcShadowDark:
        case tcShadowLight: {
            if (!parentImageMade_) {
                parentImage_ = MakeBitmap(width(), height(), backgroundColor_);
                TFcCanvas parentCanvas(parentImage_);
                DrawParentImage(this, parentCanvas, false);
                parentImageMade_ = true;
            }
            const std::uint8_t weight = code == tcShadowDark ? 30 : 15;
            const TPoint from = canvas.PenPos();
            const int dx = x > from.x ? 1 : x < from.x ? -1 : 0;
            const int dy = y > from.y ? 1 : y < from.y ? -1 : 0;
            TPoint p = from;
            for (;;) {
                if (p.x >= 0 && p.y >= 0 && p.x < parentImage_.width() && p.y < parentImage_.height()) {
                    const TColor behind = FromRgb32(parentImage_.pixel(p.x, p.y));
                    canvas.SetPixel(p.x, p.y, BlendColors(clBlack, behind, weight));
                }
                if (p.x == x && p.y == y)
                    break;
                p = {p.x + dx, p.y + dy};
            }
            canvas.MoveTo(x, y);
            break;
        }
        default: break;
        }
    }
    canvas.RestoreState();
}

}  // namespace tw::controls
