#include "controls/tabs/fccollectiontabcontrol.h"

#include <algorithm>

namespace tw::controls {

#define TW_ITEM_SETTER(Setter, Member, Type)                                                                 \
    void TFcTabCollectionItem::Setter(Type v)                                                                \
    {                                                                                                        \
        if (Member == v)                                                                                     \
            return;                                                                                          \
        Member = v;                                                                                          \
        Changed();                                                                                           \
    }

TW_ITEM_SETTER(SetCaption, caption_, const QString&)
TW_ITEM_SETTER(SetColor, color_, TColor)
TW_ITEM_SETTER(SetDisabledIndex, disabledIndex_, int)
TW_ITEM_SETTER(SetEnabled, enabled_, bool)
TW_ITEM_SETTER(SetHint, hint_, const QString&)
TW_ITEM_SETTER(SetImageIndex, imageIndex_, int)
TW_ITEM_SETTER(SetVisible, visible_, bool)

#undef TW_ITEM_SETTER

int TFcTabCollectionItem::Index() const
{
    return collection_ ? collection_->IndexOf(this) : -1;
}

void TFcTabCollectionItem::Changed()
{
    if (collection_)
        collection_->Update();
}

void TFcTabCollectionItem::Assign(const TFcTabCollectionItem& source)
{
    if (collection_)
        collection_->BeginUpdate();
    SetCaption(source.caption_);
    SetColor(source.color_);
    SetEnabled(source.enabled_);
    SetVisible(source.visible_);
    SetHint(source.hint_);
    SetImageIndex(source.imageIndex_);
    SetDisabledIndex(source.disabledIndex_);
    if (collection_)
        collection_->EndUpdate();
}

void TFcTabCollectionItem::AssignTo(TFcTabData& tab) const
{
    tab.Caption = caption_;
    tab.Color = color_;
    tab.Enabled = enabled_;
    tab.Visible = visible_;
    tab.Hint = hint_;
    tab.ImageIndex = imageIndex_;
    tab.DisabledIndex = disabledIndex_;
}

QString TFcTabCollectionItem::DisplayName() const
{
    if (!caption_.isEmpty())
        return caption_;
    return QStringLiteral("TFcTabCollectionItem%1").arg(Index());
}

void TFcTabCollection::SetItems(int index, const TFcTabCollectionItem& source)
{
    Items(index)->Assign(source);
}

TFcTabCollectionItem* TFcTabCollection::Add()
{
    items_.push_back(std::make_unique<TFcTabCollectionItem>(this));
    Update();
    return items_.back().get();
}

void TFcTabCollection::Delete(int index)
{
    items_.erase(items_.begin() + index);
    Update();
}

void TFcTabCollection::Move(int from, int to)
{
    if (from == to)
        return;
    auto item = std::move(items_.at(static_cast<size_t>(from)));
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + std::clamp(to, 0, Count()), std::move(item));
    Update();
}

void TFcTabCollection::Clear()
{
    items_.clear();
    Update();
}

void TFcTabCollection::Assign(const TFcTabCollection& source)
{
    if (&source == this)
        return;
    BeginUpdate();
    items_.clear();
    for (const auto& item : source.items_) {
        items_.push_back(std::make_unique<TFcTabCollectionItem>(this));
        items_.back()->Assign(*item);
        items_.back()->Tag = item->Tag;
    }
    EndUpdate();
}

int TFcTabCollection::IndexOf(const TFcTabCollectionItem* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].get() == item)
            return i;
    return -1;
}

void TFcTabCollection::EndUpdate()
{
    if (--updating_ == 0)
        Update();
}

void TFcTabCollection::Update()
{
    if (updating_ == 0 && onUpdate_)
        onUpdate_();
}

TFcCollectionTabControl::TFcCollectionTabControl(QWidget* parent)
    : TFcCustomTabControl(parent),
      tabs_([this] { Rebuild(); })
{}

void TFcCollectionTabControl::SetTabs(const TFcTabCollection& tabs)
{
    tabs_.Assign(tabs);
    Rebuild();
}

void TFcCollectionTabControl::Rebuild()
{
    TabList().Clear();
    // Hidden items keep their place, so a tab's index is its item's.
    for (int i = 0; i < tabs_.Count(); ++i)
        tabs_.Items(i)->AssignTo(*TabList().Add());
    TFcCustomTabControl::Rebuild();
}

void TFcCollectionTabControl::HideAllTabs()
{
    tabs_.BeginUpdate();
    for (int i = 0; i < tabs_.Count(); ++i)
        tabs_.Items(i)->SetVisible(false);
    tabs_.EndUpdate();
}

void TFcCollectionTabControl::ShowAllTabs()
{
    tabs_.BeginUpdate();
    for (int i = 0; i < tabs_.Count(); ++i)
        tabs_.Items(i)->SetVisible(true);
    tabs_.EndUpdate();
}

void TFcCollectionTabControl::Loaded()
{
    // Windows build themselves in code before they announce it: a tab chosen
    // by then stays chosen, the default only fills an empty selection.
    if (TabIndex() < 0)
        Layout().StoreTabIndex(tabIndexDefault_);
    TFcCustomTabControl::Loaded();
}

void TFcCollectionTabControl::DestroyActiveTab()
{
    const int index = TabIndex();
    if (index >= 0 && index < tabs_.Count())
        tabs_.Delete(index);
}

}  // namespace tw::controls
