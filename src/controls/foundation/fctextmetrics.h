#pragma once
// Fonts and text measurement. Fonts are named as the controls store them
// ("MS Sans Serif", 8 points) and mapped to faces installed here; every
// measurement that lays out text goes through TFcTextMeasure, so that layout
// code can be tested with fixed metrics instead of whatever fonts a machine has.

#include <QFont>
#include <QString>

namespace tw::controls {

// The installed face that stands in for a classic face name; other names are
// kept as they are.
QString MapFontFamily(const QString& family);
// A font of the mapped face at a size in points on a 96 dpi screen (as pixels,
// so that a QImage of any resolution draws it the same size).
QFont MakeFont(const QString& family, int points, bool bold = false, bool italic = false,
               bool underline = false, bool strikeOut = false);
// The library's default control font ("MS Sans Serif", 8 points).
QFont DefaultControlFont();

class TFcTextMeasure {
public:
    virtual ~TFcTextMeasure() = default;
    virtual int TextWidth(const QFont& font, const QString& text) const = 0;
    // The height of a line (ascent + descent).
    virtual int TextHeight(const QFont& font) const = 0;
    virtual int Ascent(const QFont& font) const = 0;
    virtual bool IsFixedPitch(const QFont& font) const = 0;
};

// Measures with the real fonts.
class TFcFontMeasure : public TFcTextMeasure {
public:
    int TextWidth(const QFont& font, const QString& text) const override;
    int TextHeight(const QFont& font) const override;
    int Ascent(const QFont& font) const override;
    bool IsFixedPitch(const QFont& font) const override;
};

// Every character the same width, every line the same height: for tests of
// layout code.
class TFcFixedMeasure : public TFcTextMeasure {
public:
    TFcFixedMeasure(int charWidth, int lineHeight, int ascent)
        : charWidth_(charWidth),
          lineHeight_(lineHeight),
          ascent_(ascent)
    {}
    int TextWidth(const QFont&, const QString& text) const override
    {
        return charWidth_ * static_cast<int>(text.size());
    }
    int TextHeight(const QFont&) const override { return lineHeight_; }
    int Ascent(const QFont&) const override { return ascent_; }
    bool IsFixedPitch(const QFont&) const override { return true; }

private:
    int charWidth_;
    int lineHeight_;
    int ascent_;
};

// The measure in use (the real fonts unless a test installs another).
const TFcTextMeasure& TextMeasure();
// Installs a measure for the process (nullptr: back to the real fonts). The
// caller keeps it alive while installed.
void SetTextMeasure(const TFcTextMeasure* measure);

// The font's line height plus 2.
int GetMinFontHeight(const QFont& font);
// The average width of the 52 letters.
int GetAvgCharWidth(const QFont& font);
// Every face we map to is scalable, as TrueType faces are.
bool IsTrueTypeFont(const QFont& font);
// A font turned by angle degrees (counter-clockwise); the canvas draws text at
// the font's angle. Qt fonts carry no escapement, so the angle is returned
// beside the font.
struct TRotatedFont {
    QFont font;
    int angle = 0;  // degrees
};
TRotatedFont RotateFont(const QFont& font, int angle);

}  // namespace tw::controls
