#pragma once
// The glyph lists of the buttons: images of one size, each with the mask of
// its transparent colour.

#include "controls/foundation/fccolor.h"

#include <QImage>

#include <vector>

namespace tw::controls {

class TFcImageList {
public:
    TFcImageList(int width, int height) : width_(width), height_(height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    const QImage& Image(int index) const { return images_.at(static_cast<size_t>(index)); }
    // Adds bitmap cut into images of the list's width (a narrower rest is
    // dropped), the transparent colour made see-through; the first new index,
    // -1 when nothing was added.
    int AddMasked(const QImage& bitmap, TColor transparent);

private:
    int width_;
    int height_;
    std::vector<QImage> images_;
};

// Adds a button glyph: a square glyph whole, a two-glyph strip as its two
// images (normal and disabled), otherwise the top-left image-sized part. The
// transparent colour is the glyph's pixel at (0, 15). Indexes are -1 when
// nothing was added.
void AddImageToImageList(TFcImageList* list, const QImage& glyph, bool twoGlyphs, int& normalIndex,
                         int& disabledIndex);

}  // namespace tw::controls
