#pragma once
// TFcToolButton: the toolbar's button. It draws an image of an image list
// (with its own images for the hot, down and disabled looks) and an optional
// caption, latches in groups with the other tool buttons of its parent, and
// can be a split button (tsDropDown) whose right 14 pixels drop a menu. On a
// TFcToolbar it takes the toolbar's button size, layout, caption display and
// images until those are set on the button itself.
#include "controls/base/fccontrol.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/toolbar/fctoolbarlayout.h"
#include <QMenu>
#include <QPointer>
#include <functional>
namespace tw::controls {
enum TFcToolStyle { tsButton, tsDropDown };
enum TFcToolButtonState { tbsUp, tbsDisabled, tbsDown, tbsExclusive, tbsDropped };
class TFcToolbar;
class TFcToolButton : public TFcControl {
    Q_OBJECT
public:
    explicit TFcToolButton(QWidget* parent = nullptr);
    static constexpr int kArrowWidth = 14;
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int HotIndex() const { return hotIndex_; }
    void SetHotIndex(int value);
    int DownIndex() const { return downIndex_; }
    void SetDownIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int value);
    TFcImageList* Images() const { return images_; }
    void SetImages(TFcImageList* value);
    // Own images, or else the parent toolbar's.
    TFcImageList* ImageList() const;
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    TFcToolStyle ToolStyle() const { return toolStyle_; }
    void SetToolStyle(TFcToolStyle value);
    bool Transparent() const { return TFcControl::Transparent(); }
    QMenu* DropDownMenu() const { return menu_; }
    void SetDropDownMenu(QMenu* menu) { menu_ = menu; }
    bool UseToolbarButtonLayout() const { return useLayout_; }
    void SetUseToolbarButtonLayout(bool value);
    bool UseToolbarButtonSize() const { return useSize_; }
    void SetUseToolbarButtonSize(bool value);
    bool UseToolbarShowCaption() const { return useCaption_; }
    void SetUseToolbarShowCaption(bool value);
    // Sizes set on the button itself stop following the toolbar.
    void SetButtonSize(int width, int height);
    // The toolbar's three notices.
    void ToolbarLayoutChanged();
    void ToolbarCaptionsChanged();
    void ToolbarSizeChanged();
    void PickupToolbarStyles();
    TFcToolButtonState State() const { return state_; }
    TRect GetImageRect() const;
    TRect GetCaptionRect() const;
    void Click() override;
    // Drops the menu as the arrow area does (nothing without menu items).
    void ShowMenu() { DoDropDown(); }
    void GroupNotice(int group, TFcControl* sender) override;
    // Shows the menu at a screen point and returns when it closed (seam).
    std::function<void(QMenu*, QPoint)> Popup;
    std::function<void(QObject*)> OnDropDown;
protected:
    // A checkable action's checked state becomes Down.
    void ActionChange(QAction* action) override;
    void Paint(TFcCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void EnabledChanged() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
private:
    TFcToolbar* Toolbar() const;
    bool IsSplit() const { return toolStyle_ == tsDropDown && (OnClick || Action()); }
    void DoDropDown();
    void UpdateStateFromDown();
    void DrawBorder(TFcCanvas& canvas);
    void DrawArrow(TFcCanvas& canvas);
    bool allowAllUp_ = false;
    bool down_ = false;
    bool dragging_ = false;
    bool flat_ = true;
    int groupIndex_ = 0;
    int imageIndex_ = -1;
    int downIndex_ = -1;
    int disabledIndex_ = -1;
    int hotIndex_ = -1;
    TFcImageList* images_ = nullptr;
    TButtonLayout layout_ = blGlyphLeft;
    QPointer<QMenu> menu_;
    bool clickAllowed_ = true;
    TFcToolStyle toolStyle_ = tsButton;
    bool showCaption_ = false;
    bool useLayout_ = true;
    bool useSize_ = true;
    bool useCaption_ = true;
    bool settingFromToolbar_ = false;
    TFcToolButtonState state_ = tbsUp;
};
}  // namespace tw::controls
