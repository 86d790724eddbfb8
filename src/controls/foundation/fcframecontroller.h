#pragma once
// One set of frame settings shared by many controls: the controller pushes
// each setting into every registered control's property of the same name,
// through Qt's property system, so a control that does not publish a
// property is simply skipped. The settings can be kept in a TFcRegIniFile.

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <QList>
#include <QObject>
#include <QPointer>

namespace tw::controls {

class TFcRegIniFile;

enum TFcFrameProperty {
    fpAll,
    fpColor,
    fpFocusColor,
    fpDisabledColor,
    fpParentColor,
    fpFlatButtonColor,
    fpFlatButtons,
    fpFrameColor,
    fpHotColor,
    fpHotTrack,
    fpHotStyle,
    fpSides,
    fpStyle,
    fpVisible,
    fpPreference
};

// A control that re-reads the frame settings itself when told.
class IFcCustomFramingNotification {
public:
    virtual ~IFcCustomFramingNotification() = default;
    virtual void CustomFramingChanged() = 0;
};

class TFcFrameController : public QObject {
    Q_OBJECT
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(uint DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(uint FlatButtonColor READ FlatButtonColor WRITE SetFlatButtonColor)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(uint FocusColor READ FocusColor WRITE SetFocusColor)
    Q_PROPERTY(uint FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(uint FrameHotColor READ FrameHotColor WRITE SetFrameHotColor)
    Q_PROPERTY(int FrameHotStyle READ FrameHotStyle WRITE SetFrameHotStyleValue)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(int FrameSides READ FrameSides WRITE SetFrameSidesValue)
    Q_PROPERTY(int FrameStyle READ FrameStyle WRITE SetFrameStyleValue)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(int FramingPreference READ FramingPreference WRITE SetFramingPreferenceValue)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
public:
    explicit TFcFrameController(QObject* owner = nullptr);
    ~TFcFrameController() override;

    void AddControl(QObject* control);
    void RemoveControl(QObject* control);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    void BeginUpdate();
    void EndUpdate();
    void UpdateControls() { UpdateFrames(fpAll); }
    virtual void UpdateControlFrame(QObject* control, TFcFrameProperty property);
    virtual void UpdateFrames(TFcFrameProperty property);
    // Reads / writes the settings in a section of RegIniFile; throws EFcError
    // without a RegIniFile.
    void Load(const QString& section);
    void Save(const QString& section);
    void Assign(const TFcFrameController& source);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TColor DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(TColor value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    void SetFlatButtonColor(TColor value);
    bool FlatButtons() const { return flatButtons_; }
    void SetFlatButtons(bool value);
    TColor FocusColor() const { return focusColor_; }
    void SetFocusColor(TColor value);
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor value);
    TColor FrameHotColor() const { return frameHotColor_; }
    void SetFrameHotColor(TColor value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    void SetFrameHotStyle(TFrameStyle value);
    bool FrameHotTrack() const { return frameHotTrack_; }
    void SetFrameHotTrack(bool value);
    TSides FrameSides() const { return frameSides_; }
    void SetFrameSides(TSides value);
    TFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TFrameStyle value);
    bool FrameVisible() const { return frameVisible_; }
    void SetFrameVisible(bool value);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    void SetFramingPreference(TFramingPreference value);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);
    TFcRegIniFile* RegIniFile() const { return regIniFile_; }
    void SetRegIniFile(TFcRegIniFile* value);

private:
    void SetFrameHotStyleValue(int v) { SetFrameHotStyle(static_cast<TFrameStyle>(v)); }
    void SetFrameSidesValue(int v) { SetFrameSides(static_cast<TSides>(v & kAllSides)); }
    void SetFrameStyleValue(int v) { SetFrameStyle(static_cast<TFrameStyle>(v)); }
    void SetFramingPreferenceValue(int v) { SetFramingPreference(static_cast<TFramingPreference>(v)); }

    TColor color_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    TColor flatButtonColor_ = clBtnFace;
    bool flatButtons_ = true;
    TColor focusColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    bool frameHotTrack_ = false;
    TSides frameSides_ = kAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    bool parentColor_ = false;
    QPointer<TFcRegIniFile> regIniFile_;
    QList<QPointer<QObject>> controls_;
    int updateCount_ = 0;
};

}  // namespace tw::controls
