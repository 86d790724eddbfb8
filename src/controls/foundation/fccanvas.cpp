#include "controls/foundation/fccanvas.h"

#include "controls/foundation/fctextmetrics.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace tw::controls {

std::uint32_t ToRgb32(TColor color)
{
    const TColor c = ColorToRGB(color);
    return 0xFF000000u | (static_cast<std::uint32_t>(GetRValue(c)) << 16)
        | (static_cast<std::uint32_t>(GetGValue(c)) << 8) | static_cast<std::uint32_t>(GetBValue(c));
}

TColor FromRgb32(std::uint32_t pixel)
{
    return RGB(static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
               static_cast<int>(pixel & 0xFF));
}

QImage MakeBitmap(int width, int height, TColor fill)
{
    QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
    image.fill(ToRgb32(fill));
    return image;
}

struct TFcCanvas::State {
    TFcPen pen;
    TFcBrush brush;
    QFont font;
    TColor fontColor;
    int fontAngle;
    TBkMode bkMode;
    unsigned textAlign;
    TCopyMode copyMode;
    TPoint penPos;
    std::optional<QRegion> clip;
};

TFcCanvas::TFcCanvas(QImage& image) : image_(&image)
{
    if (image_->format() != QImage::Format_RGB32 && image_->format() != QImage::Format_ARGB32_Premultiplied)
        *image_ = image_->convertToFormat(QImage::Format_RGB32);
    Font = DefaultControlFont();
}

TFcCanvas::~TFcCanvas()
{
    if (painter_)
        painter_->end();
}

QPainter& TFcCanvas::Painter()
{
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, false);
        painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
        ApplyClip(*painter_);
    }
    return *painter_;
}

void TFcCanvas::ApplyClip(QPainter& painter) const
{
    if (clip_)
        painter.setClipRegion(*clip_);
    else
        painter.setClipping(false);
}

QPainter& TFcCanvas::BeginPainter()
{
    QPainter& p = Painter();
    p.save();
    return p;
}

void TFcCanvas::EndPainter()
{
    Painter().restore();
}

bool TFcCanvas::Visible(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height())
        return false;
    return !clip_ || clip_->contains(QPoint(x, y));
}

void TFcCanvas::Plot(int x, int y, std::uint32_t rgb)
{
    if (!Visible(x, y))
        return;
    auto* line = reinterpret_cast<std::uint32_t*>(image_->scanLine(y));
    std::uint32_t& p = line[x];
    switch (Pen.Mode) {
    case TPenMode::Copy: p = rgb; break;
    case TPenMode::Xor: p ^= rgb & 0x00FFFFFF; break;
    case TPenMode::Not: p ^= 0x00FFFFFF; break;
    case TPenMode::Mask: p &= rgb | 0xFF000000; break;
    case TPenMode::Merge: p |= rgb; break;
    }
}

TColor TFcCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height())
        return clNone;
    return FromRgb32(reinterpret_cast<const std::uint32_t*>(image_->constScanLine(y))[x]);
}

void TFcCanvas::SetPixel(int x, int y, TColor color)
{
    if (!Visible(x, y))
        return;
    reinterpret_cast<std::uint32_t*>(image_->scanLine(y))[x] = ToRgb32(color);
}

