#include "controls/choices/fcchoicegroup.h"

#include "controls/choices/fcgrouplayout.h"
#include "controls/foundation/fctextmetrics.h"

#include <QEvent>
#include <QKeyEvent>

namespace tw::controls {

namespace {

constexpr TColor kTeal = 0x808000;

}  // namespace

TFcCustomChoiceGroup::TFcCustomChoiceGroup(QWidget* parent) : TFcCustomGroupBox(parent)
{
    itemFont_ = font();
    look_.WinMaskColor = kTeal;
}

TFcCustomChoiceGroup::~TFcCustomChoiceGroup() = default;

template <typename T>
void TFcCustomChoiceGroup::Set(T& member, const T& value)
{
    if (member == value)
        return;
    member = value;
    Arrange();
}

TFcCustomGlyphButton* TFcCustomChoiceGroup::Item(int index) const
{
    return index >= 0 && index < Count() ? buttons_[static_cast<size_t>(index)] : nullptr;
}

int TFcCustomChoiceGroup::IndexOf(const QObject* item) const
{
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i] == item)
            return static_cast<int>(i);
    }
    return -1;
}

void TFcCustomChoiceGroup::SetItems(const QStringList& items)
{
    items_ = items;
    Rebuild();
}

void TFcCustomChoiceGroup::Rebuild()
{
    const int wanted = static_cast<int>(items_.size());
    while (Count() < wanted) {
        TFcCustomGlyphButton* item = CreateItem();
        item->setParent(this);
        item->setVisible(false);
        item->setEnabled(isEnabled());
        item->OnClick = [this](TFcControl* sender) {
            if (auto* button = qobject_cast<TFcCustomGlyphButton*>(sender))
                ItemClicked(button);
        };
        buttons_.push_back(item);
    }
    while (Count() > wanted) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    for (int i = 0; i < wanted; ++i)
        buttons_[static_cast<size_t>(i)]->SetCaption(items_[i]);
    ItemsRebuilt();
    Arrange();
    update();
}

void TFcCustomChoiceGroup::SetColumns(int value)
{
    const int c = ClampGroupColumns(value);
    if (c == columns_)
        return;
    columns_ = c;
    Arrange();
    update();
}

void TFcCustomChoiceGroup::SetItemFont(const QFont& font)
{
    itemFontSet_ = true;
    if (itemFont_ == font)
        return;
    itemFont_ = font;
    Arrange();
    update();
}

void TFcCustomChoiceGroup::SetItemHeight(int value)
{
    Set(itemHeight_, value);
}
void TFcCustomChoiceGroup::SetVerticalSpacing(int value)
{
    Set(verticalSpacing_, value);
}
void TFcCustomChoiceGroup::SetStartPos(int index, int value)
{
    Set(index == 1 ? startX_ : startY_, value);
}
void TFcCustomChoiceGroup::SetSpaceEvenly(bool value)
{
    Set(spaceEvenly_, value);
}
void TFcCustomChoiceGroup::SetItemFrameColor(TColor value)
{
    Set(look_.FrameColor, value);
}
void TFcCustomChoiceGroup::SetItemHotTrack(bool value)
{
    Set(hotTrack_, value);
}
void TFcCustomChoiceGroup::SetItemHotTrackColor(TColor value)
{
    Set(look_.HotTrackColor, value);
}
void TFcCustomChoiceGroup::SetItemHotTrackColorType(TFcHotTrackColorType value)
{
    Set(look_.HotTrackColorType, value);
}
void TFcCustomChoiceGroup::SetItemHighlightColor(TColor value)
{
    Set(look_.HighlightColor, value);
}
void TFcCustomChoiceGroup::SetLightTextStyle(bool value)
{
    Set(lightTextStyle_, value);
}
void TFcCustomChoiceGroup::SetTextStyle(TTextStyle value)
{
    Set(textStyle_, value);
}
void TFcCustomChoiceGroup::SetTextHighlightColor(TColor value)
{
    Set(textHighlightColor_, value);
}
void TFcCustomChoiceGroup::SetTextShadowColor(TColor value)
{
    Set(textShadowColor_, value);
}
void TFcCustomChoiceGroup::SetTextShadowDepth(int value)
{
    Set(textShadowDepth_, value);
}
void TFcCustomChoiceGroup::SetTransparentColor(TColor value)
{
    Set(look_.TransparentColor, value);
}
void TFcCustomChoiceGroup::SetWinMaskColor(TColor value)
{
    Set(look_.WinMaskColor, value);
}

