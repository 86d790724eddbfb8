#pragma once
// Balloon hints: one TFcBalloonHints object makes every tool tip of the
// application appear as a rounded balloon whose tail points at the mouse, in
// the corner chosen, or as a plain framed rectangle with balloons off. It
// watches the application's tool-tip events (an event filter) and shows its
// own hint window; destroying it gives the application its standard tool tips
// back. A hint shows HintPause ms after the tool-tip event, or HintShortPause
// ms when another hint was up a moment ago; a key, a click or the mouse
// leaving the control in the meantime cancels it.

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fchintplacement.h"

#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tw::controls {

class TFcCustomHintWindow;

// The four optional pictures that replace the drawn balloon.
class TFcBalloonBitmaps : public QObject {
    Q_OBJECT
public:
    QImage LowerRight, LowerLeft, UpperLeft, UpperRight;
    TColor TransparentColor = 0x008080;
    void SetBitmap(TFcHintCorner corner, const QImage& image);
    const QImage& Bitmap(TFcHintCorner corner) const;
    bool AnyImage() const;
signals:
    void OnChange();
};

// What the tool-tip event told about the hint (the hinted control and the
// cursor position in its coordinates).
struct THintInfo {
    QPointer<QWidget> HintControl;
    TPoint CursorPos;
    TColor HintColor = clInfoBk;
    int HintMaxWidth = 0;
};

using TSetHintRectEvent = std::function<void(QObject* sender, TFcCanvas& canvas, TRect& rect,
                                             const QString& hint, TFcHintCorner corner)>;
using TSetHintWinSizeEvent = std::function<void(QObject* sender, TFcCanvas& canvas, int& width, int& height,
                                                const QString& hint, TFcHintCorner corner)>;
using TShowHintEvent = std::function<void(QString& hint, bool& canShow, THintInfo& info)>;

class TFcBalloonHints : public QObject {
    Q_OBJECT
public:
    explicit TFcBalloonHints(QObject* owner = nullptr);
    ~TFcBalloonHints() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TFcBalloonBitmaps& Bitmaps() { return bitmaps_; }
    int CaptionWidth() const { return captionWidth_; }
    void SetCaptionWidth(int value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TFcHintCorner Corner() const { return corner_; }
    void SetCorner(TFcHintCorner value);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    // The wait before a hint shows; 0 shows it at the tool-tip event.
    int HintPause() const { return hintPause_; }
    void SetHintPause(int ms) { hintPause_ = ms; }
    int HintShortPause() const { return hintShortPause_; }
    void SetHintShortPause(int ms) { hintShortPause_ = ms; }
    // A hint waits for its pause.
    bool HintPending() const { return pauseTimer_.isActive(); }
    // How long a hint stays up.
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int ms) { hintHidePause_ = ms; }
    bool Shadow() const { return shadow_; }
    void SetShadow(bool value);
    bool ShowBalloon() const { return showBalloon_; }
    void SetShowBalloon(bool value);
    TSetHintWinSizeEvent OnSetHintWinSize;
    TSetHintRectEvent OnSetHintRect;
    TShowHintEvent OnShowHint;

    void MakeConnection(TFcCustomHintWindow* window);
    void BreakConnection(TFcCustomHintWindow* window);
    TFcCustomHintWindow* HintWindow() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool CancelsPendingHint(QObject* watched, const QEvent& event) const;
    void ShowPendingHint();

    TAlignment alignment_ = taLeftJustify;
    TFcBalloonBitmaps bitmaps_;
    int captionWidth_ = 100;
    TColor color_ = clInfoBk;
    TFcHintCorner corner_ = hcUpperRight;
    QFont font_;
    int hintPause_ = 500;
    int hintShortPause_ = 50;
    int hintHidePause_ = 2500;
    bool shadow_ = false;
    bool showBalloon_ = true;
    QPointer<TFcCustomHintWindow> window_;
    QTimer pauseTimer_;
    QPointer<QWidget> pendingControl_;
    TPoint pendingPos_;
};

class TFcCustomHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit TFcCustomHintWindow(QWidget* parent = nullptr);
    ~TFcCustomHintWindow() override;

    TColor Color = clInfoBk;
    int CaptionWidth = 100;
    QString Caption;
    QFont Font;
    TAlignment Alignment = taLeftJustify;
    TFcHintCorner Corner = hcUpperRight;  // preferred
    TSetHintWinSizeEvent OnSetHintWinSize;
    TSetHintRectEvent OnSetHintRect;

    TFcBalloonHints* Connection() const { return connection_; }
    // The corner in use after the screen-edge rules.
    TFcHintCorner CornerInUse() const { return cornerInUse_; }
    bool Active() const { return active_; }
    // A hint is up, or went down less than ms ago.
    bool ShownWithin(int ms) const;
    THintInfo& HintInfo() { return info_; }

    // The text's rectangle (at (0, 0)) for a hint no wider than maxWidth.
    TRect CalcHintRect(int maxWidth, const QString& hint);
    // Shows hint for a text rectangle, anchored at the kept cursor position.
    void ActivateHint(TRect rect, const QString& hint);
    void ReleaseHint();
    // True for the events that close the hint: keys, mouse buttons and
    // wheel, activation changes.
    static bool IsHintMsg(const QEvent& event);
    // Veto and adjustments before a hint shows (the application's show-hint).
    void DoShowHint(QString& hint, bool& canShow, THintInfo& info);

    // Paints the window as it looks now (balloon or rectangle) onto canvas.
    void DrawBalloon(TFcCanvas& canvas, TRect r);
    void DrawBitmapBalloon(TFcCanvas& canvas);
    // The window's picture, for tests and screenshots.
    QImage Render();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TFcBalloonHints;
    bool Balloon() const;
    bool HasShadow() const;

    QPointer<TFcBalloonHints> connection_;
    TFcHintCorner cornerInUse_ = hcUpperRight;
    THintInfo info_;
    bool active_ = false;
    QElapsedTimer released_;
    QTimer hideTimer_;
};

}  // namespace tw::controls
