#pragma once
// The chart without a window: the rows and their bars, the displayed period,
// update nesting and change notifications, selection, searches, the mapping
// between instants and pixels of the last painted plot, and the geometry that
// hit-testing reads. TResourceAllocationChart puts painting and the mouse on
// top of it; tests drive this class directly.

#include <functional>
#include <vector>

#include <QString>

#include "chart/chartprimitives.h"
#include "chart/racresource.h"
#include "chart/resourceallocation.h"

namespace tw::chart {

class TCustomResourceAllocationChart;

using TNotifyEvent = std::function<void(TCustomResourceAllocationChart* Sender)>;
using TAllocationEvent = std::function<void(TCustomResourceAllocationChart* Sender, TRACResource* Resource,
                                            TResourceAllocation* Allocation)>;
using TResourceCompareFunction = std::function<int(TRACResource* Resource1, TRACResource* Resource2)>;

class TCustomResourceAllocationChart : public TObject, public TAnyObjectHolder {
public:
    TCustomResourceAllocationChart();
    ~TCustomResourceAllocationChart() override;
    TCustomResourceAllocationChart(const TCustomResourceAllocationChart&) = delete;
    TCustomResourceAllocationChart& operator=(const TCustomResourceAllocationChart&) = delete;

    // --- properties
    TDateTime StartAt() const { return startAt_; }
    TDateTime EndAt() const { return endAt_; }
    void SetStartAt(TDateTime Value);
    void SetEndAt(TDateTime Value);
    // The way to move the period to one that does not overlap the current one.
    void SetDateTime(TDateTime StartAt, TDateTime EndAt);
    void ScrollChart(double Delta);
    TDateTimeStyle HintStyle() const { return hintStyle_; }
    void SetHintStyle(TDateTimeStyle Style) { hintStyle_ = Style; }
    unsigned MinimumDrag() const { return minimumDrag_; }
    void SetMinimumDrag(unsigned Pixels) { minimumDrag_ = Pixels; }
    unsigned SizingHandleWidth() const { return sizingHandleWidth_; }
    void SetSizingHandleWidth(unsigned Pixels) { sizingHandleWidth_ = Pixels; }
    double RoundTo() const { return roundTo_; }
    void SetRoundTo(double Days) { roundTo_ = Days; }
    TResourceAllocationChartOptions Options() const { return options_; }
    void SetOptions(TResourceAllocationChartOptions Options);

    // --- update nesting and notifications
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    void Changed();
    void DataChanged();

    // --- rows
    TRACResource* AddResource(const QString& Name, TColor Color, TResourceDisplayStyle Style);
    TRACResource* InsertResource(int Index, const QString& Name, TColor Color, TResourceDisplayStyle Style);
    int Count() const { return static_cast<int>(resources_.size()); }
    TRACResource* Resources(int Index) const;
    int IndexOf(const TRACResource* Resource) const;
    TRACResource* FindResource(const QString& Name, bool CaseSensitive) const;
    void ExchangeResources(int Index1, int Index2);
    void ExchangeResources(TRACResource* Resource1, TRACResource* Resource2);
    void Sort(const TResourceCompareFunction& Compare);
    void Sort();
    static int SortCompareResourceNameFunction(TRACResource* Resource1, TRACResource* Resource2);
    void SortAllocations();
    void Clear();

    // --- selection
    int SelectedAllocationCount() const { return static_cast<int>(selection_.size()); }
    TResourceAllocation* SelectedAllocations(int Index) const;
    void DeselectAllAllocations(TResourceAllocation* Except = nullptr);
    void SelectAllocationsInRect(const TRect& Rect);

    // --- searches
    TRACResource* FindResourceFromY(int Y, bool Exact) const;
    TResourceAllocation* FindSlot(TPoint Point) const;
    TResourceAllocation* FindNearestSlot(TPoint Point) const;
    int FindAvailableResources(TDateTime StartAt, TDateTime EndAt, std::vector<TRACResource*>& List) const;
    TDateTime FindAvailableSlot(const std::vector<TRACResource*>& Resources, TDateTime StartDate,
                                TDateTime EndDate, TDateTime TimeIncrement, TDateTime Duration) const;
    TDateTime FindAvailableSlot(const std::vector<TRACResource*>& Resources, TDateTime StartDate,
                                TDateTime EndDate, TDateTime StartTime, TDateTime EndTime,
                                TDateTime TimeIncrement, TDateTime Duration) const;
    TDateTime FindAvailableSlot(const std::vector<TRACResource*>& Resources, TDateTime StartDate,
                                TDateTime EndDate, TDateTime StartTime, TDateTime EndTime,
                                TDateTime TimeIncrement, TDateTime Duration, TDays Days) const;
    TResourceAllocation* EarliestAllocation() const;
    TResourceAllocation* LatestAllocation() const;