void TFcCustomChoiceGroup::SetCustomGlyphs(const QImage& strip)
{
    customGlyphs_ = strip;
    useCustomGlyphs_ = false;
    SetUseCustomGlyphs(!strip.isNull());
    update();
}

void TFcCustomChoiceGroup::SetUseCustomGlyphs(bool value)
{
    const bool use = value && !customGlyphs_.isNull();
    if (use == useCustomGlyphs_ && use)
        return;
    useCustomGlyphs_ = use;
    if (use) {
        glyphWidth_ = customGlyphs_.width() / CustomGlyphCells();
        glyphHeight_ = customGlyphs_.height();
    } else {
        glyphWidth_ = glyphHeight_ = 13;
    }
    Arrange();
}

bool TFcCustomChoiceGroup::ItemEnabled(int index) const
{
    const TFcCustomGlyphButton* item = Item(index);
    return item && item->isEnabledTo(this);
}

void TFcCustomChoiceGroup::SetItemEnabled(int index, bool value)
{
    if (TFcCustomGlyphButton* item = Item(index))
        item->setEnabled(value);
}

void TFcCustomChoiceGroup::SetGroupBoxStyle(TFcGroupBoxStyle style)
{
    TFcCustomGroupBox::SetGroupBoxStyle(style);
    Arrange();
    update();
}

void TFcCustomChoiceGroup::SetTransparent(bool value)
{
    TFcCustomGroupBox::SetTransparent(value);
    Arrange();
}

void TFcCustomChoiceGroup::TextChanged()
{
    TFcCustomGroupBox::TextChanged();
    Arrange();
}

TFcGroupLayout TFcCustomChoiceGroup::Layout() const
{
    const TFcTextMeasure& measure = TextMeasure();
    TFcGroupLayout layout;
    layout.Columns = columns_;
    layout.SpaceEvenly = spaceEvenly_;
    layout.Width = width();
    layout.ClientWidth = width();
    layout.StartX = startX_;
    layout.BorderWidth = BorderWidth();
    layout.ItemHeight = itemHeight_;
    layout.VerticalSpacing = verticalSpacing_;
    layout.GlyphWidth = glyphWidth_;
    layout.RightToLeft = layoutDirection() == Qt::RightToLeft;
    layout.Top = GroupItemsTop(GroupStyle(), Caption().isEmpty(), GetMinFontHeight(font()), startY_,
                               BorderWidth(), BorderOuter(), BorderInner());
    for (const QString& line : items_)
        layout.TextWidths.push_back(measure.TextWidth(itemFont_, StripAccelerator(line)));
    return layout;
}

QSize TFcCustomChoiceGroup::HintFor(const std::vector<TRect>& fitted) const
{
    int right = 0;
    int bottom = 0;
    for (const TRect& r : fitted) {
        right = std::max(right, r.Right);
        bottom = std::max(bottom, r.Bottom);
    }
    return {right + startX_, bottom + verticalSpacing_ + 2};
}

QSize TFcCustomChoiceGroup::sizeHint() const
{
    if (buttons_.empty())
        return TFcCustomGroupBox::sizeHint();
    TFcGroupLayout layout = Layout();
    layout.SpaceEvenly = false;
    layout.RightToLeft = false;
    return HintFor(ArrangeGroupItems(layout));
}

