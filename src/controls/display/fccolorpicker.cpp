#include "controls/display/fccolorpicker.h"
#include "controls/display/fcdisplayaccessible.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcthemesrv.h"
#include "controls/panels/fcframes.h"
#include <QColorDialog>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>
namespace tw::controls {
namespace {
QColor ToQColor(TColor c)
{
    const TColor rgb = ColorToRGB(c);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}
TColor FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

std::optional<QColor> RunColorDialog(QWidget* owner, QColor initial, QList<QColor>& customColors)
{
    for (int i = 0; i < customColors.size() && i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, customColors[i]);
    QColorDialog dialog(initial, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    customColors.clear();
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        customColors << QColorDialog::customColor(i);
    return dialog.selectedColor();
}
// The classic hot look: a raised one-pixel edge round a filled face; the soft
// variant keeps the face in the window colour.
void DrawHotFace(TFcCanvas& canvas, const TRect& r, bool soft)
{
    canvas.Brush = TFcBrush{soft ? clWindow : clBtnFace};
    canvas.FillRect(r);
    DrawBevel(canvas, r, clBtnHighlight, clBtnShadow, 1, kAllSides);
}
}  // namespace

TFcColorPicker::TFcColorPicker(QWidget* parent) : TFcBorder(parent)
{
    RegisterDisplayAccessibility();
    SetTransparent(false);
    SetColor(clWindow);
    SetBorderWidth(2);
    SetBorderColor(clWindow);
    SetFlatColorAdjustment(0);
    if (ThemeServices()->GetThemesEnabled()) {
        // The themed frame is one line in the palette's frame colour.
        SetBorderOuter(fsFlat);
        SetFlatColor(ThemeServices()->ColorToRGB(clBtnShadow));
    } else {
        SetBorderOuter(fsLowered);
    }
    setMouseTracking(true);
    ColorDialog = [this](QColor initial, QList<QColor>& custom) { return RunColorDialog(this, initial, custom); };
    UpdateBounds();
}

TFcPickerLayout TFcColorPicker::Layout() const
{
    TFcPickerLayout l = layout_;
    QFontInfo info(font());
    l.StripHeight = std::abs(info.pixelSize()) + 12;
    return l;
}

void TFcColorPicker::SetCustomColorCaption(const QString& value)
{
    if (StoreChanged(customCaption_, value))
        update();
}
void TFcColorPicker::SetCustomColor(TColor value)
{
    customColor_ = value;
    if (layout_.ShowCustomColor)
        repaint();
}
void TFcColorPicker::SetDefaultColor(TColor value)
{
    defaultColor_ = value;
    if (layout_.ShowDefaultColor)
        repaint();
}
void TFcColorPicker::SetDefaultColorCaption(const QString& value)
{
    if (StoreChanged(defaultCaption_, value))
        update();
}
void TFcColorPicker::SetNoColorCaption(const QString& value)
{
    if (StoreChanged(noCaption_, value))
        update();
}
void TFcColorPicker::SetShowNoColor(bool value)
{
    if (StoreChanged(layout_.ShowNoColor, value))
        StripsChanged();
}
void TFcColorPicker::SetShowCustomColor(bool value)
{
    if (StoreChanged(layout_.ShowCustomColor, value))
        StripsChanged();
}
void TFcColorPicker::SetShowDefaultColor(bool value)
{
    if (StoreChanged(layout_.ShowDefaultColor, value))
        StripsChanged();
}
void TFcColorPicker::SetShowSystemColors(bool value)
{
    if (StoreChanged(layout_.ShowSystemColors, value))
        StripsChanged();
}
void TFcColorPicker::SetAutoSize(bool value)
{
    if (StoreChanged(autoSize_, value))
        UpdateBounds();
}

void TFcColorPicker::StripsChanged()
{
    UpdateBounds();
    update();
}

void TFcColorPicker::UpdateBounds()
{
    if (!autoSize_)
        return;
    const TRect cr = ClientRect();
    int w = 0;
    int h = 0;
    PickerAutoSize(Layout(), cr.Left, cr.Top, w, h);
    resize(w, h);
}

void TFcColorPicker::FontChanged()
{
    UpdateBounds();
    repaint();
}

TColor TFcColorPicker::SelectedColor() const
{
    return PickerColorOfIndex(selIndex_, defaultColor_, customColor_);
}

void TFcColorPicker::SetSelectedColor(TColor value)
{
    const int index = PickerIndexOfColor(Layout(), value, defaultColor_, customColor_);
    SetSelColorIndex(index);
}

void TFcColorPicker::SetSelColorIndex(int index)
{
    // The custom swatch always goes on: the dialog may have changed its colour.
    if (index == selIndex_ && index != kPickCustomSwatch)
        return;
    selIndex_ = index;
    repaint();
    ColorChanged();
    if (index == kPickCustomSwatch)
        Click();
}

void TFcColorPicker::SetHighlightColorIndex(int index)
{
    if (StoreChanged(highlightIndex_, index))
        repaint();
}

void TFcColorPicker::ColorChanged()
{
    if (OnChange)
        OnChange(this);
    emit colorChanged();
}

int TFcColorPicker::HitTest(int x, int y) const
{
    const TRect cr = ClientRect();
    return PickerHitTest(Layout(), cr.Width(), cr.Height(), x, y);
}

TRect TFcColorPicker::GetCellRect(int index) const
{
    const TRect cr = ClientRect();
    return PickerCellRect(Layout(), cr.Width(), cr.Height(), index);
}

void TFcColorPicker::PickCustomColor()
{
    QList<QColor> custom;
    if (customColors_)
        for (const QString& line : customColors_->Colors()) {
            bool ok = false;
            const TColor c = static_cast<TColor>(line.section(u'=', 1).toUInt(&ok, 16));
            custom << (ok ? ToQColor(c) : QColor(Qt::white));
        }
    const std::optional<QColor> chosen = ColorDialog(ToQColor(customColor_), custom);
    if (!chosen)
        return;
    if (customColors_) {
        QStringList lines = customColors_->Colors();
        for (int i = 0; i < lines.size() && i < custom.size(); ++i)
            lines[i] = lines[i].section(u'=', 0, 0) + u'=' +
                       QStringLiteral("%1").arg(FromQColor(custom[i]) & 0xFFFFFF, 6, 16, QChar(u'0')).toUpper();
        customColors_->SetColors(lines);
    }
    SetCustomColor(FromQColor(*chosen));
    SetSelColorIndex(kPickCustomSwatch);
}

void TFcColorPicker::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        const int index = HitTest(p.x(), p.y());
        if (index == kPickCustomButton) {
            SetHighlightColorIndex(kPickNoHighlight);
            repaint();
            PickCustomColor();
        } else if (index != kPickNothing) {
            SetSelColorIndex(index);
        }
    }
    TFcBorder::mousePressEvent(event);
}

