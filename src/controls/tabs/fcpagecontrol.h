#pragma once
// TFcPageControl: the tab strip whose tabs stand for child pages
// (TFcTabSheet), one tab per page whose tab is visible. The selected tab's
// page is shown and every other page hidden; the page switches before
// TabIndex changes and only when OnChanging allows it. Ctrl+Tab and
// Ctrl+Shift+Tab step through the pages by the form's key routing.
//
//   auto* pages = new TFcPageControl(window);
//   auto* sheet = new TFcTabSheet(pages);   // joins the control
//   sheet->SetCaption("&Schedule");
//   pages->SetActivePage(sheet);

#include "controls/tabs/fccustomtabcontrol.h"

#include <QPointer>

#include <vector>

namespace tw::controls {

class TFcPageControl;

class TFcTabSheet : public TFcControl {
    Q_OBJECT
public:
    // A page of pageControl when one is given (created hidden).
    explicit TFcTabSheet(TFcPageControl* pageControl = nullptr);
    ~TFcTabSheet() override;

    TFcPageControl* PageControl() const { return pageControl_; }
    void SetPageControl(TFcPageControl* pageControl);
    // Position in the page control's list; -1 without one.
    int PageIndex() const;
    // Throws EFcError for an index outside the page list.
    void SetPageIndex(int index);
    // Index of the page's tab among the pages with a visible tab; -1 when its
    // tab is hidden or it has no page control.
    int TabIndex() const;

    // A colour other than the page control's turns its UseColoredTabs on.
    // (Hides TFcControl::SetColor, which knows nothing of the page control.)
    void SetColor(TColor color);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int index);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool TabEnabled() const { return tabEnabled_; }
    void SetTabEnabled(bool enabled);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);
    // The hint doubles as the tab's hint.
    void SetHint(const QString& hint);
    // Pages are shown and hidden by their page control only: always throws
    // EFcError.
    void SetVisible(bool visible);

    // The page's values as a tab record.
    void AssignToTabData(TFcTabData& tab) const;

    std::function<void(TFcTabSheet*, TFcCanvas&, const TRect&, bool& handled)> OnPaintBackground;

protected:
    virtual void PaintBackground(TFcCanvas& canvas, const TRect& rect, bool& handled);
    void Paint(TFcCanvas& canvas) override;
    void TextChanged() override;

private:
    friend class TFcPageControl;
    // Tells the page control that the tab changed.
    void Changed();

    QPointer<TFcPageControl> pageControl_;
    int disabledIndex_ = -1;
    int imageIndex_ = -1;
    bool tabEnabled_ = true;
    bool tabVisible_ = true;
};

class TFcPageControl : public TFcCustomTabControl {
    Q_OBJECT
public:
    explicit TFcPageControl(QWidget* parent = nullptr);
    ~TFcPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TFcTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TFcTabSheet* ActivePage() const { return activePage_; }
    // Ignored for a page of another control; goes through the veto unless the
    // page's tab is hidden.
    void SetActivePage(TFcTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    TFcTabSheet* ActivePageDefault() const { return activePageDefault_; }
    void SetActivePageDefault(TFcTabSheet* page) { activePageDefault_ = page; }
    // Only stored: pages keep no window resources to give back.
    bool SaveResources() const { return saveResources_; }
    void SetSaveResources(bool v) { saveResources_ = v; }

    TFcTabSheet* PageForTab(int tabIndex) const;
    TFcTabSheet* FindNextPage(TFcTabSheet* current, bool goForward, bool checkTabVisible) const;
    void SelectNextPage(bool goForward);
    // Makes the page that holds control the active one.
    void ShowControl(QWidget* control);

    void HideAllTabs() override;
    void ShowAllTabs() override;
    void SetUseColoredTabs(bool v) override;
    void Rebuild() override;
    bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override;
    void Loaded() override;

protected:
    void Changing(int newIndex, bool& allowChange) override;
    void Change() override;
    void PaintCardBackground(TFcCanvas& canvas, int row, const TRect& rect, bool& handled) override;
    void DestroyActiveTab() override;
    void AlignChildren(const QRect& display) override;

private:
    friend class TFcTabSheet;
    void InsertPage(TFcTabSheet* page);
    void RemovePage(TFcTabSheet* page);
    void MovePage(TFcTabSheet* page, int index);
    void ChangeActivePage(TFcTabSheet* page);
    void PlacePage(TFcTabSheet* page);

    std::vector<TFcTabSheet*> pages_;
    QPointer<TFcTabSheet> activePage_;
    QPointer<TFcTabSheet> activePageDefault_;
    bool saveResources_ = false;
};

}  // namespace tw::controls
