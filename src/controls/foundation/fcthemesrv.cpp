#include "controls/foundation/fcthemesrv.h"

#include "controls/foundation/fccanvas.h"
#include "controls/foundation/fccommon.h"
#include "controls/foundation/fcgrafx.h"
#include "controls/foundation/fcimagelist.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace tw::controls {
namespace {

bool gVisualStyles = true;

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// The state flags of the n-th state of a "normal, hot, pressed, disabled ..."
// run, the order most element classes share.
QStyle::State CommonState(int state)
{
    switch (state) {
    case 2: return QStyle::State_Enabled | QStyle::State_MouseOver | QStyle::State_Raised;
    case 3: return QStyle::State_Enabled | QStyle::State_Sunken;
    case 4: return QStyle::State_None;
    default: return QStyle::State_Enabled | QStyle::State_Raised;
    }
}

bool RowIsEmpty(const QImage& image, int row)
{
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
    for (int x = 0; x < image.width(); ++x) {
        if (qAlpha(line[x]) != 0)
            return false;
    }
    return true;
}

// Some styles (Fusion among them) draw their group frame below a band they
// keep for a title of their own, so the frame's top line would land a text
// line lower than the rectangle asks and run through the group's items. The
// frame is drawn once off screen, taller than asked, and its top half and
// bottom half are put back so that the drawn frame fills the rectangle.
void DrawGroupFrame(QStyle* style, QPainter& p, QStyle::State state, const QRect& r, const QWidget* w)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const int h = r.height();
    QImage frame;
    int top = 0;
    for (int extra = std::max(64, h); extra <= 1024; extra *= 4) {
        frame = QImage(r.width(), h + extra, QImage::Format_ARGB32_Premultiplied);
        frame.fill(Qt::transparent);
        QStyleOptionFrame o;
        o.rect = frame.rect();
        o.state = state;
        o.lineWidth = 1;
        o.palette = w ? w->palette() : QApplication::palette();
        o.fontMetrics = w ? w->fontMetrics() : QFontMetrics(QApplication::font());
        QPainter fp(&frame);
        style->drawPrimitive(QStyle::PE_FrameGroupBox, &o, &fp, w);
        fp.end();
        top = 0;
        while (top < frame.height() && RowIsEmpty(frame, top))
            ++top;
        if (frame.height() - top >= h)
            break;
    }
    if (top >= frame.height())
        return;
    const int upper = std::min(h / 2, frame.height() - top);
    const int lower = std::min(h - upper, frame.height() - top - upper);
    p.drawImage(QRect(r.left(), r.top(), r.width(), upper), frame, QRect(0, top, r.width(), upper));
    p.drawImage(QRect(r.left(), r.bottom() + 1 - lower, r.width(), lower), frame,
                QRect(0, frame.height() - lower, r.width(), lower));
}

void DrawButtonPart(QStyle* style, QPainter& p, const TThemedElementDetails& d, const QRect& r,
                    const QWidget* w)
{
    switch (d.Part) {
    case 1: {  // push button: normal, hot, pressed, disabled, defaulted
        QStyleOptionButton o;
        o.rect = r;
        o.state = CommonState(d.State == 5 ? 1 : d.State);
        if (d.State == 5)
            o.features |= QStyleOptionButton::DefaultButton;
        style->drawControl(QStyle::CE_PushButtonBevel, &o, &p, w);
        break;
    }
    case 2: {  // radio: unchecked n/h/p/d, checked n/h/p/d
        QStyleOptionButton o;
        o.rect = r;
        o.state = CommonState((d.State - 1) % 4 + 1) | (d.State > 4 ? QStyle::State_On : QStyle::State_Off);
        style->drawPrimitive(QStyle::PE_IndicatorRadioButton, &o, &p, w);
        break;
    }
    case 3: {  // check box: unchecked, checked, mixed, each n/h/p/d
        QStyleOptionButton o;
        o.rect = r;
        const int group = (d.State - 1) / 4;
        o.state = CommonState((d.State - 1) % 4 + 1)
            | (group == 0       ? QStyle::State_Off
                   : group == 1 ? QStyle::State_On
                                : QStyle::State_NoChange);
        style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &o, &p, w);
        break;
    }
    case 4:  // group box: normal, disabled
        DrawGroupFrame(style, p, d.State == 2 ? QStyle::State_None : QStyle::State_Enabled, r, w);
        break;
    default: {
        QStyleOptionButton o;
        o.rect = r;
        o.state = QStyle::State_Enabled | QStyle::State_Raised;
        style->drawPrimitive(QStyle::PE_PanelButtonCommand, &o, &p, w);
        break;
    }
    }
}

}  // namespace