void TFcCustomChoiceGroup::Arrange()
{
    if (buttons_.empty())
        return;
    const TFcGroupLayout layout = Layout();
    const std::vector<TRect> bounds = ArrangeGroupItems(layout);
    for (size_t i = 0; i < buttons_.size() && i < bounds.size(); ++i) {
        TFcCustomGlyphButton* item = buttons_[i];
        const TRect& r = bounds[i];
        item->setGeometry(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
        item->setVisible(true);
        PushItemLook(item);
    }
    // A layout holding the group asks again when the room it needs changes
    // (fitted left-to-right bounds are the hint's own).
    const QSize hint = !layout.SpaceEvenly && !layout.RightToLeft ? HintFor(bounds) : sizeHint();
    if (hint != lastHint_) {
        lastHint_ = hint;
        updateGeometry();
    }
}

void TFcCustomChoiceGroup::PushItemLook(TFcCustomGlyphButton* item)
{
    item->setFont(itemFont_);
    item->setLayoutDirection(layoutDirection());
    // The caption on the reading side: asking the item each pass would flip a
    // right-to-left item back and forth.
    item->SetAlignment(layoutDirection() == Qt::RightToLeft ? taLeftJustify : taRightJustify);
    item->SetTextHighlightColor(textHighlightColor_);
    item->SetTextShadowColor(textShadowColor_);
    item->SetTextShadowDepth(textShadowDepth_);
    item->SetLightTextStyle(lightTextStyle_);
    item->SetTextStyle(textStyle_);
    // The items always show the group's own surface: a style's group frame
    // fills its inside with a shade of its own, and an item filling the
    // group's colour would stand on a darker box of its own width.
    item->SetTransparent(true);
    item->SetColor(Color());
    item->SetWinMaskColor(look_.WinMaskColor);
    item->SetTransparentColor(look_.TransparentColor);
    if (useCustomGlyphs_)
        item->SetCustomGlyphs(customGlyphs_);
    item->SetUseCustomGlyphs(useCustomGlyphs_);
    item->SetFrameColor(look_.FrameColor);
    item->SetHotTrack(hotTrack_);
    item->SetHighlightColor(look_.HighlightColor);
    item->SetHotTrackColor(look_.HotTrackColor);
    item->SetHotTrackColorType(look_.HotTrackColorType);
    item->SetTabOnEnter(tabOnEnter_);
}

void TFcCustomChoiceGroup::FontChanged()
{
    TFcCustomGroupBox::FontChanged();
    if (!itemFontSet_)
        itemFont_ = font();
    Arrange();
    update();
}

void TFcCustomChoiceGroup::changeEvent(QEvent* event)
{
    TFcCustomGroupBox::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        Arrange();
}

void TFcCustomChoiceGroup::resizeEvent(QResizeEvent* event)
{
    TFcCustomGroupBox::resizeEvent(event);
    Arrange();
}

void TFcCustomChoiceGroup::keyPressEvent(QKeyEvent* event)
{
    if (tabOnEnter_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        focusNextChild();
        return;
    }
    TFcCustomGroupBox::keyPressEvent(event);
}

void TFcCustomChoiceGroup::EnabledChanged()
{
    TFcCustomGroupBox::EnabledChanged();
    for (TFcCustomGlyphButton* item : buttons_)
        item->setEnabled(isEnabled());
}

// ---- radio group ----

TFcCustomRadioGroup::TFcCustomRadioGroup(QWidget* parent) : TFcCustomChoiceGroup(parent) {}

TFcCustomGlyphButton* TFcCustomRadioGroup::CreateItem()
{
    return new TFcGroupButton;
}

TFcGroupButton* TFcCustomRadioGroup::Button(int index) const
{
    return static_cast<TFcGroupButton*>(Item(index));
}

void TFcCustomRadioGroup::SetItems(const QStringList& items)
{
    if (itemIndex_ >= static_cast<int>(items.size()))
        itemIndex_ = static_cast<int>(items.size()) - 1;
    TFcCustomChoiceGroup::SetItems(items);
}

void TFcCustomRadioGroup::ItemsRebuilt()
{
    if (itemIndex_ < 0)
        return;
    updating_ = true;
    Button(itemIndex_)->SetChecked(true);
    updating_ = false;
}

void TFcCustomRadioGroup::SetItemIndex(int index)
{
    index = std::clamp(index, -1, Count() - 1);
    if (index == itemIndex_)
        return;
    if (TFcGroupButton* old = Button(itemIndex_))
        old->SetChecked(false);
    itemIndex_ = index;
    if (TFcGroupButton* now = Button(itemIndex_))
        now->SetChecked(true);
}

bool TFcCustomRadioGroup::CanChange(int index)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, index, allow);
    return allow;
}

