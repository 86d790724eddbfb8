#pragma once
// One bar of the chart: an allocation of a row's resource from StartAt to
// EndAt. While the bar belongs to a row its setters keep StartAt < EndAt and
// keep it clear of the row's other bars; every change is reported up through
// the row to the chart, which collects the notifications of an update.

#include <cstdint>

#include "chart/chartprimitives.h"

namespace tw::chart {

class TRACResource;

class TResourceAllocation : public TObject, public TAnyObjectHolder {
public:
    explicit TResourceAllocation(TRACResource* Resource);
    ~TResourceAllocation() override;
    TResourceAllocation(const TResourceAllocation&) = delete;
    TResourceAllocation& operator=(const TResourceAllocation&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor Color);
    TResourceDisplayStyle Style() const { return style_; }
    void SetStyle(TResourceDisplayStyle Style);
    // Wide enough to carry a pointer for the application.
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t Tag);
    bool Selected() const { return selected_; }
    void SetSelected(bool Selected);

    TDateTime StartAt() const { return startAt_; }
    TDateTime EndAt() const { return endAt_; }
    void SetStartAt(TDateTime Value);
    void SetEndAt(TDateTime Value);
    // The only way to move a bar to a period that does not overlap its old one.
    void SetDateTime(TDateTime StartAt, TDateTime EndAt);

    // Where painting last drew the bar; kUnsetRect when it was not drawn.
    const TRect& DisplayRect() const { return displayRect_; }
    void SetDisplayRect(const TRect& Rect) { displayRect_ = Rect; }
    bool PtInRect(TPoint Point) const { return displayRect_.Contains(Point); }

    TRACResource* Resource() const { return resource_; }

    void BeginUpdate();
    void EndUpdate();

protected:
    virtual void Changed();
    virtual void DataChanged();
    virtual void Destroying();
    void SelectionChanged();

private:
    friend class TRACResource;

    TColor color_ = 0;
    TDateTime endAt_ = 0;
    bool selected_ = false;
    TDateTime startAt_ = 0;
    TResourceDisplayStyle style_ = rsLineArrow;
    std::intptr_t tag_ = 0;
    TRect displayRect_ = kUnsetRect;
    TRACResource* resource_ = nullptr;
};

}  // namespace tw::chart
