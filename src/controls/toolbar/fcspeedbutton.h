#pragma once
// TFcSpeedButton: the flat, focus-less button of toolbars, written here as
// the base the toolbar buttons need: a glyph of up to four cells (up,
// disabled, clicked, down) laid out with the caption, latching in groups
// (GroupIndex, Down, AllowAllUp) with the other speed buttons of its parent.
// TFcToolbarButton adds a hot glyph shown while the mouse is over it and a
// caption that can be hidden without being lost; TFcMenuToolbarButton adds a
// drop-down menu with a split arrow area.
#include "controls/base/fccontrol.h"
#include "controls/toolbar/fctoolbarlayout.h"
#include <QImage>
#include <QMenu>
#include <QPointer>
#include <functional>
namespace tw::controls {
class TFcSpeedButton : public TFcControl {
    Q_OBJECT
public:
    explicit TFcSpeedButton(QWidget* parent = nullptr);
    bool Flat() const { return flat_; }
    void SetFlat(bool value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool value);
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    bool Pressed() const { return pressed_; }
    void GroupNotice(int group, TFcControl* sender) override;
protected:
    // A checkable action's checked state becomes Down.
    void ActionChange(QAction* action) override;
    void Paint(TFcCanvas& canvas) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The face without the room a subclass keeps for itself.
    virtual TRect FaceRect() const { return {0, 0, width(), height()}; }
    bool dragging_ = false;
private:
    bool flat_ = true;
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    bool pressed_ = false;
};
class TFcToolbarButton : public TFcSpeedButton {
    Q_OBJECT
public:
    explicit TFcToolbarButton(QWidget* parent = nullptr);
    const QImage& HotGlyph() const { return hotGlyph_; }
    // Also turns UseHotGlyph on.
    void SetHotGlyph(const QImage& value);
    int HotNumGlyphs() const { return hotNumGlyphs_; }
    void SetHotNumGlyphs(int value);
    bool UseHotGlyph() const { return useHotGlyph_; }
    void SetUseHotGlyph(bool value) { useHotGlyph_ = value; }
    bool HotGlyphShown() const { return hotShown_; }
    // The caption kept while it is hidden.
    QString SavedCaption() const { return savedCaption_; }
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    // Sets the caption; while it is hidden, the text becomes the saved caption.
    void SetButtonCaption(const QString& text);
    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;
protected:
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* event) override;
private:
    QImage hotGlyph_;
    int hotNumGlyphs_ = 1;
    bool useHotGlyph_ = false;
    bool hotShown_ = false;
    QImage savedGlyph_;
    int savedNumGlyphs_ = 0;
    QString savedCaption_;
    bool showCaption_ = true;
};
class TFcMenuToolbarButton : public TFcToolbarButton {
    Q_OBJECT
public:
    explicit TFcMenuToolbarButton(QWidget* parent = nullptr);
    static constexpr int kArrowWidth = 15;
    QMenu* DropDownMenu() const { return menu_; }
    void SetDropDownMenu(QMenu* menu) { menu_ = menu; }
    bool ShowArrow() const { return showArrow_; }
    void SetShowArrow(bool value);
    void DoDropDown();
    void Click() override;
    std::function<void(QMenu*, QPoint)> Popup;
    std::function<void(QObject*)> OnDropDown;
protected:
    void Paint(TFcCanvas& canvas) override;
    void mousePressEvent(QMouseEvent* event) override;
    TRect FaceRect() const override;
private:
    QPointer<QMenu> menu_;
    qint64 lastDropTime_ = 0;
    bool swallowClick_ = false;
    bool showArrow_ = true;
};
}  // namespace tw::controls