void TFcCanvas::DrawLine(int x0, int y0, int x1, int y1)
{
    if (!PenDraws())
        return;
    if (Pen.Width > 1) {
        QPainter& p = Painter();
        p.save();
        QPen pen = MakePen();
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(QPointF(x0 + 0.5, y0 + 0.5), QPointF(x1 + 0.5, y1 + 0.5));
        p.restore();
        return;
    }
    if (Pen.Style == TPenStyle::Solid && Pen.Mode == TPenMode::Copy && !clip_ && (x0 == x1 || y0 == y1)) {
        // Borders are all straight lines: fill them without stepping.
        const std::uint32_t rgb = ToRgb32(Pen.Color);
        if (y0 == y1) {
            if (y0 < 0 || y0 >= image_->height())
                return;
            const int from = x0 < x1 ? x0 : x1 + 1;  // the end point stays out
            const int to = x0 < x1 ? x1 : x0 + 1;
            // A line wholly right or left of the image must not turn the
            // range round: clamp both ends before filling.
            const int first = std::clamp(from, 0, image_->width());
            const int last = std::clamp(to, 0, image_->width());
            if (first >= last)
                return;
            auto* line = reinterpret_cast<std::uint32_t*>(image_->scanLine(y0));
            std::fill(line + first, line + last, rgb);
        } else if (x0 >= 0 && x0 < image_->width()) {
            const int from = y0 < y1 ? y0 : y1 + 1;
            const int to = y0 < y1 ? y1 : y0 + 1;
            for (int y = std::max(from, 0); y < std::min(to, image_->height()); ++y)
                reinterpret_cast<std::uint32_t*>(image_->scanLine(y))[x0] = rgb;
        }
        return;
    }
    static constexpr bool kDash[] = {1, 1, 1, 1, 1, 1, 0, 0};
    static constexpr bool kDot[] = {1, 0};
    static constexpr bool kDashDot[] = {1, 1, 1, 1, 1, 1, 0, 0, 1, 0, 0};
    const std::uint32_t rgb = ToRgb32(Pen.Color);
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    int x = x0, y = y0;
    while (x != x1 || y != y1) {  // the end point is left out
        bool on = true;
        switch (Pen.Style) {
        case TPenStyle::Dash: on = kDash[dashPhase_ % 8]; break;
        case TPenStyle::Dot: on = kDot[dashPhase_ % 2]; break;
        case TPenStyle::DashDot: on = kDashDot[dashPhase_ % 11]; break;
        default: break;
        }
        ++dashPhase_;
        if (on)
            Plot(x, y, rgb);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void TFcCanvas::LineTo(int x, int y)
{
    DrawLine(penPos_.x, penPos_.y, x, y);
    penPos_ = {x, y};
}

void TFcCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (points.empty())
        return;
    const TPoint saved = penPos_;
    MoveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].x, points[i].y);
    // Unlike LineTo, a polyline's last point is drawn.
    if (PenDraws() && Pen.Width <= 1)
        Plot(points.back().x, points.back().y, ToRgb32(Pen.Color));
    penPos_ = saved;
}

void TFcCanvas::FillSpan(int x0, int x1, int y)
{
    // x0 .. x1-1 with the brush, in copy mode.
    if (Brush.Style == TBrushStyle::Clear || y < 0 || y >= image_->height())
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image_->width());
    if (x0 >= x1)
        return;
    auto* line = reinterpret_cast<std::uint32_t*>(image_->scanLine(y));
    const std::uint32_t fore = ToRgb32(Brush.Color);
    if (Brush.Style == TBrushStyle::Solid) {
        if (!clip_) {
            std::fill(line + x0, line + x1, fore);
            return;
        }
        for (int x = x0; x < x1; ++x) {
            if (clip_->contains(QPoint(x, y)))
                line[x] = fore;
        }
        return;
    }
    const std::uint32_t back = ToRgb32(Brush.PatternBackground);
    const std::uint8_t bits = Brush.Pattern[y & 7];
    for (int x = x0; x < x1; ++x) {
        if (clip_ && !clip_->contains(QPoint(x, y)))
            continue;
        if (bits & (0x80 >> (x & 7)))
            line[x] = fore;
        else if (BkMode == TBkMode::Opaque)
            line[x] = back;
    }
}

void TFcCanvas::FillRect(const TRect& r)
{
    for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, image_->height()); ++y)
        FillSpan(r.Left, r.Right, y);
}

void TFcCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    FillRect({r.Left, r.Top, r.Right, r.Top + 1});
    FillRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    FillRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    FillRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
}

void TFcCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (!PenDraws()) {
        FillRect({left, top, right - 1, bottom - 1});
        return;
    }
    const int w = std::max(Pen.Width, 1);
    FillRect({left + w, top + w, right - w, bottom - w});
    const TPoint saved = penPos_;
    const int savedWidth = Pen.Width;
    Pen.Width = 1;
    for (int i = 0; i < w; ++i) {
        const int l = left + i, t = top + i, r = right - 1 - i, b = bottom - 1 - i;
        if (l > r || t > b)
            break;
        MoveTo(l, t);
        LineTo(r, t);
        LineTo(r, b);
        LineTo(l, b);
        LineTo(l, t);
        if (l == r || t == b)
            Plot(r, b, ToRgb32(Pen.Color));
    }
    Pen.Width = savedWidth;
    penPos_ = saved;
}

void TFcCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (points.size() < 2)
        return;
    if (Brush.Style != TBrushStyle::Clear && points.size() >= 3) {
        int top = points[0].y, bottom = points[0].y;
        for (const TPoint& p : points) {
            top = std::min(top, p.y);
            bottom = std::max(bottom, p.y);
        }
        std::vector<double> xs;
        for (int y = std::max(top, 0); y < std::min(bottom, image_->height()); ++y) {
            const double cy = y + 0.5;
            xs.clear();
            for (size_t i = 0; i < points.size(); ++i) {
                const TPoint& a = points[i];
                const TPoint& b = points[(i + 1) % points.size()];
                if ((a.y <= cy) == (b.y <= cy))
                    continue;
                xs.push_back(a.x + (cy - a.y) * (b.x - a.x) / static_cast<double>(b.y - a.y));
            }
            std::sort(xs.begin(), xs.end());
            for (size_t i = 0; i + 1 < xs.size(); i += 2) {
                // Pixels whose centre x + 0.5 lies in [xa, xb).
                const int x0 = static_cast<int>(std::ceil(xs[i] - 0.5));
                const int x1 = static_cast<int>(std::ceil(xs[i + 1] - 0.5));
                FillSpan(x0, x1, y);
            }
        }
    }
    if (PenDraws()) {
        const TPoint saved = penPos_;
        MoveTo(points.back().x, points.back().y);
        for (const TPoint& p : points)
            LineTo(p.x, p.y);
        penPos_ = saved;
    }
}

QPen TFcCanvas::MakePen() const
{
    if (!PenDraws())
        return Qt::NoPen;
    QPen pen(QColor::fromRgb(ToRgb32(Pen.Color)));
    pen.setWidth(std::max(Pen.Width, 1));
    pen.setJoinStyle(Qt::MiterJoin);
    switch (Pen.Style) {
    case TPenStyle::Dash: pen.setStyle(Qt::DashLine); break;
    case TPenStyle::Dot: pen.setStyle(Qt::DotLine); break;
    case TPenStyle::DashDot: pen.setStyle(Qt::DashDotLine); break;
    default: break;
    }
    return pen;
}

QBrush TFcCanvas::MakeBrush() const
{
    switch (Brush.Style) {
    case TBrushStyle::Clear: return Qt::NoBrush;
    case TBrushStyle::Solid: return QBrush(QColor::fromRgb(ToRgb32(Brush.Color)));
    case TBrushStyle::Pattern: {
        QImage tile(8, 8, QImage::Format_RGB32);
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                tile.setPixel(x, y,
                              (Brush.Pattern[y] & (0x80 >> x)) ? ToRgb32(Brush.Color)
                                                               : ToRgb32(Brush.PatternBackground));
            }
        }
        return QBrush(tile);
    }
    }
    return Qt::NoBrush;
}

void TFcCanvas::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    QPainter& p = Painter();
    p.save();
    p.setPen(MakePen());
    p.setBrush(MakeBrush());
    const QRectF r(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
    p.drawRoundedRect(r, ellipseWidth / 2.0, ellipseHeight / 2.0);
    p.restore();
}

void TFcCanvas::Ellipse(int left, int top, int right, int bottom)
{
    QPainter& p = Painter();
    p.save();
    p.setPen(MakePen());
    p.setBrush(MakeBrush());
    p.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
    p.restore();
}

int TFcCanvas::TextWidth(const QString& text) const
{
    return TextMeasure().TextWidth(Font, text);
}
int TFcCanvas::TextHeight(const QString&) const
{
    return TextMeasure().TextHeight(Font);
}