    // --- what the last paint showed
    TRACResource* FirstDisplayedResource() const { return Resources(firstDisplayedIndex_); }
    TRACResource* LastDisplayedResource() const { return Resources(lastDisplayedIndex_); }
    int FirstDisplayedIndex() const { return firstDisplayedIndex_; }
    int LastDisplayedIndex() const { return lastDisplayedIndex_; }
    int DisplayedCount() const { return displayedCount_; }
    int RowsThatFit() const { return rowsThatFit_; }
    const TRect& PlotRect() const { return plotRect_; }
    void SetFirstDisplayedIndex(int Index);
    void SetFirstDisplayedResource(TRACResource* Resource);
    void SetLastDisplayedIndex(int Index);
    void SetLastDisplayedResource(TRACResource* Resource);

    // --- coordinates of the last painted plot
    int DateTimeToX(TDateTime DateTime) const;
    TDateTime XToDateTime(int X) const;

    // --- events
    TNotifyEvent OnChange;
    TNotifyEvent OnDataChange;
    TNotifyEvent OnDateRangeChange;
    TAllocationEvent OnAllocationSelectionChange;

protected:
    // Hooks for the widget: the picture must be redrawn now (or at the next
    // paint when the control is not on screen).
    virtual void Repaint() {}
    virtual bool OptionsChangeNeedsRepaint(TResourceAllocationChartOptions Old,
                                           TResourceAllocationChartOptions New) const;
    // The scroll position is the first row to draw; the widget keeps it in its
    // scroll bar.
    virtual int ScrollPosition() const { return scrollPosition_; }
    virtual void SetScrollPosition(int Position) { scrollPosition_ = Position; }

    // Called by painting to record what it drew. BeginLayout forgets the
    // positions of the previous paint, visiting only the rows it gave one.
    void BeginLayout(int TopIndex);
    void PlaceRow(int Index, int Top, int Bottom);
    void RecordDisplayedRow(int Index);
    void SetPlotRect(const TRect& Rect) { plotRect_ = Rect; }
    // A plot drag follows the mouse with neither checks nor OnDateRangeChange.
    void SetPeriodUnchecked(TDateTime StartAt, TDateTime EndAt)
    {
        startAt_ = StartAt;
        endAt_ = EndAt;
        Changed();
    }
    void SetRowsThatFit(int Rows) { rowsThatFit_ = Rows; }
    void RestoreDisplayedRange(int First, int Last, int Count);
    // Bumped whenever a row name may have changed, so the widget can cache
    // the width of the widest name.
    unsigned NamesGeneration() const { return namesGeneration_; }
    // Ends the life of the rows while the derived widget still exists, with
    // every event detached.
    void DestroyRows();
    bool Destroying() const { return destroying_; }

private:
    friend class TRACResource;

    void ResourceDestroying(TRACResource* Resource);
    void SlotDestroying(TResourceAllocation* Allocation);
    void SelectionChanged(TResourceAllocation* Allocation);
    void ResourceNameChanged() { ++namesGeneration_; }
    bool AllRowsFree(const std::vector<TRACResource*>& Resources, TDateTime StartAt, TDateTime EndAt) const;

    bool changePending_ = false;
    bool dataChangePending_ = false;
    bool destroying_ = false;
    bool clearing_ = false;
    TDateTime startAt_ = 0;
    TDateTime endAt_ = 0;
    TDateTimeStyle hintStyle_ = dtDateAndTime;
    unsigned minimumDrag_ = 2;
    unsigned sizingHandleWidth_ = 5;
    double roundTo_ = 15.0 / 1440.0;
    TResourceAllocationChartOptions options_;
    TRect plotRect_ = kUnsetRect;
    std::vector<TRACResource*> resources_;
    std::vector<TResourceAllocation*> selection_;
    int updateCount_ = 0;
    int scrollPosition_ = 0;
    int firstDisplayedIndex_ = -1;
    int lastDisplayedIndex_ = -1;
    int displayedCount_ = 0;
    int rowsThatFit_ = 0;
    // Rows given a screen position by the last paint: hit-testing and the next
    // paint visit these instead of every row.
    std::vector<TRACResource*> placedRows_;
    unsigned namesGeneration_ = 0;
};

}  // namespace tw::chart
