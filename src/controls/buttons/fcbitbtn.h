#pragma once
// TFcBitBtn: the button of the program's dialogs, a TFcButton with a glyph
// (a strip of NumGlyphs cells: normal, disabled) or an image of an image list
// beside its caption, and the stock kinds (OK, Cancel, Help, Yes, No, Close,
// Abort, Retry, Ignore, All) that bring caption, glyph, keys and modal result.
//
//   auto* ok = new TFcBitBtn(dialog);
//   ok->SetKind(bkOK);                 // "OK", check glyph, Default, mrOk
//   auto* find = new TFcBitBtn(dialog);
//   find->SetCaption("&Find");
//   find->SetGlyph(findGlyph);         // NumGlyphs follows the strip
//   find->SetLayout(blGlyphTop);
//
// Kind reads back as bkCustom once Default, Cancel, ModalResult or the glyph
// no longer agree with the chosen kind.

#include "controls/buttons/fcbutton.h"

#include <QImage>

class QAction;

namespace tw::controls {

class TFcImageList;

class TFcBitBtn : public TFcButton {
    Q_OBJECT
public:
    explicit TFcBitBtn(QWidget* parent = nullptr);

    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& glyph);
    TBitBtnKind Kind();
    void SetKind(TBitBtnKind kind);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    void SetDisabledIndex(int value);
    // Not owned; the owner calls SetImages(nullptr) before it destroys the list
    // and ImagesChanged() after it changes it.
    const TFcImageList* Images() const { return images_; }
    void SetImages(const TFcImageList* images);
    void ImagesChanged();

    // The image's size: the list's, the glyph cell's, or 0 by 0.
    QSize GetImageSize() const;
    bool HasImage() const;
    virtual TRect GetGlyphRect();
    TRect GetCaptionRect() const override;

    // Glyph and caption for the form is being loaded: a kind chosen then keeps
    // a caption that was already set.
    void SetLoading(bool loading) { loading_ = loading; }

protected:
    void DrawButtonFace(TFcCanvas& canvas) override;
    void ActionChange(QAction* action) override;
    virtual void DrawGlyph(TFcCanvas& canvas, const TRect& rect);
    virtual void DrawImage(TFcCanvas& canvas, const TRect& rect);
    void GlyphChanged();

private:
    TButtonFaceLayout Face(bool pressedOffsets) const;
    int CaptionHeight(const TRect& r) const;

    QImage glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int numGlyphs_ = 1;
    int spacing_ = 4;
    bool glyphModified_ = false;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    const TFcImageList* images_ = nullptr;
    bool loading_ = false;
};

}  // namespace tw::controls
