#include "controls/buttons/fcbuttonkinds.h"

#include <array>

namespace tw::controls {

namespace {

struct KindInfo {
    bool isDefault;
    bool isCancel;
    int modalResult;
    const char* caption;
};

constexpr std::array<KindInfo, kBitBtnKindCount> kKinds = {{
    {false, false, 0, ""},
    {true, false, 1, "OK"},
    {false, true, 2, "Cancel"},
    {false, false, 0, "&Help"},
    {true, false, 6, "&Yes"},
    {false, true, 7, "&No"},
    {false, false, 0, "&Close"},
    {false, false, 3, "Abort"},
    {false, false, 4, "&Retry"},
    {false, false, 5, "&Ignore"},
    {false, false, 8, "&All"},
}};

// The glyphs, 16 by 16, one character per pixel; '.' is the transparent
// colour and must stay in the bottom-left corner.
constexpr int kGlyphSize = 16;
using GlyphArt = std::array<const char*, kGlyphSize>;

constexpr std::array<GlyphArt, kBitBtnKindCount - 1> kArt = {{
    {// OK: a check mark
     "................", "................", ".............g..", "............ggg.", "...........ggg..",
     "..........ggg...", ".........ggg....", "..g.....gggg....", ".ggg...gggg.....", "..ggg..ggg......",
     "...gggggg.......", "....gggg........", ".....gg.........", "................", "................",
     "................"},
    {// Cancel: a cross
     "................", "................", "...R........R...", "..RRR......RRR..", "...RRR....RRR...",
     "....RRR..RRR....", ".....RRRRRR.....", "......RRRR......", "......RRRR......", ".....RRRRRR.....",
     "....RRR..RRR....", "...RRR....RRR...", "..RRR......RRR..", "...R........R...", "................",
     "................"},
    {// Help: a question mark
     "................", "................", "......bbbb......", ".....bb..bb.....", "....bb....bb....",
     "....bb....bb....", "..........bb....", ".........bb.....", "........bb......", "........b.......",
     "........b.......", "................", ".......bbb......", ".......bbb......", "................",
     "................"},
    {// Yes: a check mark in a ring
     "................", ".......gg.......", "....gggggggg....", "...gg......gg...", "..gg........gg..",
     "..g.......gg.g..", "..g......gg..g..", ".gg.....ggg..gg.", ".gg.gg..gg...gg.", "..g..gggg....g..",
     "..g...gg.....g..", "..gg...g....gg..", "...gg......gg...", "....gggggggg....", ".......gg.......",
     "................"},
    {// No: a barred circle
     "................", ".....RRRRRR.....", "...RRRRRRRRRR...", "..RRR......RRR..", "..RR......RRRR..",
     ".RR......RRR.RR.", ".RR.....RRR..RR.", ".RR....RRR...RR.", ".RR...RRR....RR.", ".RR..RRR.....RR.",
     ".RR.RRR......RR.", "..RRRR......RR..", "..RRR......RRR..", "...RRRRRRRRRR...", ".....RRRRRR.....",
     "................"},
    {// Close: a door
     "................", "...kkkkkkkkkk...", "...kyddddddyk...", "...kyddddddyk...", "...kyddddddyk...",
     "...kyddddddyk...", "...kyddddddyk...", "...kyddddydyk...", "...kyddddydyk...", "...kyddddddyk...",
     "...kyddddddyk...", "...kyddddddyk...", "...kyddddddyk...", "...kyddddddyk...", "...kyddddddyk...",
     "................"},
    {// Abort: a stop disc
     "................", ".....RRRRRR.....", "...RRRRRRRRRR...", "..RRRRRRRRRRRR..", "..RRRRRRRRRRRR..",
     ".RRRRRRRRRRRRRR.", ".RRRRRRRRRRRRRR.", ".RRRwwwwwwwwRRR.", ".RRRwwwwwwwwRRR.", ".RRRRRRRRRRRRRR.",
     ".RRRRRRRRRRRRRR.", "..RRRRRRRRRRRR..", "..RRRRRRRRRRRR..", "...RRRRRRRRRR...", ".....RRRRRR.....",
     "................"},
    {// Retry: a turning arrow
     "................", "................", "......gggg.g....", "....gggggggg....", "...ggg....ggg...",
     "...gg....gggg...", "..gg.....gggg...", "..gg............", "..gg........gg..", "..gg........gg..",
     "...gg......gg...", "...ggg....ggg...", "....gggggggg....", "......gggg......", "................",
     "................"},
    {// Ignore: a double chevron
     "................", "................", "................", "..bb...bb.......", "...bb...bb......",
     "....bb...bb.....", ".....bb...bb....", "......bb...bb...", "......bb...bb...", ".....bb...bb....",
     "....bb...bb.....", "...bb...bb......", "..bb...bb.......", "................", "................",
     "................"},
    {// All: two check marks
     "................", "................", "........gg......", "........gg......", ".......gg.....g.",
     "......gg.....gg.", ".....ggg....ggg.", ".gg..gg.....gg..", ".ggggg.....gg...", "..ggg.....gg....",
     "...gg.gg..gg....", "......ggggg.....", ".......ggg......", "........gg......", "................",
     "................"},
}};

// Olive, the classic glyph background.
constexpr QRgb kTransparent = qRgb(128, 128, 0);

QRgb ArtColour(char c)
{
    switch (c) {
    case 'g': return qRgb(0, 128, 0);
    case 'R': return qRgb(255, 0, 0);
    case 'b': return qRgb(0, 0, 128);
    case 'k': return qRgb(0, 0, 0);
    case 'y': return qRgb(255, 255, 0);
    case 'd': return qRgb(128, 128, 128);
    case 'w': return qRgb(255, 255, 255);
    default: return kTransparent;
    }
}

// Cell 0 the picture; cell 1 its etched outline, as disabled glyphs look:
// every drawn pixel in shadow grey over a white copy one pixel down-right.
QImage BuildGlyph(const GlyphArt& art)
{
    QImage glyph(2 * kGlyphSize, kGlyphSize, QImage::Format_RGB32);
    glyph.fill(kTransparent);
    for (int y = 0; y < kGlyphSize; ++y) {
        for (int x = 0; x < kGlyphSize; ++x) {
            if (art[y][x] == '.')
                continue;
            glyph.setPixel(x, y, ArtColour(art[y][x]));
            if (x + 1 < kGlyphSize && y + 1 < kGlyphSize)
                glyph.setPixel(kGlyphSize + x + 1, y + 1, qRgb(255, 255, 255));
        }
    }
    for (int y = 0; y < kGlyphSize; ++y)
        for (int x = 0; x < kGlyphSize; ++x)
            if (art[y][x] != '.')
                glyph.setPixel(kGlyphSize + x, y, qRgb(128, 128, 128));
    return glyph;
}

}  // namespace

bool KindDefault(TBitBtnKind kind)
{
    return kKinds[kind].isDefault;
}

bool KindCancel(TBitBtnKind kind)
{
    return kKinds[kind].isCancel;
}

int KindModalResult(TBitBtnKind kind)
{
    return kKinds[kind].modalResult;
}

QString StockCaption(TBitBtnKind kind)
{
    return QString::fromLatin1(kKinds[kind].caption);
}

const QImage& GetBitBtnGlyph(TBitBtnKind kind)
{
    static const std::array<QImage, kBitBtnKindCount> glyphs = [] {
        std::array<QImage, kBitBtnKindCount> made;
        for (int k = 1; k < kBitBtnKindCount; ++k)
            made[k] = BuildGlyph(kArt[k - 1]);
        return made;
    }();
    return glyphs[kind];
}

int GlyphCellCount(const QImage& glyph, int current)
{
    if (glyph.isNull() || glyph.height() == 0 || glyph.width() % glyph.height() != 0)
        return current;
    const int cells = glyph.width() / glyph.height();
    return cells > 4 ? 1 : cells;
}

TButtonFaceLayout LayoutButtonFace(const TRect& r, TButtonLayout layout, int margin, int spacing,
                                   int imageWidth, int imageHeight, bool hasImage, int captionHeight,
                                   int buttonHeight)
{
    const int w = imageWidth;
    const int h = imageHeight;
    TButtonFaceLayout out{r, {}};
    TRect& caption = out.Caption;
    TPoint origin{r.Left, r.Top};
    const int d = (buttonHeight - (h + captionHeight + spacing)) / 2;
    if (margin >= 0) {
        switch (layout) {
        case blGlyphLeft:
            caption.Left += margin + w + spacing;
            origin.x += margin;
            break;
        case blGlyphRight:
            caption.Right -= margin + w + spacing;
            origin.x = r.Right - margin - w;
            break;
        case blGlyphTop:
            caption.Top += margin + h + spacing;
            origin.y += margin;
            break;
        case blGlyphBottom:
            caption.Bottom -= margin + h + spacing;
            origin.y = r.Bottom - margin - h;
            break;
        }
    } else {
        switch (layout) {
        case blGlyphLeft:
            caption.Left += margin + w + spacing;
            break;
        case blGlyphRight:
            caption.Right -= margin + w + spacing;
            origin.x = r.Right - w;
            break;
        case blGlyphTop:
            caption.Top += d + h;
            caption.Bottom = caption.Top + captionHeight;
            // Measured from the button's own top edge, not from r.
            origin.y = d;
            break;
        case blGlyphBottom:
            caption.Top += d;
            caption.Bottom = caption.Top + captionHeight;
            origin.y += captionHeight + d;
            break;
        }
    }
    if (!hasImage)
        caption = r;
    if (layout == blGlyphLeft || layout == blGlyphRight)
        origin.y += ((r.Bottom - r.Top - h) + 1) / 2;
    else
        origin.x += ((r.Right - r.Left - w) + 1) / 2;
    out.Image = {origin.x, origin.y, origin.x + w, origin.y + h};
    return out;
}

}  // namespace tw::controls
