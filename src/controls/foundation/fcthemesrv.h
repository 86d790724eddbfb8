#pragma once
// TThemeServices: the one visual-style service of the library. Controls ask
// GetThemesEnabled() before every themed paint and draw their own framing
// otherwise. Drawing an element becomes the matching QStyle call of the
// application's style, with the element's state as style state flags.
//
// Visual styles can be switched off at run time (SetVisualStylesEnabled);
// the unit tests switch them off so that every control draws through its own
// deterministic framing.

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fcthemedetails.h"
#include "controls/foundation/fctypes.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QPainter;
class QPalette;
class QStyle;
class QWidget;

namespace tw::controls {

class TFcCanvas;
class TFcImageList;

// Edge kinds and the sides and options of DrawEdge.
inline constexpr unsigned BDR_RAISEDOUTER = 0x1;
inline constexpr unsigned BDR_SUNKENOUTER = 0x2;
inline constexpr unsigned BDR_RAISEDINNER = 0x4;
inline constexpr unsigned BDR_SUNKENINNER = 0x8;
inline constexpr unsigned EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER;
inline constexpr unsigned EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER;
inline constexpr unsigned EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr unsigned BF_LEFT = 0x1;
inline constexpr unsigned BF_TOP = 0x2;
inline constexpr unsigned BF_RIGHT = 0x4;
inline constexpr unsigned BF_BOTTOM = 0x8;
inline constexpr unsigned BF_RECT = 0xF;
inline constexpr unsigned BF_ADJUST = 0x2000;

class TThemeServices : public QObject {
    Q_OBJECT
public:
    TThemeServices();
    ~TThemeServices() override;

    bool GetThemesEnabled() const { return libraryAvailable_ && useThemes_ && controlsThemed_; }
    // A non-zero handle per element class while themes are used, opened once.
    int GetTheme(TThemedElement element);
    int ThemeOpenCount() const { return opens_; }

    // The style the elements are drawn with (the application's unless set).
    QStyle* Style() const;
    void SetStyle(QStyle* style);

    // True when the element has a style mapping and was drawn.
    bool DrawElement(TFcCanvas& canvas, const TThemedElementDetails& details, const TRect& rect,
                     const std::optional<TRect>& clip = std::nullopt);
    bool DrawElement(QPainter& painter, const TThemedElementDetails& details, const TRect& rect,
                     const QWidget* widget = nullptr);
    // An edge in the classic look (EDGE_ and BF_ flags); with BF_ADJUST the
    // rectangle left inside goes to content.
    void DrawEdge(TFcCanvas& canvas, const TThemedElementDetails& details, const TRect& rect, unsigned edge,
                  unsigned flags, TRect* content = nullptr);
    // An image of the list centred in rect.
    void DrawIcon(TFcCanvas& canvas, const TThemedElementDetails& details, const TRect& rect,
                  const TFcImageList& images, int index);
    // What lies behind control, unless only-if-transparent is asked and the
    // element has no transparent parts.
    void DrawParentBackground(QWidget* control, TFcCanvas& canvas, const TThemedElementDetails* details,
                              bool onlyIfTransparent);
    // Text in the style's text colour for the element's state.
    void DrawText(TFcCanvas& canvas, const TThemedElementDetails& details, const QString& text, TRect rect,
                  unsigned flags);
    // The rectangle inside the element's border.
    TRect ContentRect(const TThemedElementDetails& details, const TRect& bounds) const;
    bool HasTransparentParts(const TThemedElementDetails& details) const;
    // A system colour as the style's palette gives it for the element; an RGB
    // colour, or no details, unchanged.
    TColor ColorToRGB(TColor color, const TThemedElementDetails* details = nullptr) const;
    // The themed edit border round rect, drawn only on the 2-pixel band.
    void PaintBorder(TFcCanvas& canvas, const TRect& rect);

    // Re-reads the switch and the style; closes the open handles first when
    // themes were in use.
    void UpdateThemes();
    void UnloadThemeData();
    std::function<void(TThemeServices*)> OnThemeChange;

protected:
    virtual void DoOnThemeChange();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool libraryAvailable_ = false;
    bool useThemes_ = false;
    bool controlsThemed_ = false;
    std::array<int, kThemedElementCount> handles_{};
    int opens_ = 0;
    QPointer<QStyle> style_;
};

// The shared instance, made on the first call.
TThemeServices* ThemeServices();
// The run-time switch; turning it changes the drawing path of every control
// at its next paint.
void SetVisualStylesEnabled(bool enabled);
bool VisualStylesEnabled();

// The system-colour table as the palette gives it (colours the palette has no
// role for keep their classic values), and installing it as the table in use.
SystemColorTable SystemColorsFromPalette(const QPalette& palette);
void FillSystemColorsFromPalette(const QPalette& palette);

}  // namespace tw::controls
