#pragma once
// Placing popup windows and dialogs on the monitor's work area, and the
// dialog components' shared settings. The arithmetic is CenterInWorkArea
// (fcroutines.h); this is the part that asks the screens.

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fcroutines.h"
#include "controls/foundation/fctypes.h"

#include <QFont>
#include <QObject>
#include <QString>

class QScreen;
class QWidget;

namespace tw::controls {

TRect ToTRect(const QRect& r);

// The desktop less the panels the window system keeps for itself.
TRect GetDesktopClientRect();
// Work area of the monitor nearest the control's window.
TRect GetActiveWorkArea(const QWidget* control);
int GetActiveWorkAreaWidth(const QWidget* control);
int GetActiveWorkAreaHeight(const QWidget* control);
TRect GetMonitorWorkArea(const QScreen* monitor);
TRect GetMonitorBoundsRect(const QScreen* monitor);

// Where control goes to be centred over window (a child widget: its bounds
// on the screen) and stay on that monitor's work area.
void CenterToWindow(const QWidget* control, const QWidget* window, int& left, int& top);
void CenterToForm(const QWidget* control, const QWidget* form, int& left, int& top);
// Over an MDI child (a sub-window), kept on the desktop's client area.
void CenterToMDIChild(const QWidget* control, const QWidget* mdiChild, int& left, int& top);

enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormBorderStyle { bsNoBorder, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// The shared settings of the library's dialog components.
class TFcDialogComponent : public QObject {
    Q_OBJECT
public:
    // owner: the form the dialog belongs to (its font is copied), or none.
    explicit TFcDialogComponent(QObject* owner = nullptr);

    bool CenterToParent() const { return centerToParent_; }
    void SetCenterToParent(bool value);
    int OriginLeft = 100;
    int OriginTop = 100;
    TPosition Position = poScreenCenter;

    TFormBorderStyle BorderStyle = bsSizeable;
    QString Caption;
    QString CaptionOK = QStringLiteral("OK");
    QString CaptionCancel = QStringLiteral("Cancel");
    QString CaptionHelp = QStringLiteral("&Help");
    QFont Font;
    TColor FrameColor = clBtnShadow;
    TFrameStyle FrameStyle = fsFlat;
    bool FrameVisible = false;
    TFramingPreference FramingPreference = fpXPThemes;
    int Height = 300;
    int HelpContext = 0;
    int Width = 350;

    void SetFont(const QFont& font) { Font = font; }
    // Places form as Position says.
    void CenterForm(QWidget* form) const;

private:
    bool centerToParent_ = false;
};

}  // namespace tw::controls
