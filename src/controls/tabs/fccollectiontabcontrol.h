#pragma once
// TFcCollectionTabControl: a tab strip over one client area whose tabs are the
// items of a collection; the caller swaps the content itself in OnChange. An
// item's index in the collection is its tab's index, hidden items included.
// TFcTabControl is the same control under the name windows place.

#include "controls/tabs/fccustomtabcontrol.h"

#include <functional>
#include <memory>
#include <vector>

namespace tw::controls {

class TFcTabCollection;

class TFcTabCollectionItem {
public:
    explicit TFcTabCollectionItem(TFcTabCollection* collection = nullptr) : collection_(collection) {}

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& v);
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    const QString& Hint() const { return hint_; }
    void SetHint(const QString& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // The caller's own number; no effect on the tab.
    int Tag = 0;

    int Index() const;
    // Takes every tab value of source, then reports one change.
    void Assign(const TFcTabCollectionItem& source);
    void AssignTo(TFcTabData& tab) const;
    // The caption, or the item's class and index without one.
    QString DisplayName() const;

private:
    friend class TFcTabCollection;
    void Changed();

    TFcTabCollection* collection_;
    QString caption_;
    TColor color_ = clBtnFace;
    int disabledIndex_ = -1;
    bool enabled_ = true;
    QString hint_;
    int imageIndex_ = -1;
    bool visible_ = true;
};

class TFcTabCollection {
public:
    // onUpdate runs after every change (the owning control rebuilds).
    explicit TFcTabCollection(std::function<void()> onUpdate = nullptr) : onUpdate_(std::move(onUpdate)) {}
    TFcTabCollection(const TFcTabCollection&) = delete;
    TFcTabCollection& operator=(const TFcTabCollection&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    TFcTabCollectionItem* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    // Assigns source into item index.
    void SetItems(int index, const TFcTabCollectionItem& source);
    TFcTabCollectionItem* Add();
    // Takes item index out of the collection and frees it.
    void Delete(int index);
    void Move(int from, int to);
    void Clear();
    // Replaces the items by copies of source's.
    void Assign(const TFcTabCollection& source);
    int IndexOf(const TFcTabCollectionItem* item) const;
    // Suspends the update notice while many changes are made.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();
    void Update();

private:
    std::vector<std::unique_ptr<TFcTabCollectionItem>> items_;
    std::function<void()> onUpdate_;
    int updating_ = 0;
};

class TFcCollectionTabControl : public TFcCustomTabControl {
    Q_OBJECT
public:
    explicit TFcCollectionTabControl(QWidget* parent = nullptr);

    TFcTabCollection& Tabs() { return tabs_; }
    void SetTabs(const TFcTabCollection& tabs);
    // The tab Loaded selects when none is selected by then.
    int TabIndexDefault() const { return tabIndexDefault_; }
    void SetTabIndexDefault(int v) { tabIndexDefault_ = v; }

    void Rebuild() override;
    void HideAllTabs() override;
    void ShowAllTabs() override;
    void Loaded() override;

protected:
    void DestroyActiveTab() override;

private:
    TFcTabCollection tabs_;
    int tabIndexDefault_ = 0;
};

class TFcTabControl : public TFcCollectionTabControl {
    Q_OBJECT
public:
    using TFcCollectionTabControl::TFcCollectionTabControl;
};

}  // namespace tw::controls
