#pragma once
// TFcCanvas: the drawing surface every control of the library paints on, a
// QPainter over a QImage with the pixel rules the drawing routines count on:
//  - integer coordinates, no antialiasing;
//  - LineTo leaves out the end point of the line;
//  - FillRect fills Left..Right-1, Top..Bottom-1; Rectangle with a pen
//    outlines those same pixels and fills inside; with a clear pen it fills
//    one pixel less on the right and bottom;
//  - Polygon fills the pixels whose centres lie inside (so the right and
//    bottom edges stay out) and, with a pen, outlines it through every vertex;
//  - pixels can be read and written; pens carry a raster operation; brushes may
//    be an 8 by 8 pattern; clipping, text with the text-drawing flags, state
//    saving.
// Colours are TColor values (system colours go through the table in use).

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>

#include <memory>
#include <optional>
#include <vector>

namespace tw::controls {

enum class TPenStyle { Solid, Dash, Dot, DashDot, Clear };
// Raster operations of the pen: copy, xor with the pen colour, invert the
// destination, AND, OR.
enum class TPenMode { Copy, Xor, Not, Mask, Merge };
enum class TBrushStyle { Solid, Clear, Pattern };
// Block-transfer operations.
enum class TCopyMode { SrcCopy, SrcAnd, SrcPaint, SrcInvert };
enum class TBkMode { Transparent, Opaque };

struct TFcPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::Solid;
    TPenMode Mode = TPenMode::Copy;
};

struct TFcBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::Solid;
    // 8 by 8, one bit per pixel: 1 draws the brush colour, 0 the background
    // colour (or leaves the pixel when the background mode is transparent).
    std::uint8_t Pattern[8] = {};
    TColor PatternBackground = clWhite;
};

class TFcCanvas {
public:
    // Paints on image, which must stay alive while the canvas lives; it is
    // converted to 32-bit RGB when it has another format.
    explicit TFcCanvas(QImage& image);
    ~TFcCanvas();
    TFcCanvas(const TFcCanvas&) = delete;
    TFcCanvas& operator=(const TFcCanvas&) = delete;

    QImage& Image() { return *image_; }
    int Width() const { return image_->width(); }
    int Height() const { return image_->height(); }

    TFcPen Pen;
    TFcBrush Brush;
    QFont Font;
    TColor FontColor = clBlack;
    // Degrees counter-clockwise, for rotated captions.
    int FontAngle = 0;
    TBkMode BkMode = TBkMode::Opaque;
    unsigned TextAlign = TA_LEFT | TA_TOP;
    TCopyMode CopyMode = TCopyMode::SrcCopy;

    TPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y) { penPos_ = {x, y}; }
    void LineTo(int x, int y);
    void Polyline(const std::vector<TPoint>& points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void FillRect(const TRect& r);
    // A one-pixel ring in the brush colour.
    void FrameRect(const TRect& r);
    void Polygon(const std::vector<TPoint>& points);
    void RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    void Ellipse(int left, int top, int right, int bottom);

    TColor Pixel(int x, int y) const;  // clNone outside the image
    void SetPixel(int x, int y, TColor color);

    // Text at (x, y) by TextAlign, in FontColor, on the brush colour when the
    // background mode is opaque.
    void TextOut(int x, int y, const QString& text);
    // TextOut clipped to r.
    void TextRect(const TRect& r, int x, int y, const QString& text);
    // Text laid out in r by the DT_ flags; returns the text's height. With
    // DT_CALCRECT nothing is drawn and r becomes the text's rectangle.
    int DrawText(const QString& text, TRect& r, unsigned flags);
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;

    // Copies source's srcRect, stretched, into destRect by CopyMode.
    void CopyRect(const TRect& destRect, const QImage& source, const TRect& srcRect);
    void Draw(int x, int y, const QImage& source);
    void StretchDraw(const TRect& destRect, const QImage& source);

    // Intersects the clip with r (device coordinates); the region in use.
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void SetClipRegion(const std::optional<QRegion>& region);
    const std::optional<QRegion>& ClipRegion() const { return clip_; }

    // Pen, brush, font, modes, pen position and clip.
    void SaveState();
    void RestoreState();

    // The painter set up for the canvas's clip, for drawing the canvas does
    // not offer itself (style elements). Use within a Begin/EndPainter pair.
    QPainter& BeginPainter();
    void EndPainter();

private:
    struct State;
    void Plot(int x, int y, std::uint32_t rgb);
    bool Visible(int x, int y) const;
    bool PenDraws() const { return Pen.Style != TPenStyle::Clear; }
    void DrawLine(int x0, int y0, int x1, int y1);
    void FillSpan(int x0, int x1, int y);
    QPainter& Painter();
    QBrush MakeBrush() const;
    QPen MakePen() const;
    void ApplyClip(QPainter& painter) const;

    QImage* image_;
    std::unique_ptr<QPainter> painter_;
    TPoint penPos_;
    std::optional<QRegion> clip_;
    std::vector<State> saved_;
    int dashPhase_ = 0;
};

// RGB32 pixel value of a colour and back.
std::uint32_t ToRgb32(TColor color);
TColor FromRgb32(std::uint32_t pixel);
// A 32-bit RGB image of the size, filled with a colour.
QImage MakeBitmap(int width, int height, TColor fill = clWhite);

}  // namespace tw::controls
