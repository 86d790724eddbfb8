#include "controls/foundation/fctextmetrics.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <cmath>

namespace tw::controls {

QString MapFontFamily(const QString& family)
{
    struct Mapping {
        const char* classic;
        const char* installed;
    };
    static const Mapping table[] = {
        {"MS Sans Serif", "DejaVu Sans"}, {"Microsoft Sans Serif", "DejaVu Sans"},
        {"Tahoma", "DejaVu Sans"},        {"Verdana", "DejaVu Sans"},
        {"Segoe UI", "DejaVu Sans"},      {"Arial", "Liberation Sans"},
        {"Helvetica", "Liberation Sans"}, {"Times New Roman", "Liberation Serif"},
        {"MS Serif", "Liberation Serif"}, {"Courier New", "Liberation Mono"},
        {"Courier", "Liberation Mono"},
    };
    for (const Mapping& m : table) {
        if (family.compare(QLatin1String(m.classic), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(m.installed);
    }
    return family;
}

QFont MakeFont(const QString& family, int points, bool bold, bool italic, bool underline, bool strikeOut)
{
    QFont font(MapFontFamily(family));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont DefaultControlFont()
{
    return MakeFont(QStringLiteral("MS Sans Serif"), 8);
}

int TFcFontMeasure::TextWidth(const QFont& font, const QString& text) const
{
    return QFontMetrics(font).horizontalAdvance(text);
}
int TFcFontMeasure::TextHeight(const QFont& font) const
{
    return QFontMetrics(font).height();
}
int TFcFontMeasure::Ascent(const QFont& font) const
{
    return QFontMetrics(font).ascent();
}
bool TFcFontMeasure::IsFixedPitch(const QFont& font) const
{
    return QFontInfo(font).fixedPitch();
}

namespace {
const TFcTextMeasure* gMeasure = nullptr;
}

const TFcTextMeasure& TextMeasure()
{
    static const TFcFontMeasure fonts;
    return gMeasure ? *gMeasure : fonts;
}

void SetTextMeasure(const TFcTextMeasure* measure)
{
    gMeasure = measure;
}

int GetMinFontHeight(const QFont& font)
{
    return TextMeasure().TextHeight(font) + 2;
}

int GetAvgCharWidth(const QFont& font)
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return static_cast<int>(std::nearbyint(TextMeasure().TextWidth(font, letters) / 52.0));
}

bool IsTrueTypeFont(const QFont&)
{
    return true;
}

TRotatedFont RotateFont(const QFont& font, int angle)
{
    return {font, angle};
}

}  // namespace tw::controls
