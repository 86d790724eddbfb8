#pragma once
// TFcColorPicker: a framed grid of 40 named colours (and optionally the 30
// system colours) with optional strips for no colour, the default colour and
// a custom colour picked in the colour dialog. The cell under the mouse is
// highlighted and named in a hint; the selected one is marked.
//
// ColorDialog is the seam to the colour dialog (a QColorDialog by default):
// it gets the starting colour and the sixteen custom colours, and returns the
// chosen colour (with the custom colours as the user left them), or nothing
// when the dialog was cancelled.
#include "controls/display/fcpickergeometry.h"
#include "controls/foundation/fccustomcolors.h"
#include "controls/panels/fcborder.h"
#include <QColor>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <optional>
namespace tw::controls {
class TFcColorPicker : public TFcBorder {
    Q_OBJECT
public:
    explicit TFcColorPicker(QWidget* parent = nullptr);
    QString CustomColorCaption() const { return customCaption_; }
    void SetCustomColorCaption(const QString& value);
    TColor CustomColor() const { return customColor_; }
    void SetCustomColor(TColor value);
    TFcCustomColors* CustomColors() const { return customColors_; }
    void SetCustomColors(TFcCustomColors* value) { customColors_ = value; }
    TColor DefaultColor() const { return defaultColor_; }
    void SetDefaultColor(TColor value);
    QString DefaultColorCaption() const { return defaultCaption_; }
    void SetDefaultColorCaption(const QString& value);
    QString NoColorCaption() const { return noCaption_; }
    void SetNoColorCaption(const QString& value);
    bool ShowColorHints() const { return showColorHints_; }
    void SetShowColorHints(bool value) { showColorHints_ = value; }
    bool ShowNoColor() const { return layout_.ShowNoColor; }
    void SetShowNoColor(bool value);
    bool ShowCustomColor() const { return layout_.ShowCustomColor; }
    void SetShowCustomColor(bool value);
    bool ShowDefaultColor() const { return layout_.ShowDefaultColor; }
    void SetShowDefaultColor(bool value);
    bool ShowSystemColors() const { return layout_.ShowSystemColors; }
    void SetShowSystemColors(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    TColor SelectedColor() const;
    void SetSelectedColor(TColor value);
    int SelColorIndex() const { return selIndex_; }
    void SetSelColorIndex(int index);
    int HighlightColorIndex() const { return highlightIndex_; }
    void SetHighlightColorIndex(int index);
    // The geometry as it stands (strip height from the font).
    TFcPickerLayout Layout() const;
    int HitTest(int x, int y) const;
    TRect GetCellRect(int index) const;
    // Opens the colour dialog; confirming selects the custom swatch.
    void PickCustomColor();
    // The text of the hint showing now (empty when none).
    QString HintText() const { return hintText_; }
    std::function<std::optional<QColor>(QColor initial, QList<QColor>& customColors)> ColorDialog;
    std::function<void(TFcControl*)> OnChange;
signals:
    void colorChanged();
protected:
    virtual void ColorChanged();
    void Paint(TFcCanvas& canvas) override;
    void FontChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
private:
    void StripsChanged();
    void UpdateBounds();
    void DoHint(int x, int y);
    void DrawCell(TFcCanvas& canvas, const TRect& c, TColor color, int index, bool system);
    void DrawStrip(TFcCanvas& canvas, const TRect& b, int index, const QString& caption);
    void DrawSwatch(TFcCanvas& canvas, const TRect& square, TColor color, int index);
    QString customCaption_;
    TColor customColor_ = clWhite;
    QPointer<TFcCustomColors> customColors_;
    TColor defaultColor_ = clHighlight;
    QString defaultCaption_;
    QString noCaption_;
    bool showColorHints_ = true;
    bool autoSize_ = true;
    TFcPickerLayout layout_;
    int selIndex_ = kPickNoColor;
    int highlightIndex_ = kPickNoHighlight;
    QString hintText_;
};
}  // namespace tw::controls