void TFcCanvas::TextOut(int x, int y, const QString& text)
{
    const TFcTextMeasure& m = TextMeasure();
    const int width = m.TextWidth(Font, text);
    const int height = m.TextHeight(Font);
    const int ascent = m.Ascent(Font);
    int left = x;
    if ((TextAlign & TA_CENTER) == TA_CENTER)
        left = x - width / 2;
    else if (TextAlign & TA_RIGHT)
        left = x - width;
    int top = y;
    if ((TextAlign & TA_BASELINE) == TA_BASELINE)
        top = y - ascent;
    else if (TextAlign & TA_BOTTOM)
        top = y - height;

    QPainter& p = Painter();
    p.save();
    if (FontAngle != 0) {
        p.translate(x, y);
        p.rotate(-FontAngle);
        p.translate(-x, -y);
    }
    if (BkMode == TBkMode::Opaque)
        p.fillRect(QRect(left, top, width, height), QColor::fromRgb(ToRgb32(Brush.Color)));
    p.setFont(Font);
    p.setPen(QColor::fromRgb(ToRgb32(FontColor)));
    p.drawText(QPoint(left, top + ascent), text);
    p.restore();
}

void TFcCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    SaveState();
    IntersectClipRect(r);
    // The rectangle is filled as well, like the text's own background.
    if (BkMode == TBkMode::Opaque)
        FillRect(r);
    TextOut(x, y, text);
    RestoreState();
}

namespace {

// The text without its mnemonic markers ("&&" stays one "&"); mnemonic is
// the position of the character a single "&" marked, -1 without one.
QString StripPrefix(const QString& text, qsizetype& mnemonic)
{
    QString out;
    out.reserve(text.size());
    mnemonic = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != u'&' && mnemonic < 0)
                mnemonic = out.size();
        } else if (text[i] == u'&') {
            continue;
        }
        out += text[i];
    }
    return out;
}

QStringList WrapLines(const QString& text, unsigned flags, int width, const QFont& font)
{
    const TFcTextMeasure& m = TextMeasure();
    if (flags & DT_SINGLELINE) {
        QString line = text;
        line.replace(u'\n', u' ').remove(u'\r');
        return {line};
    }
    QStringList lines;
    for (QString paragraph : text.split(u'\n')) {
        paragraph.remove(u'\r');
        if (!(flags & DT_WORDBREAK) || m.TextWidth(font, paragraph) <= width) {
            lines << paragraph;
            continue;
        }
        QString line;
        for (const QString& word : paragraph.split(u' ')) {
            const QString candidate = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && m.TextWidth(font, candidate) > width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

}  // namespace

int TFcCanvas::DrawText(const QString& text, TRect& r, unsigned flags)
{
    const TFcTextMeasure& m = TextMeasure();
    qsizetype mnemonic = -1;
    const QString shown = (flags & DT_NOPREFIX) ? text : StripPrefix(text, mnemonic);
    const QStringList lines = WrapLines(shown, flags, r.Width(), Font);
    const int lineHeight = m.TextHeight(Font);
    const int height = lineHeight * static_cast<int>(lines.size());
    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const QString& line : lines)
            widest = std::max(widest, m.TextWidth(Font, line));
        r.Right = r.Left + widest;
        r.Bottom = r.Top + height;
        return height;
    }
    int top = r.Top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = r.Top + (r.Height() - lineHeight) / 2;
        else if (flags & DT_BOTTOM)
            top = r.Bottom - lineHeight;
    }
    SaveState();
    if (!(flags & DT_NOCLIP))
        IntersectClipRect(r);
    TextAlign = TA_LEFT | TA_TOP;
    for (const QString& line : lines) {
        const int w = m.TextWidth(Font, line);
        int left = r.Left;
        if (flags & DT_CENTER)
            left = r.Left + (r.Width() - w) / 2;
        else if (flags & DT_RIGHT)
            left = r.Right - w;
        TextOut(left, top, line);
        if (mnemonic >= 0 && mnemonic < line.size() && lines.size() == 1 && line == shown) {
            // The marked character is underlined, as keyboard access keys are.
            const int x = left + m.TextWidth(Font, line.left(mnemonic));
            const int y = top + m.Ascent(Font) + 1;
            Pen = TFcPen{FontColor, 1, TPenStyle::Solid, TPenMode::Copy};
            MoveTo(x, y);
            LineTo(x + m.TextWidth(Font, line.mid(mnemonic, 1)), y);
        }
        top += lineHeight;
    }
    RestoreState();
    return height;
}

