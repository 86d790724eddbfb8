#include "controls/foundation/fcframecontroller.h"

#include "controls/foundation/fcreginifile.h"

#include <QMetaProperty>

namespace tw::controls {
namespace {

// Writes value into the control's property of that name when it has one.
void WriteIfPublished(QObject* control, const char* name, const QVariant& value)
{
    const int index = control->metaObject()->indexOfProperty(name);
    if (index < 0)
        return;
    const QMetaProperty property = control->metaObject()->property(index);
    if (property.isWritable())
        property.write(control, value);
}

// The sides go only into a property that is a set of an enumeration.
void WriteSides(QObject* control, TSides sides)
{
    const int index = control->metaObject()->indexOfProperty("FrameSides");
    if (index < 0)
        return;
    const QMetaProperty property = control->metaObject()->property(index);
    if (!property.isWritable() || !property.isFlagType())
        return;
    QVariant value = property.read(control);
    value.setValue(static_cast<int>(sides & kAllSides));
    property.write(control, value);
}

}  // namespace

TFcFrameController::TFcFrameController(QObject* owner) : QObject(owner) {}
TFcFrameController::~TFcFrameController() = default;

void TFcFrameController::UpdateControlFrame(QObject* control, TFcFrameProperty property)
{
    if (!control || !control->isWidgetType())
        return;
    if (auto* notified = dynamic_cast<IFcCustomFramingNotification*>(control)) {
        notified->CustomFramingChanged();
        return;
    }
    switch (property) {
    case fpAll:
        WriteIfPublished(control, "ParentColor", parentColor_);
        if (!parentColor_)
            WriteIfPublished(control, "Color", color_);
        WriteIfPublished(control, "DisabledColor", disabledColor_);
        WriteIfPublished(control, "FocusColor", focusColor_);
        WriteIfPublished(control, "FlatButtonColor", flatButtonColor_);
        WriteIfPublished(control, "FlatButtons", flatButtons_);
        WriteIfPublished(control, "FrameColor", frameColor_);
        WriteIfPublished(control, "FrameHotColor", frameHotColor_);
        WriteIfPublished(control, "FrameHotTrack", frameHotTrack_);
        WriteIfPublished(control, "FrameHotStyle", static_cast<int>(frameHotStyle_));
        WriteSides(control, frameSides_);
        WriteIfPublished(control, "FrameStyle", static_cast<int>(frameStyle_));
        WriteIfPublished(control, "FrameVisible", frameVisible_);
        WriteIfPublished(control, "FramingPreference", static_cast<int>(framingPreference_));
        break;
    case fpColor: WriteIfPublished(control, "Color", color_); break;
    case fpFocusColor: WriteIfPublished(control, "FocusColor", focusColor_); break;
    case fpDisabledColor: WriteIfPublished(control, "DisabledColor", disabledColor_); break;
    case fpParentColor: WriteIfPublished(control, "ParentColor", parentColor_); break;
    case fpFlatButtonColor: WriteIfPublished(control, "FlatButtonColor", flatButtonColor_); break;
    case fpFlatButtons: WriteIfPublished(control, "FlatButtons", flatButtons_); break;
    case fpFrameColor: WriteIfPublished(control, "FrameColor", frameColor_); break;
    case fpHotColor: WriteIfPublished(control, "FrameHotColor", frameHotColor_); break;
    case fpHotTrack: WriteIfPublished(control, "FrameHotTrack", frameHotTrack_); break;
    case fpHotStyle: WriteIfPublished(control, "FrameHotStyle", static_cast<int>(frameHotStyle_)); break;
    case fpSides: WriteSides(control, frameSides_); break;
    case fpStyle: WriteIfPublished(control, "FrameStyle", static_cast<int>(frameStyle_)); break;
    case fpVisible: WriteIfPublished(control, "FrameVisible", frameVisible_); break;
    case fpPreference:
        WriteIfPublished(control, "FramingPreference", static_cast<int>(framingPreference_));
        break;
    }
}

void TFcFrameController::UpdateFrames(TFcFrameProperty property)
{
    if (updateCount_ >= 1)
        return;
    const auto controls = controls_;  // a control may leave while it is updated
    for (const QPointer<QObject>& control : controls) {
        if (control)
            UpdateControlFrame(control, property);
    }
}

void TFcFrameController::BeginUpdate()
{
    ++updateCount_;
}

void TFcFrameController::EndUpdate()
{
    --updateCount_;
    if (updateCount_ < 1) {
        updateCount_ = 0;
        UpdateFrames(fpAll);
    }
}

void TFcFrameController::AddControl(QObject* control)
{
    if (!control)
        return;
    for (const QPointer<QObject>& c : controls_) {
        if (c == control)
            return;
    }
    controls_.append(control);
    connect(control, &QObject::destroyed, this, [this, control] { RemoveControl(control); });
    UpdateControlFrame(control, fpAll);
}

void TFcFrameController::RemoveControl(QObject* control)
{
    controls_.removeIf([control](const QPointer<QObject>& c) { return c.isNull() || c == control; });
    if (control)
        disconnect(control, &QObject::destroyed, this, nullptr);
}

void TFcFrameController::SetColor(TColor value)
{
    if (value == color_)
        return;
    if (focusColor_ == color_)
        focusColor_ = value;
    color_ = value;
    parentColor_ = false;
    UpdateFrames(fpColor);
}

void TFcFrameController::SetParentColor(bool value)
{
    if (value == parentColor_)
        return;
    parentColor_ = value;
    UpdateFrames(fpParentColor);
    if (!value)
        UpdateFrames(fpColor);
}

#define TW_FRAME_SETTER(Name, member, type, property)                                                        \
    void TFcFrameController::Name(type value)                                                                \
    {                                                                                                        \
        if (value == member)                                                                                 \
            return;                                                                                          \
        member = value;                                                                                      \
        UpdateFrames(property);                                                                              \
    }

TW_FRAME_SETTER(SetDisabledColor, disabledColor_, TColor, fpDisabledColor)
TW_FRAME_SETTER(SetFlatButtonColor, flatButtonColor_, TColor, fpFlatButtonColor)
TW_FRAME_SETTER(SetFlatButtons, flatButtons_, bool, fpFlatButtons)
TW_FRAME_SETTER(SetFocusColor, focusColor_, TColor, fpFocusColor)
TW_FRAME_SETTER(SetFrameColor, frameColor_, TColor, fpFrameColor)
TW_FRAME_SETTER(SetFrameHotColor, frameHotColor_, TColor, fpHotColor)
TW_FRAME_SETTER(SetFrameHotStyle, frameHotStyle_, TFrameStyle, fpHotStyle)
TW_FRAME_SETTER(SetFrameSides, frameSides_, TSides, fpSides)
TW_FRAME_SETTER(SetFrameStyle, frameStyle_, TFrameStyle, fpStyle)
TW_FRAME_SETTER(SetFrameVisible, frameVisible_, bool, fpVisible)
TW_FRAME_SETTER(SetFramingPreference, framingPreference_, TFramingPreference, fpPreference)
#undef TW_FRAME_SETTER

void TFcFrameController::SetFrameHotTrack(bool value)
{
    if (value == frameHotTrack_)
        return;
    frameHotTrack_ = value;
    if (value) {
        SetFrameVisible(true);
        SetFrameSides(kAllSides);
    }
    UpdateFrames(fpHotTrack);
}

void TFcFrameController::SetRegIniFile(TFcRegIniFile* value)
{
    // QPointer: cleared by itself when the store is destroyed.
    regIniFile_ = value;
}

void TFcFrameController::Assign(const TFcFrameController& source)
{
    BeginUpdate();
    color_ = source.color_;
    disabledColor_ = source.disabledColor_;
    flatButtonColor_ = source.flatButtonColor_;
    flatButtons_ = source.flatButtons_;
    focusColor_ = source.focusColor_;
    frameColor_ = source.frameColor_;
    frameHotColor_ = source.frameHotColor_;
    frameHotStyle_ = source.frameHotStyle_;
    frameHotTrack_ = source.frameHotTrack_;
    frameSides_ = source.frameSides_;
    frameStyle_ = source.frameStyle_;
    frameVisible_ = source.frameVisible_;
    framingPreference_ = source.framingPreference_;
    parentColor_ = source.parentColor_;
    EndUpdate();
}

void TFcFrameController::Load(const QString& section)
{
    if (!regIniFile_)
        throw EFcError(sFcCannotLoadCustomFraming);
    TFcRegIniFile& f = *regIniFile_;
    const auto color = [&](const char* name, TColor def) {
        return static_cast<TColor>(f.ReadInteger(section, QString::fromLatin1(name), static_cast<int>(def)));
    };
    BeginUpdate();
    color_ = color("Color", clWindow);
    flatButtonColor_ = color("FlatButtonColor", clBtnFace);
    flatButtons_ = f.ReadBool(section, QStringLiteral("FlatButtons"), true);
    disabledColor_ = color("DisabledColor", clWindow);
    focusColor_ = color("FocusColor", clWindow);
    frameColor_ = color("FrameColor", clBtnShadow);
    frameHotColor_ = color("FrameHotColor", clBtnShadow);
    frameHotStyle_ =
        static_cast<TFrameStyle>(f.ReadInteger(section, QStringLiteral("FrameHotStyle"), fsFlatBold));
    frameHotTrack_ = f.ReadBool(section, QStringLiteral("FrameHotTrack"), false);
    frameSides_ = 0;
    static const char* sideNames[] = {"FrameSides_Left", "FrameSides_Top", "FrameSides_Right",
                                      "FrameSides_Bottom"};
    for (int side = sdLeft; side <= sdBottom; ++side) {
        if (f.ReadBool(section, QString::fromLatin1(sideNames[side]), true))
            frameSides_ |= SideBit(static_cast<TSide>(side));
    }
    frameStyle_ = static_cast<TFrameStyle>(f.ReadInteger(section, QStringLiteral("FrameStyle"), fsFlat));
    frameVisible_ = f.ReadBool(section, QStringLiteral("FrameVisible"), false);
    framingPreference_ = static_cast<TFramingPreference>(
        f.ReadInteger(section, QStringLiteral("FramingPreference"), fpXPThemes));
    EndUpdate();
}

void TFcFrameController::Save(const QString& section)
{
    if (!regIniFile_)
        throw EFcError(sFcCannotSaveCustomFraming);
    TFcRegIniFile& f = *regIniFile_;
    const auto color = [&](const char* name, TColor value) {
        f.WriteInteger(section, QString::fromLatin1(name), static_cast<int>(value));
    };
    color("Color", color_);
    color("FlatButtonColor", flatButtonColor_);
    f.WriteBool(section, QStringLiteral("FlatButtons"), flatButtons_);
    color("DisabledColor", disabledColor_);
    color("FocusColor", focusColor_);
    color("FrameColor", frameColor_);
    color("FrameHotColor", frameHotColor_);
    f.WriteInteger(section, QStringLiteral("FrameHotStyle"), frameHotStyle_);
    f.WriteBool(section, QStringLiteral("FrameHotTrack"), frameHotTrack_);
    f.WriteBool(section, QStringLiteral("FrameSides_Left"), HasSide(frameSides_, sdLeft));
    f.WriteBool(section, QStringLiteral("FrameSides_Top"), HasSide(frameSides_, sdTop));
    f.WriteBool(section, QStringLiteral("FrameSides_Right"), HasSide(frameSides_, sdRight));
    f.WriteBool(section, QStringLiteral("FrameSides_Bottom"), HasSide(frameSides_, sdBottom));
    f.WriteInteger(section, QStringLiteral("FrameStyle"), frameStyle_);
    f.WriteBool(section, QStringLiteral("FrameVisible"), frameVisible_);
    f.WriteInteger(section, QStringLiteral("FramingPreference"), framingPreference_);
    f.UpdateFile();
}

}  // namespace tw::controls
