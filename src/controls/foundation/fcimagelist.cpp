#include "controls/foundation/fcimagelist.h"

#include "controls/foundation/fccanvas.h"

namespace tw::controls {

int TFcImageList::AddMasked(const QImage& bitmap, TColor transparent)
{
    if (bitmap.isNull() || width_ <= 0 || height_ <= 0)
        return -1;
    const int first = Count();
    const std::uint32_t key = ToRgb32(transparent) & 0x00FFFFFF;
    for (int x = 0; x + width_ <= bitmap.width(); x += width_) {
        QImage image =
            bitmap.copy(x, 0, width_, height_).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
            for (int i = 0; i < image.width(); ++i) {
                if ((line[i] & 0x00FFFFFF) == key)
                    line[i] = 0;
            }
        }
        images_.push_back(std::move(image));
    }
    return Count() > first ? first : -1;
}

namespace {
TColor GlyphTransparentColor(const QImage& glyph)
{
    // The bottom-left pixel of a 16-pixel glyph; clamped for shorter ones.
    const int y = std::min(15, glyph.height() - 1);
    return FromRgb32(glyph.pixel(0, y));
}
}  // namespace

void AddImageToImageList(TFcImageList* list, const QImage& glyph, bool twoGlyphs, int& normalIndex,
                         int& disabledIndex)
{
    normalIndex = -1;
    disabledIndex = -1;
    if (!list || glyph.isNull())
        return;
    const TColor transparent = GlyphTransparentColor(glyph);
    if (glyph.width() == glyph.height()) {
        if (list->AddMasked(glyph.scaled(list->Width(), list->Height()), transparent) >= 0)
            normalIndex = list->Count() - 1;
    } else if (twoGlyphs) {
        if (list->AddMasked(glyph, transparent) >= 0 && list->Count() >= 2) {
            normalIndex = list->Count() - 2;
            disabledIndex = list->Count() - 1;
        }
    } else {
        QImage part = MakeBitmap(list->Width(), list->Height(), clBlack);
        {
            TFcCanvas canvas(part);
            canvas.Draw(0, 0, glyph);
        }
        if (list->AddMasked(part, GlyphTransparentColor(part)) >= 0)
            normalIndex = list->Count() - 1;
    }
}

}  // namespace tw::controls
