#pragma once
// TFcCustomGlyphStatus: a status pane with a picture left or right of its
// caption, from a strip of up to four cells (the second is the disabled
// picture) or from an image list. TFcGlyphStatus is the one windows use.

#include "controls/status/fcstatuspane.h"

#include <QImage>

namespace tw::controls {

class TFcImageList;

enum TGlyphAlignment { gaLeft, gaRight };

class TFcCustomGlyphStatus : public TFcCustomStatusPane {
    Q_OBJECT
public:
    explicit TFcCustomGlyphStatus(QWidget* parent = nullptr);

    // Copied; a strip of square cells sets NumGlyphs from its width (1 when
    // more than four).
    const QImage& Glyph() const { return glyph_; }
    virtual void SetGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int value);
    TGlyphAlignment GlyphAlignment() const { return glyphAlignment_; }
    virtual void SetGlyphAlignment(TGlyphAlignment value);
    int GlyphOffset() const { return glyphOffset_; }
    virtual void SetGlyphOffset(int value);
    bool ShowGlyph() const { return showGlyph_; }
    virtual void SetShowGlyph(bool value);
    // Not owned; the caller keeps it alive while set.
    const TFcImageList* Images() const { return images_; }
    virtual void SetImages(const TFcImageList* images);
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int value);
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int value);

    int GetMinWidth() const override;
    TRect GetCaptionRect() const override;
    // The picture's size: the list's image size, a glyph cell, or nothing.
    QSize GetImageSize() const;

protected:
    void Paint(TFcCanvas& canvas) override;
    virtual void DrawGlyph(TFcCanvas& canvas, const TRect& r);
    virtual void DrawImage(TFcCanvas& canvas, const TRect& r);

private:
    bool UsesImages() const;
    int PictureWidth() const;

    QImage glyph_;
    int numGlyphs_ = 1;
    TGlyphAlignment glyphAlignment_ = gaLeft;
    int glyphOffset_ = 2;
    bool showGlyph_ = true;
    const TFcImageList* images_ = nullptr;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
};

class TFcGlyphStatus : public TFcCustomGlyphStatus {
    Q_OBJECT
public:
    explicit TFcGlyphStatus(QWidget* parent = nullptr) : TFcCustomGlyphStatus(parent) {}
};

}  // namespace tw::controls
