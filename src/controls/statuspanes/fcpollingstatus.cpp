#include "controls/statuspanes/fcpollingstatus.h"
#include "controls/foundation/fccommon.h"
#include "controls/panels/fcframes.h"
#include "platform/datetime/localetexts.h"
namespace tw::controls {
TFcPollingStatus::TFcPollingStatus(QWidget* parent) : TFcCustomStatusPane(parent)
{
    TFcPollingList::Join(this);
}

TFcPollingStatus::~TFcPollingStatus()
{
    TFcPollingList::Leave(this);
}

bool TFcPollingStatus::Active() const { return TFcPollingList::Instance()->GetActive(); }
void TFcPollingStatus::SetActive(bool value) { TFcPollingList::Instance()->SetActive(value); }
int TFcPollingStatus::Interval() const { return TFcPollingList::Instance()->GetInterval(); }
void TFcPollingStatus::SetInterval(int ms) { TFcPollingList::Instance()->SetInterval(ms); }

void TFcPollingStatus::TimerExpired()
{
    if (OnTimerExpired)
        OnTimerExpired(this);
}

TFcClockStatus::TFcClockStatus(QWidget* parent) : TFcPollingStatus(parent)
{
    resize(150, height());
    SetCurrentDateTimeStr();
}

void TFcClockStatus::SetFormat(const QString& value)
{
    if (!StoreChanged(format_, value))
        return;
    SetCurrentDateTimeStr();
    update();
}

void TFcClockStatus::SetCurrentDateTimeStr()
{
    TDateTime t = tw::Now();
    if (OnGetDateTime)
        OnGetDateTime(this, t);
    const QString text = QString::fromStdString(format_.isEmpty() ? tw::locale::DateTimeToStr(t)
                                                                  : tw::locale::FormatDateTime(format_.toStdString(), t));
    if (text == Caption())
        return;
    ++captionDraws_;
    SetCaption(text);
}

void TFcClockStatus::TimerExpired()
{
    SetCurrentDateTimeStr();
    TFcPollingStatus::TimerExpired();
}

TRect TFcClockStatus::GetCaptionRect() const
{
    TRect r = TFcPollingStatus::GetCaptionRect();
    if (UnderSizeGrip({0, 0, width(), height()}))
        r.Right -= 12;
    return r;
}

TFcKeyStatus::TFcKeyStatus(QWidget* parent) : TFcPollingStatus(parent)
{
    resize(45, height());
    SetAlignment(taCenter);
    insertToggleAtCreation_ = InsertToggleBit();
    UpdateText();
}

void TFcKeyStatus::Loaded()
{
    TFcPollingStatus::Loaded();
    loadedInsertState_ = insertState_;
}

void TFcKeyStatus::SetKey(TFcToggleKey value)
{
    if (StoreChanged(key_, value))
        UpdateText();
}
void TFcKeyStatus::SetState(TFcToggleState value)
{
    if (StoreChanged(state_, value))
        UpdateText();
}
void TFcKeyStatus::SetInsertState(TFcInsertState value)
{
    if (StoreChanged(insertState_, value))
        UpdateText();
}
void TFcKeyStatus::SetKeyStrings(const TFcKeyStrings& value)
{
    strings_ = value;
    UpdateText();
}

void TFcKeyStatus::UpdateText()
{
    SetCaption(KeyPaneCaption(key_, state_, insertState_, strings_));
    update();
}

void TFcKeyStatus::TimerExpired()
{
    if (key_ == tkInsert) {
        SetInsertState(InsertStateFor(InsertToggleBit(), insertToggleAtCreation_, loadedInsertState_));
    } else {
        // Unknown counts as off.
        const std::optional<bool> on = LockKeyReader()(key_);
        SetState(on.value_or(false) ? tsOn : tsOff);
    }
    TFcPollingStatus::TimerExpired();
}

TFcResourceStatus::TFcResourceStatus(QWidget* parent) : TFcPollingStatus(parent)
{
    backColor_ = FillColor();
    memoryLabel_ = tr("Memory");
}

void TFcResourceStatus::SetDisplayStyle(TDisplayStyle value)
{
    if (StoreChanged(displayStyle_, value))
        update();
}
void TFcResourceStatus::SetBarStyle(TBarStyle value)
{
    if (!StoreChanged(barStyle_, value))
        return;
    showPercent_ = false;
    update();
}
void TFcResourceStatus::SetBarColor(TColor value)
{
    if (StoreChanged(barColor_, value))
        update();
}
void TFcResourceStatus::SetBackColor(TColor value)
{
    if (StoreChanged(backColor_, value))
        update();
}
void TFcResourceStatus::SetNumSegments(int value)
{
    if (StoreChanged(numSegments_, value))
        update();
}
void TFcResourceStatus::SetOrientation(TOrientation value)
{
    if (StoreChanged(orientation_, value))
        update();
}
void TFcResourceStatus::SetShowPercent(bool value)
{
    if (StoreChanged(showPercent_, value))
        update();
}
void TFcResourceStatus::SetMemoryLabel(const QString& value)
{
    if (!StoreChanged(memoryLabel_, value))
        return;
    SetHint(QStringLiteral("%1: %2%").arg(memoryLabel_).arg(percent_));
    update();
}

void TFcResourceStatus::TimerExpired()
{
    const TFcMemoryStatus status = ReadStatus();
    freeKb_ = status.FreeKb();
    const int percent = status.FreePercent();
    if (percent != percent_) {
        percent_ = percent;
        SetHint(QStringLiteral("%1: %2%").arg(memoryLabel_).arg(percent_));
        update();
    }
    // The text style shows the free amount, which moves without the percent.
    if (displayStyle_ == dsText)
        SetCaption(FreeMemoryText(freeKb_));
    TFcPollingStatus::TimerExpired();
}

void TFcResourceStatus::Paint(TFcCanvas& canvas)
{
    if (displayStyle_ == dsText) {
        TFcPollingStatus::Paint(canvas);
        return;
    }
    DrawStatusBorder(canvas);
    canvas.Font = font();
    TRect r = GetCaptionRect();
    const int percent = std::max(percent_, 0);
    if (barStyle_ == bsLED) {
        canvas.Brush.Style = TBrushStyle::Clear;
        canvas.Pen = TFcPen{backColor_};
        canvas.Rectangle(r);
        canvas.Brush.Style = TBrushStyle::Solid;
        r = r.Inflated(-1, -1);
        DrawLEDBar(canvas, r, orientation_, barColor_, backColor_, numSegments_, percent, false);
    } else {
        DrawPercentBar(canvas, r, orientation_, barColor_, backColor_, static_cast<std::uint16_t>(percent),
                       showPercent_);
    }
}
}  // namespace tw::controls