void TFcCustomRadioGroup::ItemClicked(TFcCustomGlyphButton* item)
{
    if (updating_)
        return;
    const int index = IndexOf(item);
    if (CanChange(index)) {
        SetItemIndex(index);
        Click();
        return;
    }
    // Refused: the selection goes back to where it was. With nothing
    // selected before, the clicked item must not stay checked either.
    updating_ = true;
    if (TFcGroupButton* old = Button(itemIndex_)) {
        old->setFocus(Qt::OtherFocusReason);
        old->SetChecked(true);
    } else {
        static_cast<TFcGroupButton*>(item)->SetChecked(false);
    }
    updating_ = false;
}

// ---- check group ----

TFcCustomCheckGroup::TFcCustomCheckGroup(QWidget* parent) : TFcCustomChoiceGroup(parent) {}

TFcCustomGlyphButton* TFcCustomCheckGroup::CreateItem()
{
    return new TFcGroupCheck;
}

TFcGroupCheck* TFcCustomCheckGroup::Check(int index) const
{
    return static_cast<TFcGroupCheck*>(Item(index));
}

void TFcCustomCheckGroup::SetAllowGrayed(bool value)
{
    if (allowGrayed_ == value)
        return;
    allowGrayed_ = value;
    Arrange();
}

void TFcCustomCheckGroup::PushItemLook(TFcCustomGlyphButton* item)
{
    TFcCustomChoiceGroup::PushItemLook(item);
    static_cast<TFcGroupCheck*>(item)->SetAllowGrayed(allowGrayed_);
}

bool TFcCustomCheckGroup::ItemChecked(int index) const
{
    const TFcGroupCheck* check = Check(index);
    return check && check->Checked();
}

void TFcCustomCheckGroup::SetItemChecked(int index, bool value)
{
    if (TFcGroupCheck* check = Check(index))
        check->SetChecked(value);
}

TCheckBoxState TFcCustomCheckGroup::ItemState(int index) const
{
    const TFcGroupCheck* check = Check(index);
    return check ? check->State() : cbUnchecked;
}

void TFcCustomCheckGroup::SetItemState(int index, TCheckBoxState value)
{
    if (TFcGroupCheck* check = Check(index))
        check->SetState(value);
}

TFcIntegerList TFcCustomCheckGroup::CheckStates() const
{
    TFcIntegerList states;
    for (int i = 0; i < Count(); ++i)
        states.Add(static_cast<int>(ItemState(i)));
    return states;
}

void TFcCustomCheckGroup::ReadCheckStates(const TFcIntegerList& states)
{
    checkStates_.Clear();
    for (int i = 0; i < states.Count(); ++i)
        checkStates_.Add(states.Items(i));
}

void TFcCustomCheckGroup::Loaded()
{
    for (int i = 0; i < checkStates_.Count() && i < Count(); ++i) {
        const int v = checkStates_.Items(i);
        if (v >= cbUnchecked && v <= cbGrayed)
            SetItemState(i, static_cast<TCheckBoxState>(v));
    }
}

void TFcCustomCheckGroup::ItemClicked(TFcCustomGlyphButton* item)
{
    const int index = IndexOf(item);
    if (index >= 0)
        Change(index, static_cast<TFcGroupCheck*>(item)->State());
}

void TFcCustomCheckGroup::Change(int index, TCheckBoxState state)
{
    if (OnChange)
        OnChange(this, index, state);
}

}  // namespace tw::controls
