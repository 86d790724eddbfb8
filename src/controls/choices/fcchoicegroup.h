#pragma once
// The radio group and the check group: group boxes that own one glyph-drawn
// radio button or check box per line of Items, laid out in up to 16 columns.
// Both push their item look (font, text style, hot tracking, glyph colours,
// custom strip) into every item on each layout pass. The radio group keeps
// one selected index and lets its owner refuse a change the user makes; the
// check group reports each item's change of state.

#include "controls/choices/fcglyphbutton.h"
#include "controls/choices/fcintegerlist.h"
#include "controls/panels/fcgroupbox.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace tw::controls {

// What the two groups share: the items and their layout.
class TFcCustomChoiceGroup : public TFcCustomGroupBox {
    Q_OBJECT
public:
    explicit TFcCustomChoiceGroup(QWidget* parent = nullptr);
    ~TFcCustomChoiceGroup() override;

    const QStringList& Items() const { return items_; }
    virtual void SetItems(const QStringList& items);
    int Count() const { return static_cast<int>(buttons_.size()); }
    TFcCustomGlyphButton* Item(int index) const;

    int Columns() const { return columns_; }
    void SetColumns(int value);
    const QFont& ItemFont() const { return itemFont_; }
    // From now on the items keep this font whatever the group's font does.
    void SetItemFont(const QFont& font);
    bool ItemFontSetOnItsOwn() const { return itemFontSet_; }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    int VerticalSpacing() const { return verticalSpacing_; }
    void SetVerticalSpacing(int value);
    int StartXPos() const { return startX_; }
    int StartYPos() const { return startY_; }
    // index 1 sets X, any other Y.
    void SetStartPos(int index, int value);
    bool SpaceEvenly() const { return spaceEvenly_; }
    void SetSpaceEvenly(bool value);
    TColor ItemFrameColor() const { return look_.FrameColor; }
    void SetItemFrameColor(TColor value);
    bool ItemHotTrack() const { return hotTrack_; }
    void SetItemHotTrack(bool value);
    TColor ItemHotTrackColor() const { return look_.HotTrackColor; }
    void SetItemHotTrackColor(TColor value);
    TFcHotTrackColorType ItemHotTrackColorType() const { return look_.HotTrackColorType; }
    void SetItemHotTrackColorType(TFcHotTrackColorType value);
    TColor ItemHighlightColor() const { return look_.HighlightColor; }
    void SetItemHighlightColor(TColor value);
    bool LightTextStyle() const { return lightTextStyle_; }
    void SetLightTextStyle(bool value);
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle value);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    void SetTextHighlightColor(TColor value);
    TColor TextShadowColor() const { return textShadowColor_; }
    void SetTextShadowColor(TColor value);
    int TextShadowDepth() const { return textShadowDepth_; }
    void SetTextShadowDepth(int value);
    const QImage& CustomGlyphs() const { return customGlyphs_; }
    void SetCustomGlyphs(const QImage& strip);
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    void SetUseCustomGlyphs(bool value);
    TColor TransparentColor() const { return look_.TransparentColor; }
    void SetTransparentColor(TColor value);
    TColor WinMaskColor() const { return look_.WinMaskColor; }
    void SetWinMaskColor(TColor value);
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool value) { tabOnEnter_ = value; }

    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool value);

    void SetGroupBoxStyle(TFcGroupBoxStyle style) override;
    void SetTransparent(bool value) override;

    // Places the items and hands them the group's look.
    void Arrange();
    // The group's user may change the items' state.
    virtual bool CanModify() const { return true; }

protected:
    virtual TFcCustomGlyphButton* CreateItem() = 0;
    virtual int CustomGlyphCells() const = 0;
    // After the item count and captions are right.
    virtual void ItemsRebuilt() {}
    virtual void PushItemLook(TFcCustomGlyphButton* item);
    virtual void ItemClicked(TFcCustomGlyphButton* item) = 0;
    // A new caption moves the items' first row.
    void TextChanged() override;
    void Rebuild();
    int IndexOf(const QObject* item) const;

    void FontChanged() override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void EnabledChanged() override;

