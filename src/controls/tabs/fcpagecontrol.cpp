#include "controls/tabs/fcpagecontrol.h"

#include "controls/base/fcformkeys.h"
#include "controls/foundation/fcreginifile.h"

#include <algorithm>

namespace tw::controls {

// ---- TFcTabSheet -----------------------------------------------------------

TFcTabSheet::TFcTabSheet(TFcPageControl* pageControl) : TFcControl(nullptr)
{
    QWidget::setVisible(false);
    setFocusPolicy(Qt::NoFocus);
    SetPageControl(pageControl);
}

TFcTabSheet::~TFcTabSheet()
{
    if (pageControl_)
        pageControl_->RemovePage(this);
}

void TFcTabSheet::SetPageControl(TFcPageControl* pageControl)
{
    if (pageControl == pageControl_)
        return;
    if (pageControl_)
        pageControl_->RemovePage(this);
    setParent(pageControl);
    QWidget::setVisible(false);
    if (pageControl)
        pageControl->InsertPage(this);
}

int TFcTabSheet::PageIndex() const
{
    if (!pageControl_)
        return -1;
    const auto& pages = pageControl_->pages_;
    const auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TFcTabSheet::SetPageIndex(int index)
{
    if (!pageControl_)
        return;
    const int last = pageControl_->PageCount() - 1;
    // A negative index is refused like one past the end, before the list is touched.
    if (index < 0 || index > last)
        throw EFcError(QStringLiteral("%1 is an invalid PageIndex value. PageIndex must be between 0 and %2")
                           .arg(index)
                           .arg(last)
                           .toStdString());
    pageControl_->MovePage(this, index);
    Changed();
}

int TFcTabSheet::TabIndex() const
{
    if (!tabVisible_ || !pageControl_)
        return -1;
    int index = 0;
    for (const TFcTabSheet* page : pageControl_->pages_) {
        if (page == this)
            return index;
        if (page->tabVisible_)
            ++index;
    }
    return -1;
}

void TFcTabSheet::SetColor(TColor color)
{
    if (color == Color())
        return;
    if (pageControl_ && !pageControl_->UseColoredTabs()) {
        if (color != pageControl_->Color())
            pageControl_->SetUseColoredTabs(true);
        // Still off: the colour is the page control's, which a page only takes
        // when it had another.
        if (!pageControl_->UseColoredTabs() && Color() == pageControl_->Color())
            return;
    }
    TFcControl::SetColor(color);
    Changed();
}

void TFcTabSheet::SetDisabledIndex(int index)
{
    if (index == disabledIndex_)
        return;
    disabledIndex_ = index;
    Changed();
}

void TFcTabSheet::SetImageIndex(int index)
{
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    Changed();
}

void TFcTabSheet::SetTabEnabled(bool enabled)
{
    if (enabled == tabEnabled_)
        return;
    tabEnabled_ = enabled;
    Changed();
}

void TFcTabSheet::SetTabVisible(bool visible)
{
    if (visible == tabVisible_)
        return;
    tabVisible_ = visible;
    Changed();
}

void TFcTabSheet::SetHint(const QString& hint)
{
    if (hint == Hint())
        return;
    TFcControl::SetHint(hint);
    Changed();
}

void TFcTabSheet::SetVisible(bool)
{
    throw EFcError("You cannot change the Visible property of a page");
}

void TFcTabSheet::AssignToTabData(TFcTabData& tab) const
{
    tab.Caption = Caption();
    tab.Color = Color();
    tab.Enabled = tabEnabled_;
    tab.Visible = tabVisible_;
    tab.Hint = Hint();
    tab.ImageIndex = imageIndex_;
    tab.DisabledIndex = disabledIndex_;
}

void TFcTabSheet::Changed()
{
    if (pageControl_)
        pageControl_->Rebuild();
}

void TFcTabSheet::TextChanged()
{
    TFcControl::TextChanged();
    Changed();
}

void TFcTabSheet::PaintBackground(TFcCanvas& canvas, const TRect& rect, bool& handled)
{
    if (OnPaintBackground)
        OnPaintBackground(this, canvas, rect, handled);
}

void TFcTabSheet::Paint(TFcCanvas& canvas)
{
    bool handled = false;
    const TRect r{0, 0, width(), height()};
    PaintBackground(canvas, r, handled);
    if (handled)
        return;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
}

// ---- TFcPageControl --------------------------------------------------------

TFcPageControl::TFcPageControl(QWidget* parent) : TFcCustomTabControl(parent)
{
    resize(width(), 150);
}

TFcPageControl::~TFcPageControl()
{
    for (TFcTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
}

void TFcPageControl::InsertPage(TFcTabSheet* page)
{
    pages_.push_back(page);
    page->pageControl_ = this;
    PlacePage(page);
    Rebuild();
}

void TFcPageControl::RemovePage(TFcTabSheet* page)
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    if (page == activePage_) {
        activePage_ = nullptr;
        // The selection goes with the page, so that selecting a tab afterwards
        // is a change that shows its page.
        Layout().StoreTabIndex(-1);
    }
    if (page == activePageDefault_)
        activePageDefault_ = nullptr;
    pages_.erase(it);
    page->pageControl_ = nullptr;
    Rebuild();
}

void TFcPageControl::MovePage(TFcTabSheet* page, int index)
{
    const auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end())
        return;
    pages_.erase(it);
    pages_.insert(pages_.begin() + index, page);
}

void TFcPageControl::PlacePage(TFcTabSheet* page)
{
    const TRect d = DisplayRect();
    page->setGeometry(d.Left, d.Top, std::max(0, d.Width()), std::max(0, d.Height()));
}

void TFcPageControl::AlignChildren(const QRect& display)
{
    for (TFcTabSheet* page : pages_)
        page->setGeometry(display.x(), display.y(), std::max(0, display.width()),
                          std::max(0, display.height()));
}

void TFcPageControl::Rebuild()
{
    TabList().Clear();
    for (const TFcTabSheet* page : pages_)
        if (page->TabVisible())
            page->AssignToTabData(*TabList().Add());
    if (activePage_ && !loading_) {
        // The shown page stays shown; only its tab's number follows the list.
        const int tab = activePage_->TabIndex();
        if (tab != TabIndex()) {
            Layout().StoreTabIndex(tab);
            update();
        }
    }
    TFcCustomTabControl::Rebuild();
}

TFcTabSheet* TFcPageControl::PageForTab(int tabIndex) const
{
    if (tabIndex < 0)
        return nullptr;
    for (TFcTabSheet* page : pages_)
        if (page->TabIndex() == tabIndex)
            return page;
    return nullptr;
}

void TFcPageControl::Changing(int newIndex, bool& allowChange)
{
    TFcCustomTabControl::Changing(newIndex, allowChange);
    if (allowChange)
        ChangeActivePage(PageForTab(newIndex));
}

void TFcPageControl::Change()
{
    // A selection the control made itself (a hidden tab left) asked no veto;
    // its page follows here.
    if (TabIndex() >= 0) {
        TFcTabSheet* page = PageForTab(TabIndex());
        if (page && page != activePage_)
            ChangeActivePage(page);
    }
    TFcCustomTabControl::Change();
}

void TFcPageControl::ChangeActivePage(TFcTabSheet* page)
{
    if (page == activePage_)
        return;
    QWidget* focus = ActiveControlOf(this);
    const bool focusInPage = focus && activePage_ && activePage_->isAncestorOf(focus);
    if (page) {
        PlacePage(page);
        page->raise();
        page->QWidget::setVisible(true);
    }
    if (activePage_)
        activePage_->QWidget::setVisible(false);
    activePage_ = page;
    if (focusInPage) {
        // The focus left the old page's children: the new page's first
        // control takes it, or else the page control.
        QWidget* first = nullptr;
        if (page) {
            for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
                if (!page->isAncestorOf(w))
                    break;
                if (w->focusPolicy() & Qt::TabFocus && w->isEnabled() && w->isVisibleTo(page)) {
                    first = w;
                    break;
                }
            }
        }
        if (first)
            first->setFocus(Qt::TabFocusReason);
        else
            setFocus(Qt::OtherFocusReason);
    }
}