TThemeServices::TThemeServices()
{
    libraryAvailable_ = InitThemeLibrary();
    if (qApp)
        qApp->installEventFilter(this);
    UpdateThemes();
}

TThemeServices::~TThemeServices()
{
    if (qApp)
        qApp->removeEventFilter(this);
    UnloadThemeData();
    FreeThemeLibrary();
}

QStyle* TThemeServices::Style() const
{
    if (style_)
        return style_;
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style() : nullptr;
}

void TThemeServices::SetStyle(QStyle* style)
{
    style_ = style;
    UpdateThemes();
}

void TThemeServices::UpdateThemes()
{
    if (useThemes_)
        UnloadThemeData();
    useThemes_ = gVisualStyles && Style() != nullptr;
    controlsThemed_ = useThemes_;
}

void TThemeServices::UnloadThemeData()
{
    handles_.fill(0);
}

int TThemeServices::GetTheme(TThemedElement element)
{
    if (!useThemes_)
        return 0;
    if (handles_[element] == 0) {
        handles_[element] = element + 1;
        ++opens_;
    }
    return handles_[element];
}

void TThemeServices::DoOnThemeChange()
{
    if (OnThemeChange)
        OnThemeChange(this);
}

bool TThemeServices::eventFilter(QObject* watched, QEvent* event)
{
    // The application's style or palette changing is this platform's theme change.
    if (watched == qApp
        && (event->type() == QEvent::StyleChange || event->type() == QEvent::ApplicationPaletteChange)) {
        UpdateThemes();
        DoOnThemeChange();
    }
    return QObject::eventFilter(watched, event);
}

bool TThemeServices::DrawElement(TFcCanvas& canvas, const TThemedElementDetails& details, const TRect& rect,
                                 const std::optional<TRect>& clip)
{
    canvas.SaveState();
    if (clip)
        canvas.IntersectClipRect(*clip);
    QPainter& p = canvas.BeginPainter();
    const bool drawn = DrawElement(p, details, rect);
    canvas.EndPainter();
    canvas.RestoreState();
    return drawn;
}

