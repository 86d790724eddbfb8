#include "controls/statuspanes/fcversioninfostatus.h"
#include "controls/panels/fcframes.h"
#include <QFontMetrics>
namespace tw::controls {
TFcVersionInfoStatus::TFcVersionInfoStatus(QWidget* parent) : TFcCustomStatusPane(parent) {}

TFcVersionInfoStatus::~TFcVersionInfoStatus()
{
    if (versionInfo_)
        versionInfo_->RemoveStatus(this);
}

void TFcVersionInfoStatus::SetVersionInfo(TFcVersionInfo* value)
{
    if (versionInfo_) {
        versionInfo_->RemoveStatus(this);
        disconnect(destroying_);
    }
    versionInfo_ = value;
    if (value) {
        value->AddStatus(this);
        destroying_ = connect(value, &TFcVersionInfo::destroying, this, [this](TFcVersionInfo* info) {
            info->RemoveStatus(this);
            versionInfo_ = nullptr;
        });
        UpdateCaption();
    }
}

void TFcVersionInfoStatus::SetField(TFcVersionInfoField value)
{
    field_ = value;
    UpdateCaption();
}

void TFcVersionInfoStatus::SetFieldLabel(const QString& value)
{
    if (StoreChanged(fieldLabel_, value)) {
        AdjustBounds();
        update();
    }
}

void TFcVersionInfoStatus::SetFieldLabelColor(TColor value)
{
    if (StoreChanged(fieldLabelColor_, value))
        update();
}

void TFcVersionInfoStatus::UpdateCaption()
{
    if (versionInfo_)
        SetCaption(versionInfo_->GetVerField(field_));
}

int TFcVersionInfoStatus::LabelWidth() const
{
    return fieldLabel_.isEmpty() ? 0 : QFontMetrics(font()).horizontalAdvance(fieldLabel_);
}

int TFcVersionInfoStatus::GetMinWidth() const
{
    return LabelWidth() + TFcCustomStatusPane::GetMinWidth() + 2 * CaptionOffset();
}

TRect TFcVersionInfoStatus::GetCaptionRect() const
{
    TRect r = TFcCustomStatusPane::GetCaptionRect();
    if (!fieldLabel_.isEmpty())
        r.Left += LabelWidth() + 2 * CaptionOffset();
    return r;
}

void TFcVersionInfoStatus::DrawCaption(TFcCanvas& canvas, const QString& text)
{
    TFcCustomStatusPane::DrawCaption(canvas, text);
    if (fieldLabel_.isEmpty())
        return;
    canvas.Font = font();
    TRect r = TFcCustomStatusPane::GetCaptionRect();
    r.Right = r.Left + LabelWidth() + CaptionOffset() + 2;
    const int x = r.Left + CaptionOffset() + 1;
    const int y = r.Top + (r.Height() - canvas.TextHeight(QStringLiteral("Pp"))) / 2;
    canvas.TextAlign = TA_LEFT;
    if (!UseThemes()) {
        canvas.Brush = TFcBrush{FillColor()};
        canvas.BkMode = TBkMode::Opaque;
    } else {
        canvas.BkMode = TBkMode::Transparent;
    }
    if (!isEnabled()) {
        canvas.FontColor = clBtnHighlight;
        canvas.TextRect(r, x + 1, y + 1, fieldLabel_);
        canvas.BkMode = TBkMode::Transparent;
    }
    canvas.FontColor = fieldLabelColor_;
    canvas.TextRect(r, x, y, fieldLabel_);
}
}  // namespace tw::controls
