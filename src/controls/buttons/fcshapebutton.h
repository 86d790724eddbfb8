#pragma once
// TFcShapeButton: a button whose shape is a bitmap's: the pixels of the
// bitmap's transparent colour (its bottom-left pixel) are outside. It builds
// an "up" and a "down" picture with a bevelled edge that follows the outline
// (fcshapebitmaps.h) and, with PreciseClick, answers the mouse only inside the
// shape: the shape becomes the widget's mask, so a press beside it reaches
// the widget behind. It takes no focus.
//
//   auto* dial = new TFcShapeButton(panel);
//   dial->SetBitmap(QImage(":/dial.png"));   // sizes itself to the bitmap + 4
//   dial->SetCaption("&Go");

#include "controls/base/fccontrol.h"
#include "controls/buttons/fcbuttonkinds.h"
#include "controls/buttons/fcshapebitmaps.h"

#include <QCursor>
#include <QImage>

namespace tw::controls {

enum TFcCaptionPosition { cpCentered, cpXY };

class TFcShapeButton : public TFcControl {
    Q_OBJECT
public:
    explicit TFcShapeButton(QWidget* parent = nullptr);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    int BevelWidth() const { return bevel_.BevelWidth; }
    // 0 to 2; larger values are stored as 2.
    void SetBevelWidth(int value);
    TColor BevelHighlightColor() const { return bevel_.HighlightColor; }
    void SetBevelHighlightColor(TColor value);
    TColor BevelShadowColor() const { return bevel_.ShadowColor; }
    void SetBevelShadowColor(TColor value);
    const QImage& Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage& bitmap);
    const QImage& BitmapUp() const { return bitmapUp_; }
    void SetBitmapUp(const QImage& bitmap);
    const QImage& BitmapDown() const { return bitmapDown_; }
    void SetBitmapDown(const QImage& bitmap);
    // Single (true) adds an outermost ring in BorderColor.
    bool BorderSingle() const { return bevel_.SingleBorder; }
    void SetBorderSingle(bool value);
    TColor BorderColor() const { return bevel_.BorderColor; }
    void SetBorderColor(TColor value);
    bool PreciseClick() const { return preciseClick_; }
    void SetPreciseClick(bool value);
    bool PreciseShowHint() const { return preciseShowHint_; }
    void SetPreciseShowHint(bool value) { preciseShowHint_ = value; }
    TFcCaptionPosition CaptionPosition() const { return captionPosition_; }
    void SetCaptionPosition(TFcCaptionPosition value);
    int CaptionX() const { return captionX_; }
    void SetCaptionX(int value) { SetCaptionXY(value, captionY_); }
    int CaptionY() const { return captionY_; }
    void SetCaptionY(int value) { SetCaptionXY(captionX_, value); }
    void SetCaptionXY(int x, int y);

    TButtonState State() const { return state_; }
    // True without a mask, else true where the shape is.
    bool PtInMask(int x, int y) const;
    const QImage& Mask() const { return mask_; }

    bool DialogChar(QChar character, Qt::KeyboardModifiers modifiers) override;
    // Rebuilds the pictures once the window has set every property.
    void Loaded() override;
    // While set (a window building itself), bitmap changes only invalidate.
    void SetLoading(bool loading) { loading_ = loading; }

    QSize sizeHint() const override;

protected:
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawButtonText(TFcCanvas& canvas, const TRect& rect);
    virtual TRect GetCaptionRect(TFcCanvas& canvas) const;
    void FontChanged() override { update(); }

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Rebuild();
    void AdjustBounds();
    void UpdateWidgetMask();
    bool InsideForState(QPoint p) const;

    bool autoSize_ = true;
    TShapeBevel bevel_;
    QImage bitmap_;
    QImage bitmapUp_;
    QImage bitmapDown_;
    QImage mask_;
    bool mouseDown_ = false;
    bool cursorChanged_ = false;
    QCursor savedCursor_;
    bool preciseClick_ = true;
    bool preciseShowHint_ = true;
    TFcCaptionPosition captionPosition_ = cpCentered;
    int captionX_ = 0;
    int captionY_ = 0;
    TButtonState state_ = bsUp;
    bool loading_ = false;
};

}  // namespace tw::controls