bool TThemeServices::DrawElement(QPainter& p, const TThemedElementDetails& d, const TRect& rect,
                                 const QWidget* w)
{
    QStyle* style = Style();
    if (!style)
        return false;
    GetTheme(d.Element);
    const QRect r = ToQRect(rect);
    switch (d.Element) {
    case teButton: DrawButtonPart(style, p, d, r, w); return true;
    case teComboBox: {  // drop-down button: normal, hot, pressed, disabled
        QStyleOptionComboBox o;
        o.rect = r;
        o.state = CommonState(d.State);
        o.subControls = QStyle::SC_ComboBoxArrow;
        o.activeSubControls = d.State == 3 ? QStyle::SC_ComboBoxArrow : QStyle::SC_None;
        o.frame = false;
        style->drawComplexControl(QStyle::CC_ComboBox, &o, &p, w);
        return true;
    }
    case teEdit: {  // text: normal, hot, selected, disabled, focused, read-only, assist
        QStyleOptionFrame o;
        o.rect = r;
        o.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
        o.state = d.State == 4 ? QStyle::State_None : QStyle::State_Enabled | QStyle::State_Sunken;
        if (d.State == 2)
            o.state |= QStyle::State_MouseOver;
        if (d.State == 5)
            o.state |= QStyle::State_HasFocus;
        if (d.State == 6)
            o.state |= QStyle::State_ReadOnly;
        style->drawPrimitive(QStyle::PE_PanelLineEdit, &o, &p, w);
        return true;
    }
    case teProgress: {  // bar, vertical bar, chunk, vertical chunk
        QStyleOptionProgressBar o;
        o.rect = r;
        o.state = QStyle::State_Enabled | (d.Part % 2 == 0 ? QStyle::State_None : QStyle::State_Horizontal);
        o.minimum = 0;
        o.maximum = 100;
        o.progress = 100;
        style->drawControl(d.Part <= 2 ? QStyle::CE_ProgressBarGroove : QStyle::CE_ProgressBarContents, &o,
                           &p, w);
        return true;
    }
    case teToolBar: {
        if (d.Part >= 5) {  // separators
            QStyleOption o;
            o.rect = r;
            o.state = QStyle::State_Enabled | (d.Part == 5 ? QStyle::State_Horizontal : QStyle::State_None);
            style->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &o, &p, w);
            return true;
        }
        // normal, hot, pressed, disabled, checked, checked hot
        QStyleOptionToolButton o;
        o.rect = r;
        o.state = d.State >= 5 ? QStyle::State_Enabled | QStyle::State_On | QStyle::State_Sunken
                               : CommonState(d.State);
        if (d.State == 2 || d.State == 6)
            o.state |= QStyle::State_MouseOver | QStyle::State_AutoRaise;
        style->drawPrimitive(QStyle::PE_PanelButtonTool, &o, &p, w);
        if (d.Part == 2 || d.Part == 4) {
            QStyleOption arrow;
            arrow.rect = d.Part == 2 ? QRect(r.right() - 8, r.top(), 8, r.height()) : r;
            arrow.state = o.state;
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p, w);
        }
        return true;
    }
    case teSpin: {  // up, down, up horizontal, down horizontal; each n/h/p/d
        QStyleOptionSpinBox o;
        o.rect = r;
        o.state = CommonState(d.State);
        o.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
        o.frame = false;
        static constexpr QStyle::PrimitiveElement arrows[] = {
            QStyle::PE_IndicatorSpinUp, QStyle::PE_IndicatorSpinDown, QStyle::PE_IndicatorArrowRight,
            QStyle::PE_IndicatorArrowLeft};
        style->drawPrimitive(QStyle::PE_PanelButtonBevel, &o, &p, w);
        style->drawPrimitive(arrows[std::clamp(d.Part, 1, 4) - 1], &o, &p, w);
        return true;
    }
    case teStatus: {  // pane, gripper pane, gripper
        QStyleOption o;
        o.rect = r;
        o.state = QStyle::State_Enabled;
        if (d.Part == 3) {
            QStyleOptionSizeGrip g;
            g.rect = r;
            g.state = QStyle::State_Enabled;
            g.corner = Qt::BottomRightCorner;
            style->drawControl(QStyle::CE_SizeGrip, &g, &p, w);
        } else {
            style->drawPrimitive(QStyle::PE_FrameStatusBarItem, &o, &p, w);
        }
        return true;
    }
    case teWindow: {
        // Close buttons (plain, small, MDI): the style's small close button.
        if (d.Part >= 18 && d.Part <= 20) {
            QStyleOption o;
            o.rect = r;
            o.state = CommonState(d.State);
            style->drawPrimitive(QStyle::PE_IndicatorTabClose, &o, &p, w);
            return true;
        }
        return false;
    }
    case teTab: {
        if (d.Part >= 9) {  // pane and body
            QStyleOptionTabWidgetFrame o;
            o.rect = r;
            o.state = QStyle::State_Enabled;
            style->drawPrimitive(QStyle::PE_FrameTabWidget, &o, &p, w);
            return true;
        }
        // normal, hot, selected, disabled, focused
        QStyleOptionTab o;
        o.rect = r;
        o.state = d.State == 4 ? QStyle::State_None : QStyle::State_Enabled;
        if (d.State == 2)
            o.state |= QStyle::State_MouseOver;
        if (d.State == 3)
            o.state |= QStyle::State_Selected;
        if (d.State == 5)
            o.state |= QStyle::State_HasFocus;
        style->drawControl(QStyle::CE_TabBarTabShape, &o, &p, w);
        return true;
    }
    case teHeader: {
        QStyleOptionHeader o;
        o.rect = r;
        o.state = CommonState(d.State);
        style->drawControl(QStyle::CE_HeaderSection, &o, &p, w);
        return true;
    }
    default: return false;
    }
}

void TThemeServices::DrawEdge(TFcCanvas& canvas, const TThemedElementDetails&, const TRect& rect,
                              unsigned edge, unsigned flags, TRect* content)
{
    // The bit order of BF_ sides is the order of TSide.
    const TSides sides = static_cast<TSides>(flags & BF_RECT);
    TFrameStyle style = fsNone;
    switch (edge & 0xF) {
    case EDGE_RAISED: style = fsRaised; break;
    case EDGE_SUNKEN: style = fsLowered; break;
    case EDGE_ETCHED: style = fsGroove; break;
    case EDGE_BUMP: style = fsBump; break;
    case BDR_RAISEDOUTER:
    case BDR_RAISEDINNER: style = fsPopup; break;
    case BDR_SUNKENOUTER:
    case BDR_SUNKENINNER: style = fsStatus; break;
    default: break;
    }
    const TRect inner = DrawBorderSides(canvas, rect, style, sides);
    if (content)
        *content = (flags & BF_ADJUST) ? inner : rect;
}