private:
    template <typename T>
    void Set(T& member, const T& value);

    QStringList items_;
    std::vector<TFcCustomGlyphButton*> buttons_;
    int columns_ = 1;
    QFont itemFont_;
    bool itemFontSet_ = false;
    int itemHeight_ = 17;
    int verticalSpacing_ = 3;
    int startX_ = 8;
    int startY_ = 2;
    bool spaceEvenly_ = false;
    bool hotTrack_ = false;
    TFcGlyphLook look_;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    QImage customGlyphs_;
    bool useCustomGlyphs_ = false;
    int glyphWidth_ = 13;
    int glyphHeight_ = 13;
    bool tabOnEnter_ = false;
};

class TFcGroupButton : public TFcRadioButton {
    Q_OBJECT
public:
    explicit TFcGroupButton(QWidget* parent = nullptr) : TFcRadioButton(parent) {}
};

class TFcGroupCheck : public TFcCheckBox {
    Q_OBJECT
public:
    explicit TFcGroupCheck(QWidget* parent = nullptr) : TFcCheckBox(parent) {}
};

// (sender, new index, allow): clear allow to refuse the user's choice.
using TFcIndexChangingEvent = std::function<void(TFcControl* sender, int newIndex, bool& allow)>;

class TFcCustomRadioGroup : public TFcCustomChoiceGroup {
    Q_OBJECT
public:
    explicit TFcCustomRadioGroup(QWidget* parent = nullptr);

    int ItemIndex() const { return itemIndex_; }
    // Kept within -1..Count - 1; checking the new item raises its click, so
    // the group's OnChanging and OnClick run as for the user's choice.
    void SetItemIndex(int index);
    void SetItems(const QStringList& items) override;
    TFcGroupButton* Button(int index) const;
    bool CanChange(int index);

    TFcIndexChangingEvent OnChanging;

protected:
    TFcCustomGlyphButton* CreateItem() override;
    int CustomGlyphCells() const override { return 6; }
    void ItemsRebuilt() override;
    void ItemClicked(TFcCustomGlyphButton* item) override;

private:
    int itemIndex_ = -1;
    bool updating_ = false;
};

class TFcRadioGroup : public TFcCustomRadioGroup {
    Q_OBJECT
public:
    explicit TFcRadioGroup(QWidget* parent = nullptr) : TFcCustomRadioGroup(parent) {}
};

// (sender, index, new state).
using TStateChangeEvent = std::function<void(TFcControl* sender, int index, TCheckBoxState state)>;

class TFcCustomCheckGroup : public TFcCustomChoiceGroup {
    Q_OBJECT
public:
    explicit TFcCustomCheckGroup(QWidget* parent = nullptr);

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value);
    TFcGroupCheck* Check(int index) const;
    bool ItemChecked(int index) const;
    void SetItemChecked(int index, bool value);
    TCheckBoxState ItemState(int index) const;
    void SetItemState(int index, TCheckBoxState value);

    // The items' states as stored with the form: one integer per item
    // (0 unchecked, 1 checked, 2 grayed); nothing without items.
    TFcIntegerList CheckStates() const;
    // Reading stored states: they are kept until Loaded hands them out.
    void ReadCheckStates(const TFcIntegerList& states);
    void Loaded();

    TStateChangeEvent OnChange;

protected:
    TFcCustomGlyphButton* CreateItem() override;
    int CustomGlyphCells() const override { return 9; }
    void PushItemLook(TFcCustomGlyphButton* item) override;
    void ItemClicked(TFcCustomGlyphButton* item) override;
    virtual void Change(int index, TCheckBoxState state);

private:
    bool allowGrayed_ = false;
    TFcIntegerList checkStates_;
};

class TFcCheckGroup : public TFcCustomCheckGroup {
    Q_OBJECT
public:
    explicit TFcCheckGroup(QWidget* parent = nullptr) : TFcCustomCheckGroup(parent) {}
};

}  // namespace tw::controls
