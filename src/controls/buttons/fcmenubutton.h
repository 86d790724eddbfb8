#pragma once
// TFcMenuButton: a bitmap button that drops a popup menu below itself, with a
// small down arrow at its right end. The mouse, Space and F4 drop the menu;
// Enter and Escape click as any button does. A press that comes within 100 ms
// of the menu closing is the press that closed it (some platforms hand it on,
// some do not) and does not drop the menu again.
//
//   auto* send = new TFcMenuButton(window);
//   send->SetCaption("&Send");
//   send->SetDropDownMenu(sendMenu);   // not owned
//
// Popup and Clock are seams for tests: Popup shows the menu at a screen point
// and returns when it has closed (QMenu::exec by default); Clock gives
// milliseconds (a QElapsedTimer by default).

#include "controls/buttons/fcbitbtn.h"

#include <QMenu>
#include <QPointer>

#include <functional>

class QScreen;

namespace tw::controls {

class TFcMenuButton : public TFcBitBtn {
    Q_OBJECT
public:
    explicit TFcMenuButton(QWidget* parent = nullptr);

    QMenu* DropDownMenu() const { return menu_; }
    void SetDropDownMenu(QMenu* menu);
    bool ShowArrow() const { return showArrow_; }
    void SetShowArrow(bool value);

    // Drops the menu (nothing without one); returns when it has closed.
    void DoDropDown();
    // Where DoDropDown shows the menu, in screen coordinates.
    QPoint DropDownPoint() const;

    void Click() override;
    TRect GetCaptionRect() const override;
    TRect GetGlyphRect() override;

    // Raised just before the menu drops; the sender is the menu.
    std::function<void(QObject*)> OnDropDown;
    std::function<void(QMenu*, QPoint)> Popup;
    std::function<qint64()> Clock;

signals:
    void dropDown();

protected:
    virtual void DropDown();
    void Paint(TFcCanvas& canvas) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPointer<QMenu> menu_;
    qint64 lastDropTime_ = 0;
    bool swallowClick_ = false;
    bool showArrow_ = true;
};

// The menu-width estimate: the widest top-level caption in the menu font plus 56.
int MenuWidthEstimate(const QMenu* menu);
// The first monitor whose bounds hold the point, or nullptr.
QScreen* MonitorAt(QPoint point);

}  // namespace tw::controls