void TThemeServices::DrawIcon(TFcCanvas& canvas, const TThemedElementDetails&, const TRect& rect,
                              const TFcImageList& images, int index)
{
    if (index < 0 || index >= images.Count())
        return;
    QPainter& p = canvas.BeginPainter();
    const QImage& image = images.Image(index);
    p.drawImage(rect.Left + (rect.Width() - image.width()) / 2,
                rect.Top + (rect.Height() - image.height()) / 2, image);
    canvas.EndPainter();
}

void TThemeServices::DrawParentBackground(QWidget* control, TFcCanvas& canvas,
                                          const TThemedElementDetails* details, bool onlyIfTransparent)
{
    if (onlyIfTransparent && details && !HasTransparentParts(*details))
        return;
    DrawParentImage(control, canvas, false);
}

void TThemeServices::DrawText(TFcCanvas& canvas, const TThemedElementDetails& details, const QString& text,
                              TRect rect, unsigned flags)
{
    canvas.SaveState();
    QPalette palette =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::palette() : QPalette();
    const bool disabled = (details.Element == teButton && details.State == 4 && details.Part == 1);
    const QColor c = palette.color(disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
    canvas.FontColor = RGB(c.red(), c.green(), c.blue());
    canvas.BkMode = TBkMode::Transparent;
    canvas.DrawText(text, rect, flags);
    canvas.RestoreState();
}

TRect TThemeServices::ContentRect(const TThemedElementDetails&, const TRect& bounds) const
{
    QStyle* style = Style();
    const int frame = style ? style->pixelMetric(QStyle::PM_DefaultFrameWidth) : 2;
    return bounds.Inflated(-frame, -frame);
}

bool TThemeServices::HasTransparentParts(const TThemedElementDetails& d) const
{
    // Push buttons with rounded corners, round glyphs and group frames leave
    // their parent showing; a button's own colour must not fill those corners.
    return d.Element == teButton && d.Part >= 1 && d.Part <= 4;
}

TColor TThemeServices::ColorToRGB(TColor color, const TThemedElementDetails* details) const
{
    if (!IsSystemColor(color) || !details || color == clNone)
        return color;
    const QPalette palette =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::palette() : QPalette();
    const int index = static_cast<int>(color & 0xFF);
    return index < kSystemColorCount ? SystemColorsFromPalette(palette)[index] : clBlack;
}

SystemColorTable SystemColorsFromPalette(const QPalette& palette)
{
    SystemColorTable table = ClassicSystemColors();
    const auto set = [&](int index, QPalette::ColorRole role) {
        const QColor c = palette.color(QPalette::Active, role);
        table[index] = RGB(c.red(), c.green(), c.blue());
    };
    set(COLOR_WINDOW, QPalette::Base);
    set(COLOR_WINDOWTEXT, QPalette::Text);
    set(COLOR_MENU, QPalette::Window);
    set(COLOR_MENUTEXT, QPalette::WindowText);
    set(COLOR_BTNFACE, QPalette::Button);
    set(COLOR_BTNTEXT, QPalette::ButtonText);
    set(COLOR_BTNSHADOW, QPalette::Mid);
    set(COLOR_BTNHIGHLIGHT, QPalette::Light);
    set(COLOR_3DDKSHADOW, QPalette::Shadow);
    set(COLOR_3DLIGHT, QPalette::Midlight);
    set(COLOR_HIGHLIGHT, QPalette::Highlight);
    set(COLOR_HIGHLIGHTTEXT, QPalette::HighlightedText);
    set(COLOR_INFOBK, QPalette::ToolTipBase);
    set(COLOR_INFOTEXT, QPalette::ToolTipText);
    const QColor gray = palette.color(QPalette::Disabled, QPalette::Text);
    table[COLOR_GRAYTEXT] = RGB(gray.red(), gray.green(), gray.blue());
    return table;
}

void FillSystemColorsFromPalette(const QPalette& palette)
{
    SetSystemColors(SystemColorsFromPalette(palette));
}

void TThemeServices::PaintBorder(TFcCanvas& canvas, const TRect& rect)
{
    canvas.SaveState();
    canvas.ExcludeClipRect(rect.Inflated(-2, -2));
    canvas.IntersectClipRect(rect);
    DrawElement(canvas, GetElementDetails(teEditTextNormal), rect);
    canvas.RestoreState();
}

TThemeServices* ThemeServices()
{
    static TThemeServices* services = new TThemeServices;
    return services;
}

void SetVisualStylesEnabled(bool enabled)
{
    if (gVisualStyles == enabled)
        return;
    gVisualStyles = enabled;
    ThemeServices()->UpdateThemes();
}

bool VisualStylesEnabled()
{
    return gVisualStyles;
}

}  // namespace tw::controls