void TFcPageControl::SetActivePage(TFcTabSheet* page)
{
    if (page && page->PageControl() != this)
        return;
    if (loading_) {
        activePage_ = page;
        return;
    }
    const int tab = page ? page->TabIndex() : -1;
    if (tab < 0)
        ChangeActivePage(page);
    SetTabIndex(tab);
}

int TFcPageControl::ActivePageIndex() const
{
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TFcPageControl::SetActivePageIndex(int index)
{
    SetActivePage(index >= 0 && index < PageCount() ? Pages(index) : nullptr);
}

TFcTabSheet* TFcPageControl::FindNextPage(TFcTabSheet* current, bool goForward, bool checkTabVisible) const
{
    const int n = PageCount();
    if (n == 0)
        return nullptr;
    const auto it = std::find(pages_.begin(), pages_.end(), current);
    int i = it != pages_.end() ? static_cast<int>(it - pages_.begin()) : (goForward ? n - 1 : 0);
    const int start = i;
    do {
        i = goForward ? (i + 1) % n : (i + n - 1) % n;
        TFcTabSheet* page = Pages(i);
        if (!checkTabVisible || page->TabVisible())
            return page;
    } while (i != start);
    return nullptr;
}

void TFcPageControl::SelectNextPage(bool goForward)
{
    if (TFcTabSheet* page = FindNextPage(activePage_, goForward, true))
        SetActivePage(page);
}

bool TFcPageControl::DialogKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (TFcCustomTabControl::DialogKey(key, modifiers))
        return true;
    if (key != Qt::Key_Tab || !(modifiers & Qt::ControlModifier))
        return false;
    QWidget* focus = ActiveControlOf(this);
    if (!focus || (focus != this && !isAncestorOf(focus)))
        return false;
    SelectNextPage(!(modifiers & Qt::ShiftModifier));
    return true;
}