void TFcColorPicker::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (showColorHints_)
        DoHint(p.x(), p.y());
    const int index = HitTest(p.x(), p.y());
    if (event->buttons() & Qt::LeftButton) {
        if (index != kPickCustomButton && index != kPickNothing)
            SetSelColorIndex(index);
    } else {
        SetHighlightColorIndex(index);
    }
    TFcBorder::mouseMoveEvent(event);
}

void TFcColorPicker::MouseEnter()
{
    TFcBorder::MouseEnter();
    if (showColorHints_) {
        const QPoint p = mapFromGlobal(QCursor::pos());
        DoHint(p.x(), p.y());
    }
}

void TFcColorPicker::MouseLeave()
{
    TFcBorder::MouseLeave();
    SetHighlightColorIndex(kPickNoHighlight);
    hintText_.clear();
    QToolTip::hideText();
}

void TFcColorPicker::DoHint(int x, int y)
{
    const int index = HitTest(x, y);
    const TRect cr = ClientRect();
    const bool inClient = x >= cr.Left && x < cr.Right && y >= cr.Top && y < cr.Bottom;
    if (index >= 0 && index < kPickerColorCount && inClient) {
        const QString text = QCoreApplication::translate("TFcColorPicker", PickerColor(index).Name);
        if (text == hintText_)
            return;
        hintText_ = text;
        const TRect c = GetCellRect(index);
        QToolTip::showText(mapToGlobal(QPoint(c.Left + 4, c.Bottom + 12)), text, this);
        return;
    }
    if (!hintText_.isEmpty()) {
        hintText_.clear();
        QToolTip::hideText();
        update();
    }
}

void TFcColorPicker::DrawSwatch(TFcCanvas& canvas, const TRect& square, TColor color, int index)
{
    DrawCell(canvas, square, color, index, false);
}

