#pragma once
// The status panes that keep themselves current on the shared 500 ms timer
// (TFcPollingList): the clock, the lock-key and insert state, and the free
// memory as a bar, LED bar or text.
#include "controls/statuspanes/fckeystate.h"
#include "controls/statuspanes/fcmemorystatus.h"
#include "controls/statuspanes/fcpollinglist.h"
#include "controls/status/fcstatuspane.h"
#include "platform/datetime/datetime.h"
#include <functional>
namespace tw::controls {
class TFcPollingStatus : public TFcCustomStatusPane, public IFcPollingClient {
    Q_OBJECT
public:
    explicit TFcPollingStatus(QWidget* parent = nullptr);
    ~TFcPollingStatus() override;
    // Held by the shared list: setting them on one pane changes them all.
    bool Active() const;
    void SetActive(bool value);
    int Interval() const;
    void SetInterval(int ms);
    bool PollingVisible() const override { return isVisible(); }
    void TimerExpired() override;
    std::function<void(TFcControl*)> OnTimerExpired;
};
class TFcClockStatus : public TFcPollingStatus {
    Q_OBJECT
public:
    explicit TFcClockStatus(QWidget* parent = nullptr);
    // Empty: the locale's short date and long time.
    QString Format() const { return format_; }
    void SetFormat(const QString& value);
    // May replace the instant shown (tests and fixed clocks).
    std::function<void(TFcControl*, TDateTime&)> OnGetDateTime;
    void TimerExpired() override;
    void SetCurrentDateTimeStr();
    TRect GetCaptionRect() const override;
    // How many times the caption was drawn because the text changed.
    int CaptionDraws() const { return captionDraws_; }
private:
    QString format_;
    int captionDraws_ = 0;
};
class TFcKeyStatus : public TFcPollingStatus {
    Q_OBJECT
public:
    explicit TFcKeyStatus(QWidget* parent = nullptr);
    TFcToggleKey Key() const { return key_; }
    void SetKey(TFcToggleKey value);
    TFcToggleState State() const { return state_; }
    void SetState(TFcToggleState value);
    TFcInsertState InsertState() const { return insertState_; }
    void SetInsertState(TFcInsertState value);
    const TFcKeyStrings& KeyStrings() const { return strings_; }
    void SetKeyStrings(const TFcKeyStrings& value);
    void TimerExpired() override;
protected:
    void Loaded() override;
private:
    void UpdateText();
    TFcToggleKey key_ = tkCapsLock;
    TFcToggleState state_ = tsOff;
    TFcInsertState insertState_ = isInsert;
    TFcInsertState loadedInsertState_ = isInsert;
    int insertToggleAtCreation_ = 0;
    TFcKeyStrings strings_;
};
enum TDisplayStyle { dsBar, dsText };
class TFcResourceStatus : public TFcPollingStatus {
    Q_OBJECT
public:
    explicit TFcResourceStatus(QWidget* parent = nullptr);
    TDisplayStyle DisplayStyle() const { return displayStyle_; }
    void SetDisplayStyle(TDisplayStyle value);
    TBarStyle BarStyle() const { return barStyle_; }
    void SetBarStyle(TBarStyle value);
    TColor BarColor() const { return barColor_; }
    void SetBarColor(TColor value);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    int NumSegments() const { return numSegments_; }
    void SetNumSegments(int value);
    TOrientation Orientation() const { return orientation_; }
    void SetOrientation(TOrientation value);
    bool ShowPercent() const { return showPercent_; }
    void SetShowPercent(bool value);
    QString MemoryLabel() const { return memoryLabel_; }
    void SetMemoryLabel(const QString& value);
    int Percent() const { return percent_; }
    std::uint64_t FreeKb() const { return freeKb_; }
    // Where the figures come from (the system's by default).
    std::function<TFcMemoryStatus()> ReadStatus = ReadMemoryStatus;
    void TimerExpired() override;
protected:
    void Paint(TFcCanvas& canvas) override;
private:
    TDisplayStyle displayStyle_ = dsBar;
    TBarStyle barStyle_ = bsTraditional;
    TColor barColor_ = clHighlight;
    TColor backColor_ = clBtnFace;
    int numSegments_ = 15;
    TOrientation orientation_ = orHorizontal;
    bool showPercent_ = false;
    QString memoryLabel_;
    int percent_ = -1;
    std::uint64_t freeKb_ = 0;
};
}  // namespace tw::controls
