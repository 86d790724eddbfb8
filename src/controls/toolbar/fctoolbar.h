#pragma once
// TFcToolbar: a framed panel that lays its child controls out in rows (or
// columns), wrapping them and resizing itself to the rows it needs. It keeps
// its own order of the controls, which the user can change and save to the
// settings store, and tells its tool buttons their size, caption display and
// layout (directly; there are no notification messages here). A change of
// its size asks the parent, through a queued layout request, to lay out again.
// TFcSpacer leaves a gap between buttons, optionally with a groove.
#include "controls/base/fccontrol.h"
#include "controls/foundation/fcimagelist.h"
#include "controls/foundation/fcreginifile.h"
#include "controls/panels/fcpanel.h"
#include "controls/toolbar/fctoolbarlayout.h"
#include <QPointer>
#include <functional>
#include <vector>
namespace tw::controls {
class TFcSpacer : public TFcControl {
    Q_OBJECT
public:
    explicit TFcSpacer(QWidget* parent = nullptr);
    bool Grooved() const { return grooved_; }
    void SetGrooved(bool value);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation value);
protected:
    void Paint(TFcCanvas& canvas) override;
private:
    bool grooved_ = false;
    TOrientation orientation_ = orHorizontal;
};
class TFcToolbar : public TFcCustomPanel {
    Q_OBJECT
public:
    explicit TFcToolbar(QWidget* parent = nullptr);
    TOrientation Orientation() const { return geometry_.Orientation; }
    void SetOrientation(TOrientation value);
    int RowHeight() const { return geometry_.RowHeight; }
    void SetRowHeight(int value);
    int Margin() const { return geometry_.Margin; }
    void SetMargin(int value);
    int TopMargin() const { return geometry_.TopMargin; }
    void SetTopMargin(int value);
    bool WrapControls() const { return geometry_.WrapControls; }
    void SetWrapControls(bool value);
    bool AutoResize() const { return geometry_.AutoResize; }
    void SetAutoResize(bool value);
    bool AutoStyle() const { return autoStyle_; }
    void SetAutoStyle(bool value) { autoStyle_ = value; }
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool value);
    void SetBorderOuter(TFrameStyle value) override;
    void SetBorderInner(TFrameStyle value) override;
    void SetBorderSides(TSides value) override;
    // Frames follow the toolbar's alignment in its parent.
    void AdjustStyle(TAlign align);
    TFcToolbarTextOptions TextOptions() const { return textOptions_; }
    void SetTextOptions(TFcToolbarTextOptions value);
    TButtonLayout ButtonLayout() const { return buttonLayout_; }
    void SetButtonLayout(TButtonLayout value);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int value);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int value);
    bool ShowButtonCaptions() const { return showButtonCaptions_; }
    void SetShowButtonCaptions(bool value);
    // Tiled inside the frames.
    const QImage& Background() const { return background_; }
    void SetBackground(const QImage& value);
    TFcImageList* Images() const { return images_; }
    void SetImages(TFcImageList* value);
    TFcRegIniFile* RegIniFile() const { return regIniFile_; }
    void SetRegIniFile(TFcRegIniFile* value) { regIniFile_ = value; }
    // The controls in toolbar order.
    std::vector<QWidget*> Controls() const;
    int IndexOf(const QWidget* control) const;
    void MoveControl(int from, int to);
    // Lays the controls out now.
    void PositionControls();
    void Realign() override;
    // Throw EFcError without a store.
    void SaveLayout();
    void RestoreLayout();
    // Opens the customize dialog modally; changes apply at once.
    void Customize();
    std::function<void(TFcControl*)> OnVisibleChanged;
protected:
    void DrawCaption(TFcCanvas&, TRect) override {}
    void Paint(TFcCanvas& canvas) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
private:
    void SyncControls();
    void TellButtons();
    void ApplyPreset(const TFcTextOptionPreset& p);
    TFcToolbarControlList ListOfControls() const;
    TFcToolbarGeometry geometry_;
    bool autoStyle_ = true;
    bool showDivider_ = true;
    bool settingStyle_ = false;
    TFcToolbarTextOptions textOptions_ = ttoNoTextLabels;
    bool settingTextOptions_ = false;
    TButtonLayout buttonLayout_ = blGlyphLeft;
    int buttonWidth_ = 25;
    int buttonHeight_ = 25;
    bool showButtonCaptions_ = false;
    TFcImageList* images_ = nullptr;
    QImage background_;
    QPointer<TFcRegIniFile> regIniFile_;
    std::vector<QPointer<QWidget>> controls_;
    bool positioning_ = false;
};
}  // namespace tw::controls
