#pragma once
// TFcDialogButtons: a borderless panel with the three standard dialog buttons
// OK, Cancel and Help (TFcBitBtn), laid out along a dialog's edge: a row at
// the right end for a bottom or top panel, a column for a left or right one.
// Its properties reach the buttons; hidden buttons take no place.
//
//   auto* buttons = new TFcDialogButtons(dialog);   // alBottom, OK and Cancel
//   buttons->SetShowButton(TFcDialogButtons::Help, true);
//   buttons->OnClickHelp = [&](TFcControl*) { showHelp(); };
//
// In a parent without a layout the panel keeps to its Align edge by itself;
// in a layout, the panel's fixed height (or width) tells the layout its size.

#include "controls/base/fcalign.h"
#include "controls/base/fccontrol.h"
#include "controls/foundation/fctypes.h"

#include <QPointer>

#include <array>

class QAction;

namespace tw::controls {

class TFcBitBtn;

class TFcDialogButtons : public TFcControl {
    Q_OBJECT
public:
    enum Button { Ok = 1, CancelButton = 2, Help = 3 };

    explicit TFcDialogButtons(QWidget* parent = nullptr);

    TFcBitBtn* ButtonOf(Button button) const { return buttons_[button - 1]; }

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);
    QAction* BtnAction(Button button) const;
    void SetBtnAction(Button button, QAction* action);
    QString BtnCaption(Button button) const;
    void SetBtnCaption(Button button, const QString& caption);
    bool BtnEnable(Button button) const;
    void SetBtnEnable(Button button, bool enabled);
    int BtnWidth(Button button) const { return widths_[button - 1]; }
    void SetBtnWidth(Button button, int width);
    bool ShowButton(Button button) const { return shown_[button - 1]; }
    void SetShowButton(Button button, bool show);

    TColor ButtonColor() const;
    void SetButtonColor(TColor color);
    bool HotTrack() const;
    void SetHotTrack(bool value);
    TColor HighlightColor() const;
    void SetHighlightColor(TColor value);
    TColor HotTrackColor() const;
    void SetHotTrackColor(TColor value);
    TFcHotTrackColorType HotTrackColorType() const;
    void SetHotTrackColorType(TFcHotTrackColorType value);
    bool CancelCancel() const;
    void SetCancelCancel(bool value);
    bool OKDefault() const;
    void SetOKDefault(bool value);
    bool ShowDivider() const { return showDivider_; }
    void SetShowDivider(bool value);
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);

    void AdjustPanelSize();
    void PositionButtons();

    std::function<void(TFcControl*)> OnClickOk;
    std::function<void(TFcControl*)> OnClickCancel;
    std::function<void(TFcControl*)> OnClickHelp;

signals:
    void clickedOk();
    void clickedCancel();
    void clickedHelp();

protected:
    void Paint(TFcCanvas& canvas) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ButtonClicked(Button button);
    void Dock();

    std::array<TFcBitBtn*, 3> buttons_{};
    std::array<int, 3> widths_{75, 75, 75};
    std::array<bool, 3> shown_{true, true, false};
    TAlign align_ = alBottom;
    bool showDivider_ = false;
    bool showGlyphs_ = false;
    QPointer<QWidget> watchedParent_;
};

}  // namespace tw::controls