void TFcCanvas::CopyRect(const TRect& destRect, const QImage& source, const TRect& srcRect)
{
    if (destRect.IsEmpty() || srcRect.IsEmpty() || source.isNull())
        return;
    if (CopyMode == TCopyMode::SrcCopy) {
        QPainter& p = Painter();
        p.save();
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QRect(destRect.Left, destRect.Top, destRect.Width(), destRect.Height()), source,
                    QRect(srcRect.Left, srcRect.Top, srcRect.Width(), srcRect.Height()));
        p.restore();
        return;
    }
    // The bitwise operations work on all 32 bits, alpha included, so that a
    // mask and image pair keeps a translucent canvas translucent.
    const QImage src =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32_Premultiplied
        ? source
        : source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = std::max(destRect.Top, 0); y < std::min(destRect.Bottom, image_->height()); ++y) {
        const int sy = srcRect.Top + (y - destRect.Top) * srcRect.Height() / destRect.Height();
        if (sy < 0 || sy >= src.height())
            continue;
        const auto* in = reinterpret_cast<const std::uint32_t*>(src.constScanLine(sy));
        auto* out = reinterpret_cast<std::uint32_t*>(image_->scanLine(y));
        for (int x = std::max(destRect.Left, 0); x < std::min(destRect.Right, image_->width()); ++x) {
            const int sx = srcRect.Left + (x - destRect.Left) * srcRect.Width() / destRect.Width();
            if (sx < 0 || sx >= src.width() || (clip_ && !clip_->contains(QPoint(x, y))))
                continue;
            switch (CopyMode) {
            case TCopyMode::SrcAnd: out[x] &= in[sx]; break;
            case TCopyMode::SrcPaint: out[x] |= in[sx]; break;
            case TCopyMode::SrcInvert: out[x] ^= in[sx] & 0x00FFFFFF; break;
            default: break;
            }
        }
    }
}

void TFcCanvas::Draw(int x, int y, const QImage& source)
{
    CopyRect({x, y, x + source.width(), y + source.height()}, source,
             {0, 0, source.width(), source.height()});
}

void TFcCanvas::StretchDraw(const TRect& destRect, const QImage& source)
{
    CopyRect(destRect, source, {0, 0, source.width(), source.height()});
}

void TFcCanvas::IntersectClipRect(const TRect& r)
{
    const QRegion rect(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
    clip_ = clip_ ? clip_->intersected(rect) : rect;
    if (painter_)
        ApplyClip(*painter_);
}

void TFcCanvas::ExcludeClipRect(const TRect& r)
{
    const QRegion rect(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
    const QRegion all = clip_ ? *clip_ : QRegion(0, 0, image_->width(), image_->height());
    clip_ = all.subtracted(rect);
    if (painter_)
        ApplyClip(*painter_);
}

void TFcCanvas::SetClipRegion(const std::optional<QRegion>& region)
{
    clip_ = region;
    if (painter_)
        ApplyClip(*painter_);
}

void TFcCanvas::SaveState()
{
    saved_.push_back({Pen, Brush, Font, FontColor, FontAngle, BkMode, TextAlign, CopyMode, penPos_, clip_});
}

void TFcCanvas::RestoreState()
{
    if (saved_.empty())
        return;
    const State& s = saved_.back();
    Pen = s.pen;
    Brush = s.brush;
    Font = s.font;
    FontColor = s.fontColor;
    FontAngle = s.fontAngle;
    BkMode = s.bkMode;
    TextAlign = s.textAlign;
    CopyMode = s.copyMode;
    penPos_ = s.penPos;
    clip_ = s.clip;
    saved_.pop_back();
    if (painter_)
        ApplyClip(*painter_);
}

}  // namespace tw::controls
