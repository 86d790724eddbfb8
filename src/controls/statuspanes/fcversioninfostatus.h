#pragma once
// TFcVersionInfoStatus: a status pane showing one version value of a
// TFcVersionInfo, optionally after a label in its own colour.
#include "controls/statuspanes/fcversioninfo.h"
#include "controls/status/fcstatuspane.h"
#include <QPointer>
namespace tw::controls {
class TFcVersionInfoStatus : public TFcCustomStatusPane, public IFcVersionInfoFollower {
    Q_OBJECT
public:
    explicit TFcVersionInfoStatus(QWidget* parent = nullptr);
    ~TFcVersionInfoStatus() override;
    TFcVersionInfo* VersionInfo() const { return versionInfo_; }
    void SetVersionInfo(TFcVersionInfo* value);
    TFcVersionInfoField Field() const { return field_; }
    void SetField(TFcVersionInfoField value);
    QString FieldLabel() const { return fieldLabel_; }
    void SetFieldLabel(const QString& value);
    TColor FieldLabelColor() const { return fieldLabelColor_; }
    void SetFieldLabelColor(TColor value);
    void UpdateCaption() override;
    int GetMinWidth() const override;
    TRect GetCaptionRect() const override;
protected:
    void DrawCaption(TFcCanvas& canvas, const QString& text) override;
private:
    int LabelWidth() const;
    QPointer<TFcVersionInfo> versionInfo_;
    QMetaObject::Connection destroying_;
    TFcVersionInfoField field_ = vifProductVersion;
    QString fieldLabel_;
    TColor fieldLabelColor_ = clHighlight;
};
}  // namespace tw::controls