void TFcColorPicker::DrawCell(TFcCanvas& canvas, const TRect& c, TColor color, int index, bool system)
{
    const bool themed = ThemeServices()->GetThemesEnabled();
    if (index == selIndex_) {
        canvas.Brush = TFcBrush{clWindow};
        canvas.FillRect(c);
        if (!themed || !ThemeServices()->DrawElement(canvas, GetElementDetails(ttbButtonChecked), c))
            DrawBevel(canvas, c, clHighlight, clHighlight, 1, kAllSides);
    } else if (index == highlightIndex_) {
        if (!themed || !ThemeServices()->DrawElement(canvas, GetElementDetails(ttbButtonHot), c))
            DrawHotFace(canvas, c, system);
    }
    TRect s = c.Inflated(-4, -4);
    canvas.Pen = TFcPen{clBtnShadow};
    canvas.Brush = TFcBrush{color};
    canvas.FillRect(s);
    s = s.Inflated(1, 1);
    canvas.Brush = TFcBrush{clBtnShadow};
    canvas.FrameRect(s);
}

void TFcColorPicker::DrawStrip(TFcCanvas& canvas, const TRect& b, int index, const QString& caption)
{
    const bool themed = ThemeServices()->GetThemesEnabled();
    bool themedHot = false;
    if (index == selIndex_) {
        canvas.Brush = TFcBrush{clWindow};
        canvas.FillRect(b);
        if (!themed || !ThemeServices()->DrawElement(canvas, GetElementDetails(ttbButtonChecked), b))
            DrawBevel(canvas, b, clHighlight, clHighlight, 1, kAllSides);
    } else if (index == highlightIndex_) {
        themedHot = themed && ThemeServices()->DrawElement(canvas, GetElementDetails(ttbButtonHot), b);
        if (!themedHot)
            DrawHotFace(canvas, b, true);
    }
    const TRect t = b.Inflated(-3, -3);
    if (!themedHot) {
        canvas.Brush = TFcBrush{clBtnShadow};
        canvas.FrameRect(t);
    }
    canvas.BkMode = TBkMode::Transparent;
    canvas.FontColor = FontColor();
    TRect tr = t;
    canvas.DrawText(caption, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void TFcColorPicker::Paint(TFcCanvas& canvas)
{
    TFcBorder::Paint(canvas);
    canvas.Font = font();
    const TRect cr = ClientRect();
    canvas.Brush = TFcBrush{Color()};
    canvas.FillRect(cr);
    const TFcPickerLayout l = Layout();
    const int m = l.StripHeight;
    const TFcPickerPaintLayout p = PickerPaintLayout(l, cr);
    if (l.ShowNoColor)
        DrawStrip(canvas, p.NoColorStrip, kPickNoColor, noCaption_.isEmpty() ? NoColorCaptionText() : noCaption_);
    if (l.ShowDefaultColor) {
        const TRect& d = p.DefaultStrip;
        DrawStrip(canvas, {d.Left, d.Top, cr.Left + cr.Width() - m, d.Bottom}, kPickDefault,
                  defaultCaption_.isEmpty() ? DefaultColorCaptionText() : defaultCaption_);
        DrawSwatch(canvas, {cr.Left + cr.Width() - m, d.Top, d.Right, d.Bottom}, defaultColor_, kPickDefault);
    }
    if (p.RowHeight > 0)
        for (int i = 0; i < kStandardColorCount; ++i)
            DrawCell(canvas, p.Cell(i, cr), PickerColor(i).Color, i, false);
    if (l.ShowSystemColors && p.RowHeight > 0) {
        canvas.Pen = TFcPen{clBtnShadow};
        canvas.MoveTo(cr.Left + 3, p.SeparatorY);
        canvas.LineTo(cr.Width(), p.SeparatorY);
        for (int i = kStandardColorCount; i < kPickerColorCount; ++i)
            DrawCell(canvas, p.Cell(i, cr), PickerColor(i).Color, i, true);
    }
    if (l.ShowCustomColor) {
        const TRect& s = p.CustomStrip;
        DrawStrip(canvas, {s.Left, s.Top, cr.Left + cr.Width() - m, s.Bottom}, kPickCustomButton,
                  customCaption_.isEmpty() ? CustomColorCaptionText() : customCaption_);
        DrawSwatch(canvas, {cr.Left + cr.Width() - m, s.Top, s.Right, s.Bottom}, customColor_, kPickCustomSwatch);
    }
}
}  // namespace tw::controls
