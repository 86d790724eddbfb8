#include "controls/display/fcpickergeometry.h"
#include <QCoreApplication>
namespace tw::controls {
namespace {
constexpr TFcNamedColor kColors[kPickerColorCount] = {
    {0x000000, QT_TRANSLATE_NOOP("TFcColorPicker", "Black")},
    {0x003399, QT_TRANSLATE_NOOP("TFcColorPicker", "Brown")},
    {0x003333, QT_TRANSLATE_NOOP("TFcColorPicker", "Olive Green")},
    {0x003300, QT_TRANSLATE_NOOP("TFcColorPicker", "Dark Green")},
    {0x663300, QT_TRANSLATE_NOOP("TFcColorPicker", "Dark Teal")},
    {0x800000, QT_TRANSLATE_NOOP("TFcColorPicker", "Dark Blue")},
    {0x993333, QT_TRANSLATE_NOOP("TFcColorPicker", "Indigo")},
    {0x333333, QT_TRANSLATE_NOOP("TFcColorPicker", "Gray 80%")},
    {0x000080, QT_TRANSLATE_NOOP("TFcColorPicker", "Dark Red")},
    {0x0066FF, QT_TRANSLATE_NOOP("TFcColorPicker", "Orange")},
    {0x008080, QT_TRANSLATE_NOOP("TFcColorPicker", "Dark Yellow")},
    {0x008000, QT_TRANSLATE_NOOP("TFcColorPicker", "Green")},
    {0x808000, QT_TRANSLATE_NOOP("TFcColorPicker", "Teal")},
    {0xFF0000, QT_TRANSLATE_NOOP("TFcColorPicker", "Blue")},
    {0x996666, QT_TRANSLATE_NOOP("TFcColorPicker", "Blue Gray")},
    {0x808080, QT_TRANSLATE_NOOP("TFcColorPicker", "Gray 50%")},
    {0x0000FF, QT_TRANSLATE_NOOP("TFcColorPicker", "Red")},
    {0x0099FF, QT_TRANSLATE_NOOP("TFcColorPicker", "Light Orange")},
    {0x00CC99, QT_TRANSLATE_NOOP("TFcColorPicker", "Lime")},
    {0x669933, QT_TRANSLATE_NOOP("TFcColorPicker", "Sea Green")},
    {0x999933, QT_TRANSLATE_NOOP("TFcColorPicker", "Aqua")},
    {0xFF6633, QT_TRANSLATE_NOOP("TFcColorPicker", "Light Blue")},
    {0x800080, QT_TRANSLATE_NOOP("TFcColorPicker", "Violet")},
    {0x999999, QT_TRANSLATE_NOOP("TFcColorPicker", "Gray 40%")},
    {0xFF00FF, QT_TRANSLATE_NOOP("TFcColorPicker", "Pink")},
    {0x00CCFF, QT_TRANSLATE_NOOP("TFcColorPicker", "Gold")},
    {0x00FFFF, QT_TRANSLATE_NOOP("TFcColorPicker", "Yellow")},
    {0x00FF00, QT_TRANSLATE_NOOP("TFcColorPicker", "Bright Green")},
    {0xFFFF00, QT_TRANSLATE_NOOP("TFcColorPicker", "Turquoise")},
    {0xFFCC00, QT_TRANSLATE_NOOP("TFcColorPicker", "Sky Blue")},
    {0x663399, QT_TRANSLATE_NOOP("TFcColorPicker", "Plum")},
    {0xC0C0C0, QT_TRANSLATE_NOOP("TFcColorPicker", "Gray 25%")},
    {0xCC99FF, QT_TRANSLATE_NOOP("TFcColorPicker", "Rose")},
    {0x99CCFF, QT_TRANSLATE_NOOP("TFcColorPicker", "Tan")},
    {0x99FFFF, QT_TRANSLATE_NOOP("TFcColorPicker", "Light Yellow")},
    {0xCCFFCC, QT_TRANSLATE_NOOP("TFcColorPicker", "Light Green")},
    {0xFFFFCC, QT_TRANSLATE_NOOP("TFcColorPicker", "Light Turquoise")},
    {0xFFCC99, QT_TRANSLATE_NOOP("TFcColorPicker", "Pale Blue")},
    {0xFF99CC, QT_TRANSLATE_NOOP("TFcColorPicker", "Lavender")},
    {0xFFFFFF, QT_TRANSLATE_NOOP("TFcColorPicker", "White")},
    {0x80000000, QT_TRANSLATE_NOOP("TFcColorPicker", "Scroll Bar")},
    {0x80000001, QT_TRANSLATE_NOOP("TFcColorPicker", "Background")},
    {0x80000002, QT_TRANSLATE_NOOP("TFcColorPicker", "Active Caption")},
    {0x80000003, QT_TRANSLATE_NOOP("TFcColorPicker", "Inactive Caption")},
    {0x80000004, QT_TRANSLATE_NOOP("TFcColorPicker", "Menu")},
    {0x80000005, QT_TRANSLATE_NOOP("TFcColorPicker", "Window")},
    {0x80000006, QT_TRANSLATE_NOOP("TFcColorPicker", "Window Frame")},
    {0x80000007, QT_TRANSLATE_NOOP("TFcColorPicker", "Menu Text")},
    {0x80000008, QT_TRANSLATE_NOOP("TFcColorPicker", "Window Text")},
    {0x80000009, QT_TRANSLATE_NOOP("TFcColorPicker", "Caption Text")},
    {0x8000000A, QT_TRANSLATE_NOOP("TFcColorPicker", "Active Border")},
    {0x8000000B, QT_TRANSLATE_NOOP("TFcColorPicker", "Inactive Border")},
    {0x8000000C, QT_TRANSLATE_NOOP("TFcColorPicker", "App WorkSpace")},
    {0x8000000D, QT_TRANSLATE_NOOP("TFcColorPicker", "Highlight")},
    {0x8000000E, QT_TRANSLATE_NOOP("TFcColorPicker", "Highlight Text")},
    {0x8000000F, QT_TRANSLATE_NOOP("TFcColorPicker", "Button Face")},
    {0x80000010, QT_TRANSLATE_NOOP("TFcColorPicker", "Button Shadow")},
    {0x80000011, QT_TRANSLATE_NOOP("TFcColorPicker", "Gray Text")},
    {0x80000012, QT_TRANSLATE_NOOP("TFcColorPicker", "Button Text")},
    {0x80000013, QT_TRANSLATE_NOOP("TFcColorPicker", "Inactive Caption Text")},
    {0x80000014, QT_TRANSLATE_NOOP("TFcColorPicker", "Button Highlight")},
    {0x80000015, QT_TRANSLATE_NOOP("TFcColorPicker", "3D Dark Shadow")},
    {0x80000016, QT_TRANSLATE_NOOP("TFcColorPicker", "3D Light")},
    {0x80000017, QT_TRANSLATE_NOOP("TFcColorPicker", "Info Text")},
    {0x80000018, QT_TRANSLATE_NOOP("TFcColorPicker", "Info Background")},
    {0x8000001A, QT_TRANSLATE_NOOP("TFcColorPicker", "Hot Light")},
    {0x8000001B, QT_TRANSLATE_NOOP("TFcColorPicker", "Gradient Active Caption")},
    {0x8000001C, QT_TRANSLATE_NOOP("TFcColorPicker", "Gradient Inactive Caption")},
    {0x8000001D, QT_TRANSLATE_NOOP("TFcColorPicker", "Menu Highlight")},
    {0x8000001E, QT_TRANSLATE_NOOP("TFcColorPicker", "Menu Bar")},
};

bool Inside(const TRect& r, int x, int y)
{
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}
}  // namespace

const TFcNamedColor& PickerColor(int index)
{
    return kColors[index];
}

QString DefaultColorCaptionText()
{
    return QCoreApplication::translate("TFcColorPicker", "Default");
}
QString NoColorCaptionText()
{
    return QCoreApplication::translate("TFcColorPicker", "None");
}
QString CustomColorCaptionText()
{
    return QCoreApplication::translate("TFcColorPicker", "More Colors...");
}

int PickerHitTest(const TFcPickerLayout& layout, int clientWidth, int clientHeight, int x, int y)
{
    const int m = layout.StripHeight;
    int ch = clientHeight;
    if (layout.ShowNoColor) {
        if (y < m + 1)
            return kPickNoColor;
        y -= m + 1;
        ch -= m + 1;
    }
    if (layout.ShowDefaultColor) {
        const int band = layout.ShowNoColor ? m : m + 1;
        if (y < band)
            return kPickDefault;
        y -= band;
        ch -= band;
    }
    if (layout.ShowCustomColor)
        ch -= m;
    const int rh = layout.ShowSystemColors ? (ch - 8) / 9 : ch / 5;
    const int cw = clientWidth / 8;
    if (rh > 0 && cw > 0) {
        for (int i = 0; i < kStandardColorCount; ++i) {
            const TRect cell{(i % 8) * cw, (i / 8) * rh, (i % 8) * cw + cw, (i / 8) * rh + rh};
            if (Inside(cell, x, y))
                return i;
        }
        if (layout.ShowSystemColors) {
            const int gridBottom = 5 * rh;
            if (x >= 0 && x < 8 * cw && y >= gridBottom && y < gridBottom + 8)
                return kPickNothing;
            const int sysTop = gridBottom + 8;
            if (x >= 0 && x < 8 * cw && y >= sysTop && y < sysTop + 4 * rh) {
                const int row = (y - sysTop) / rh;
                const int col = x / cw;
                if (row == 3 && col >= 6)
                    return kPickNothing;
                return 40 + row * 8 + col;
            }
        }
    }
    if (layout.ShowCustomColor)
        return x >= clientWidth - m ? kPickCustomSwatch : kPickCustomButton;
    return kPickNoColor;
}

TRect PickerCellRect(const TFcPickerLayout& layout, int clientWidth, int clientHeight, int index)
{
    const int m = layout.StripHeight;
    int ch = clientHeight;
    int top = 0;
    if (layout.ShowNoColor) {
        top += m + 1;
        ch -= m + 1;
    }
    if (layout.ShowDefaultColor) {
        top += m + 1;
        ch -= layout.ShowNoColor ? m : m + 1;
    }
    if (layout.ShowCustomColor)
        ch -= m;
    const int rh = layout.ShowSystemColors ? (ch - 8) / 9 : ch / 5;
    const int cw = clientWidth / 8;
    const int x = (index % 8) * cw;
    int y = index < kStandardColorCount ? (index / 8) * rh : (index / 8) * rh + 8;
    y += top;
    return {x, y, x + cw, y + rh};
}

void PickerAutoSize(const TFcPickerLayout& layout, int insetLeft, int insetTop, int& width, int& height)
{
    const int m = layout.StripHeight;
    width = 2 * insetLeft + 144;
    height = 2 * insetTop + 90;
    if (layout.ShowSystemColors)
        height += 80;
    if (layout.ShowNoColor)
        height += m + 1;
    if (layout.ShowDefaultColor)
        height += m + 1;
    if (layout.ShowCustomColor)
        height += m;
}

TColor PickerColorOfIndex(int index, TColor defaultColor, TColor customColor)
{
    if (index >= 0 && index < kPickerColorCount)
        return kColors[index].Color;
    switch (index) {
    case kPickDefault: return defaultColor;
    case kPickCustomButton:
    case kPickCustomSwatch: return customColor;
    default: return clNone;
    }
}

int PickerIndexOfColor(const TFcPickerLayout& layout, TColor color, TColor defaultColor, TColor& customColor)
{
    if (color == clNone)
        return kPickNoColor;
    if (layout.ShowDefaultColor && ColorToRGB(color) == ColorToRGB(defaultColor))
        return kPickDefault;
    if (layout.ShowSystemColors)
        for (int i = kStandardColorCount; i < kPickerColorCount; ++i)
            if (kColors[i].Color == color)
                return i;
    const TColor rgb = ColorToRGB(color);
    for (int i = 0; i < kStandardColorCount; ++i)
        if (kColors[i].Color == rgb)
            return i;
    customColor = rgb;
    return kPickCustomSwatch;
}

TRect TFcPickerPaintLayout::Cell(int index, const TRect& cr) const
{
    const int col = index % 8;
    if (index < kStandardColorCount) {
        const int row = index / 8;
        return {cr.Left + col * CellWidth, GridTop + row * RowHeight, cr.Left + col * CellWidth + CellWidth,
                GridTop + row * RowHeight + RowHeight};
    }
    const int row = (index - kStandardColorCount) / 8;
    return {cr.Left + col * CellWidth, SystemTop + row * RowHeight, cr.Left + col * CellWidth + CellWidth,
            SystemTop + row * RowHeight + RowHeight};
}

TFcPickerPaintLayout PickerPaintLayout(const TFcPickerLayout& layout, const TRect& cr)
{
    TFcPickerPaintLayout p;
    const int m = layout.StripHeight;
    const int w = cr.Width();
    int h = cr.Height();
    int y0 = cr.Top;
    if (layout.ShowNoColor) {
        p.NoColorStrip = {cr.Left, cr.Top, cr.Left + w, cr.Top + m};
        y0 += m;
        h -= m;
    }
    if (layout.ShowDefaultColor) {
        const int top = layout.ShowNoColor ? cr.Top + m : cr.Top;
        p.DefaultStrip = {cr.Left, top, cr.Left + w, top + m};
        y0 += m;
        h -= m;
    }
    if (layout.ShowCustomColor) {
        p.CustomStrip = {cr.Left, cr.Bottom - m, cr.Left + w, cr.Bottom};
        h -= m;
    }
    p.RowHeight = layout.ShowSystemColors ? (h - 8) / 9 : h / 5;
    p.CellWidth = w / 8;
    p.GridTop = y0;
    p.SeparatorY = y0 + 5 * p.RowHeight + 4;
    p.SystemTop = cr.Bottom - (layout.ShowCustomColor ? m : 0) - 4 * p.RowHeight;
    return p;
}
}  // namespace tw::controls
