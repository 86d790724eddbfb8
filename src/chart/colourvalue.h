#pragma once
// Colours as the settings and the chart keep them (0x00BBGGRR) and as Qt
// paints them.

#include "chart/chartprimitives.h"

#include <QColor>

namespace tw::chart {

inline QColor ColourFromValue(TColor value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline TColor ValueOfColour(const QColor& colour)
{
    return TColor(colour.red()) | TColor(colour.green()) << 8 | TColor(colour.blue()) << 16;
}

}  // namespace tw::chart
