#pragma once
// One row of the chart: a resource and the bars that allocate it. The row
// owns its bars and guarantees that no two of them overlap by more than the
// 1 ms tolerance of IsSlotFree.

#include <vector>

#include <QString>

#include "chart/chartprimitives.h"
#include "chart/resourceallocation.h"

namespace tw::chart {

class TCustomResourceAllocationChart;

class TRACResource : public TObject, public TAnyObjectHolder {
public:
    explicit TRACResource(TCustomResourceAllocationChart* Chart);
    ~TRACResource() override;
    TRACResource(const TRACResource&) = delete;
    TRACResource& operator=(const TRACResource&) = delete;

    TColor Color() const { return color_; }
    void SetColor(TColor Color);
    TResourceDisplayStyle Style() const { return style_; }
    void SetStyle(TResourceDisplayStyle Style);
    const QString& Name() const { return name_; }
    void SetName(const QString& Name);
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t Tag);
    TCustomResourceAllocationChart* Chart() const { return chart_; }

    // Nullptr when the slot is taken. Throws EBadValueException when StartAt
    // is not before EndAt.
    TResourceAllocation* AddSlot(TDateTime StartAt, TDateTime EndAt);
    // Adopts a bar without any check (used to move a bar between rows).
    TResourceAllocation* AddSlot(TResourceAllocation* Allocation);
    void Clear();
    void Disown(int Index);
    void Disown(TResourceAllocation* Allocation);

    bool IsSlotFree(TDateTime StartAt, TDateTime EndAt, const TResourceAllocation* Exclude) const;
    // -1.0 when no slot of Duration fits between From and To.
    TDateTime FindFreeSlot(TDateTime From, TDateTime To, TDateTime Duration, TDateTime Increment) const;
    TResourceAllocation* FindSlotAt(TDateTime DateTime) const;
    TResourceAllocation* FindSlotFromPoint(TPoint Point) const;

    int Count() const { return static_cast<int>(allocations_.size()); }
    TResourceAllocation* Allocations(int Index) const;
    int IndexOf(const TResourceAllocation* Allocation) const;
    TResourceAllocation* EarliestAllocation() const;
    TResourceAllocation* LatestAllocation() const;

    TRect DisplayRect() const;
    int DisplayTop() const { return displayTop_; }
    int DisplayBottom() const { return displayBottom_; }
    void SetDisplayPosition(int Top, int Bottom)
    {
        displayTop_ = Top;
        displayBottom_ = Bottom;
    }
    bool PtInRect(TPoint Point) const { return Point.y >= displayTop_ && Point.y < displayBottom_; }

    void SortAllocations();
    void SortIfNeeded();

    void BeginUpdate();
    void EndUpdate();

protected:
    virtual void Changed();
    virtual void DataChanged();
    virtual void Destroying();

private:
    friend class TResourceAllocation;
    friend class TCustomResourceAllocationChart;

    void SelectionChanged(TResourceAllocation* Allocation);
    void SlotDateTimeChanged(TResourceAllocation* Allocation);
    void SlotDestroying(TResourceAllocation* Allocation);

    TColor color_ = 0;
    bool clearing_ = false;
    QString name_;
    TCustomResourceAllocationChart* chart_ = nullptr;
    std::vector<TResourceAllocation*> allocations_;
    bool needsSort_ = false;
    TResourceDisplayStyle style_ = rsLineArrow;
    std::intptr_t tag_ = 0;
    int displayBottom_ = 0;
    int displayTop_ = 0;
};

}  // namespace tw::chart