void TFcPageControl::ShowControl(QWidget* control)
{
    for (QWidget* w = control; w; w = w->parentWidget()) {
        auto* page = qobject_cast<TFcTabSheet*>(w);
        if (page && page->PageControl() == this) {
            SetActivePage(page);
            return;
        }
    }
}

void TFcPageControl::DestroyActiveTab()
{
    if (!activePage_)
        return;
    const int tab = TabIndex();
    delete activePage_.data();
    SetTabIndex(std::max(tab - 1, 0));
}

void TFcPageControl::HideAllTabs()
{
    for (TFcTabSheet* page : pages_)
        page->SetTabVisible(false);
}

void TFcPageControl::ShowAllTabs()
{
    for (TFcTabSheet* page : pages_)
        page->SetTabVisible(true);
}

void TFcPageControl::SetUseColoredTabs(bool v)
{
    TFcCustomTabControl::SetUseColoredTabs(v);
    if (!v && parentWidget()) {
        for (TFcTabSheet* page : pages_)
            page->TFcControl::SetColor(Color());
        Rebuild();
    }
}

void TFcPageControl::PaintCardBackground(TFcCanvas& canvas, int row, const TRect& rect, bool& handled)
{
    TFcCustomTabControl::PaintCardBackground(canvas, row, rect, handled);
    if (handled || row != 0 || TabIndex() < 0 || !activePage_)
        return;
    canvas.Brush.Style = TBrushStyle::Solid;
    canvas.Brush.Color = activePage_->Color();
    canvas.FillRect(rect);
    handled = true;
}

void TFcPageControl::Loaded()
{
    TFcTabSheet* stored = activePage_;
    TFcTabSheet* page =
        activePageDefault_ && activePageDefault_ != stored ? activePageDefault_.data() : stored;
    TFcCustomTabControl::Loaded();
    Layout().StoreTabIndex(-1);
    activePage_ = nullptr;
    Rebuild();
    SetActivePage(page);
}

}  // namespace tw::controls
