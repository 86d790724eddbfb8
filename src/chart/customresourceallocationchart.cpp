#include "chart/customresourceallocationchart.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace tw::chart {

namespace {

constexpr double kOneMSec = 1.0 / 86400000.0;

}  // namespace

TCustomResourceAllocationChart::TCustomResourceAllocationChart()
    : startAt_(std::floor(tw::Now())),
      endAt_(startAt_ + 7),
      options_{racAllowDragAllocation, racAllowDragScroll, racAllowStretchAllocation, racAutoHint,
               racDateAxisAtTop}
{}

TCustomResourceAllocationChart::~TCustomResourceAllocationChart()
{
    DestroyRows();
    FreeAnyObject();
}

void TCustomResourceAllocationChart::DestroyRows()
{
    OnChange = nullptr;
    OnDataChange = nullptr;
    OnDateRangeChange = nullptr;
    OnAllocationSelectionChange = nullptr;
    destroying_ = true;
    Clear();
}

// --- update nesting and notifications

void TCustomResourceAllocationChart::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    if (dataChangePending_)
        DataChanged();
    if (changePending_)
        Changed();
}

void TCustomResourceAllocationChart::Changed()
{
    if (destroying_)
        return;
    if (updateCount_ == 0) {
        changePending_ = false;
        Repaint();
    } else {
        changePending_ = true;
    }
}

void TCustomResourceAllocationChart::DataChanged()
{
    if (destroying_)
        return;
    if (updateCount_ == 0) {
        dataChangePending_ = false;
        if (options_.Contains(racSortAllocations)) {
            // The sorts' own change notices are covered by the Changed below.
            ++updateCount_;
            for (TRACResource* row : resources_)
                row->SortIfNeeded();
            --updateCount_;
            changePending_ = false;
        }
        if (OnDataChange)
            OnDataChange(this);
        else if (OnChange)
            OnChange(this);
    } else {
        dataChangePending_ = true;
    }
    Changed();
}

// --- properties

void TCustomResourceAllocationChart::SetStartAt(TDateTime Value)
{
    if (Value == startAt_)
        return;
    if (!(Value < endAt_))
        throw EBadValueException(msg::kStartAtBeforeEndAt);
    startAt_ = Value;
    Changed();
    if (OnDateRangeChange)
        OnDateRangeChange(this);
}

void TCustomResourceAllocationChart::SetEndAt(TDateTime Value)
{
    if (Value == endAt_)
        return;
    if (!(Value > startAt_))
        throw EBadValueException(msg::kEndAtAfterStartAt);
    endAt_ = Value;
    Changed();
    if (OnDateRangeChange)
        OnDateRangeChange(this);
}

void TCustomResourceAllocationChart::SetDateTime(TDateTime StartAt, TDateTime EndAt)
{
    if (!(StartAt < EndAt))
        throw EBadValueException(msg::kEndAtAfterStartAt);
    startAt_ = StartAt;
    endAt_ = EndAt;
    Changed();
    if (OnDateRangeChange)
        OnDateRangeChange(this);
}

void TCustomResourceAllocationChart::ScrollChart(double Delta)
{
    BeginUpdate();
    startAt_ += Delta;
    endAt_ += Delta;
    Changed();
    EndUpdate();
}

bool TCustomResourceAllocationChart::OptionsChangeNeedsRepaint(TResourceAllocationChartOptions Old,
                                                               TResourceAllocationChartOptions New) const
{
    for (auto option : {racDateAxisAtTop, racDateAxisAtBottom, racOwnerDrawAllocations,
                        racOwnerDrawDateLabels, racOwnerDrawResourceNames, racScrollBarOnlyIfNecessary})
        if (Old.Contains(option) != New.Contains(option))
            return true;
    return false;
}

void TCustomResourceAllocationChart::SetOptions(TResourceAllocationChartOptions Options)
{
    BeginUpdate();
    const TResourceAllocationChartOptions old = options_;
    const bool repaint = OptionsChangeNeedsRepaint(old, Options);
    if (old.Contains(racMultiSelect) && !Options.Contains(racMultiSelect)) {
        // Only the most recently selected bar stays selected.
        for (int i = SelectedAllocationCount() - 2; i >= 0; --i)
            if (TResourceAllocation* bar = SelectedAllocations(i))
                bar->SetSelected(false);
    }
    if (!old.Contains(racSortAllocations) && Options.Contains(racSortAllocations))
        SortAllocations();
    options_ = Options;
    if (repaint)
        Changed();
    EndUpdate();
}

// --- rows

TRACResource* TCustomResourceAllocationChart::AddResource(const QString& Name, TColor Color,
                                                          TResourceDisplayStyle Style)
{
    return InsertResource(Count(), Name, Color, Style);
}

TRACResource* TCustomResourceAllocationChart::InsertResource(int Index, const QString& Name, TColor Color,
                                                             TResourceDisplayStyle Style)
{
    Index = std::clamp(Index, 0, Count());
    BeginUpdate();
    auto* row = new TRACResource(this);
    row->name_ = Name;
    row->style_ = Style;
    row->color_ = Color;
    resources_.insert(resources_.begin() + Index, row);
    ++namesGeneration_;
    DataChanged();
    EndUpdate();
    return row;
}

TRACResource* TCustomResourceAllocationChart::Resources(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return resources_[static_cast<std::size_t>(Index)];
}

int TCustomResourceAllocationChart::IndexOf(const TRACResource* Resource) const
{
    auto it = std::find(resources_.begin(), resources_.end(), Resource);
    return it == resources_.end() ? -1 : static_cast<int>(it - resources_.begin());
}

TRACResource* TCustomResourceAllocationChart::FindResource(const QString& Name, bool CaseSensitive) const
{
    for (TRACResource* row : resources_) {
        if (row->Name() == Name)
            return row;
        if (!CaseSensitive && row->Name().compare(Name, Qt::CaseInsensitive) == 0)
            return row;
    }
    return nullptr;
}

void TCustomResourceAllocationChart::ExchangeResources(int Index1, int Index2)
{
    if (Index1 == Index2 || !Resources(Index1) || !Resources(Index2))
        return;
    BeginUpdate();
    std::swap(resources_[static_cast<std::size_t>(Index1)], resources_[static_cast<std::size_t>(Index2)]);
    Changed();
    EndUpdate();
}

void TCustomResourceAllocationChart::ExchangeResources(TRACResource* Resource1, TRACResource* Resource2)
{
    if (Resource1 == Resource2)
        return;
    const int i1 = IndexOf(Resource1);
    const int i2 = IndexOf(Resource2);
    if (i1 < 0 || i2 < 0)
        return;
    ExchangeResources(i1, i2);
}

void TCustomResourceAllocationChart::Sort(const TResourceCompareFunction& Compare)
{
    // A merge sort stays inside the list even when an application's compare
    // function is not a consistent order; std::sort may not.
    std::stable_sort(resources_.begin(), resources_.end(),
                     [&](TRACResource* a, TRACResource* b) { return Compare(a, b) < 0; });
    Changed();
}

void TCustomResourceAllocationChart::Sort()
{
    Sort(&TCustomResourceAllocationChart::SortCompareResourceNameFunction);
}

int TCustomResourceAllocationChart::SortCompareResourceNameFunction(TRACResource* Resource1,
                                                                    TRACResource* Resource2)
{
    return Resource1->Name().compare(Resource2->Name(), Qt::CaseInsensitive);
}

void TCustomResourceAllocationChart::SortAllocations()
{
    for (TRACResource* row : resources_)
        row->SortAllocations();
}

void TCustomResourceAllocationChart::Clear()
{
    if (resources_.empty())
        return;
    BeginUpdate();
    clearing_ = true;
    for (TRACResource* row : resources_)
        delete row;
    resources_.clear();
    selection_.clear();
    placedRows_.clear();
    firstDisplayedIndex_ = lastDisplayedIndex_ = -1;
    displayedCount_ = 0;
    ++namesGeneration_;
    DataChanged();
    clearing_ = false;
    EndUpdate();
}

void TCustomResourceAllocationChart::ResourceDestroying(TRACResource* Resource)
{
    if (clearing_)
        return;
    for (TResourceAllocation* bar : Resource->allocations_)
        std::erase(selection_, bar);
    std::erase(resources_, Resource);
    std::erase(placedRows_, Resource);
    ++namesGeneration_;
    DataChanged();
}

void TCustomResourceAllocationChart::SlotDestroying(TResourceAllocation* Allocation)
{
    std::erase(selection_, Allocation);
}

// --- selection

TResourceAllocation* TCustomResourceAllocationChart::SelectedAllocations(int Index) const
{
    if (Index < 0 || Index >= SelectedAllocationCount())
        return nullptr;
    return selection_[static_cast<std::size_t>(Index)];
}

void TCustomResourceAllocationChart::SelectionChanged(TResourceAllocation* Allocation)
{
    if (Allocation->Selected()) {
        if (!options_.Contains(racMultiSelect))
            DeselectAllAllocations(Allocation);
        if (std::find(selection_.begin(), selection_.end(), Allocation) == selection_.end())
            selection_.push_back(Allocation);
    } else {
        std::erase(selection_, Allocation);
    }
    if (OnAllocationSelectionChange)
        OnAllocationSelectionChange(this, Allocation->Resource(), Allocation);
    Changed();
}

void TCustomResourceAllocationChart::DeselectAllAllocations(TResourceAllocation* Except)
{
    BeginUpdate();
    for (int i = SelectedAllocationCount() - 1; i >= 0; --i) {
        TResourceAllocation* bar = SelectedAllocations(i);
        if (bar && bar != Except && bar->Selected())
            bar->SetSelected(false);
    }
    selection_.clear();
    if (Except && Except->Selected())
        selection_.push_back(Except);
    EndUpdate();
}

void TCustomResourceAllocationChart::SelectAllocationsInRect(const TRect& Rect)
{
    BeginUpdate();
    for (int i = std::max(firstDisplayedIndex_, 0); i >= 0 && i <= lastDisplayedIndex_ && i < Count(); ++i) {
        TRACResource* row = Resources(i);
        for (int j = 0; j < row->Count(); ++j) {
            TResourceAllocation* bar = row->Allocations(j);
            if (bar->DisplayRect().Intersects(Rect))
                bar->SetSelected(!bar->Selected());
        }
    }
    EndUpdate();
}

// --- searches

TRACResource* TCustomResourceAllocationChart::FindResourceFromY(int Y, bool Exact) const
{
    TRACResource* nearest = nullptr;
    int nearestDistance = INT_MAX;
    for (TRACResource* row : placedRows_) {
        if (row->DisplayTop() == -1 || row->DisplayBottom() == -1)
            continue;
        if (row->DisplayTop() <= Y && Y < row->DisplayBottom())
            return row;
        const int distance = std::abs((row->DisplayTop() + row->DisplayBottom()) / 2 - Y);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = row;
        }
    }
    return Exact ? nullptr : nearest;
}

TResourceAllocation* TCustomResourceAllocationChart::FindSlot(TPoint Point) const
{
    TRACResource* row = FindResourceFromY(Point.y, true);
    return row ? row->FindSlotFromPoint(Point) : nullptr;
}

TResourceAllocation* TCustomResourceAllocationChart::FindNearestSlot(TPoint Point) const
{
    TResourceAllocation* nearest = nullptr;
    long long nearestDistance = LLONG_MAX;
    for (TRACResource* row : resources_) {
        for (int j = 0; j < row->Count(); ++j) {
            TResourceAllocation* bar = row->Allocations(j);
            const TRect& r = bar->DisplayRect();
            if (r.Contains(Point))
                return bar;
            const double dx = (r.Left + r.Right) / 2.0 - Point.x;
            const double dy = (r.Top + r.Bottom) / 2.0 - Point.y;
            const auto distance = static_cast<long long>(std::nearbyint(std::sqrt(dx * dx + dy * dy)));
            if (distance < nearestDistance) {
                nearestDistance = distance;
                nearest = bar;
            }
        }
    }
    return nearest;
}

int TCustomResourceAllocationChart::FindAvailableResources(TDateTime StartAt, TDateTime EndAt,
                                                           std::vector<TRACResource*>& List) const
{
    int added = 0;
    for (TRACResource* row : resources_) {
        if (row->IsSlotFree(StartAt, EndAt, nullptr)) {
            List.push_back(row);
            ++added;
        }
    }
    return added;
}

bool TCustomResourceAllocationChart::AllRowsFree(const std::vector<TRACResource*>& Resources,
                                                 TDateTime StartAt, TDateTime EndAt) const
{
    for (const TRACResource* row : Resources)
        if (row && !row->IsSlotFree(StartAt, EndAt, nullptr))
            return false;
    return true;
}

TDateTime TCustomResourceAllocationChart::FindAvailableSlot(const std::vector<TRACResource*>& Resources,
                                                            TDateTime StartDate, TDateTime EndDate,
                                                            TDateTime TimeIncrement, TDateTime Duration) const
{
    if (!(StartDate < EndDate))
        throw EBadValueException(msg::kStartDateAfterEndDate);
    if (!(TimeIncrement > 0))
        throw EBadValueException(msg::kTimeIncrementPositive);
    if (!(Duration > 0))
        throw EBadValueException(msg::kDurationPositive);
    // Steps are multiplied, not summed, so that a quarter-hour grid stays on the grid.
    for (long long k = 0;; ++k) {
        const TDateTime t = StartDate + static_cast<double>(k) * TimeIncrement;
        if (!(t + Duration <= EndDate + kOneMSec))
            break;
        if (AllRowsFree(Resources, t, t + Duration))
            return t;
    }
    return 0;
}

TDateTime TCustomResourceAllocationChart::FindAvailableSlot(const std::vector<TRACResource*>& Resources,
                                                            TDateTime StartDate, TDateTime EndDate,
                                                            TDateTime StartTime, TDateTime EndTime,
                                                            TDateTime TimeIncrement, TDateTime Duration) const
{
    return FindAvailableSlot(Resources, StartDate, EndDate, StartTime, EndTime, TimeIncrement, Duration,
                             kAllDays);
}

TDateTime TCustomResourceAllocationChart::FindAvailableSlot(const std::vector<TRACResource*>& Resources,
                                                            TDateTime StartDate, TDateTime EndDate,
                                                            TDateTime StartTime, TDateTime EndTime,
                                                            TDateTime TimeIncrement, TDateTime Duration,
                                                            TDays Days) const
{
    if (!(StartDate < EndDate))
        throw EBadValueException(msg::kStartDateAfterEndDate);
    if (!(StartTime < EndTime))
        throw EBadValueException(msg::kStartTimeAfterEndTime);
    if (StartTime >= 1.0)
        throw EBadValueException(msg::kStartTimeDatePart);
    if (EndTime >= 1.0)
        throw EBadValueException(msg::kEndTimeDatePart);
    if (!(TimeIncrement > 0))
        throw EBadValueException(msg::kTimeIncrementPositive);
    if (!(Duration > 0 && Duration < 1.0))
        throw EBadValueException(msg::kDurationBetween);
    if (EndTime + kOneMSec < StartTime + Duration)
        throw EBadValueException(msg::kStartTimePlusDuration);
    if (Days.Empty())
        throw EBadValueException(msg::kDaysEmpty);

    TDateTime t = StartDate;
    while (t + Duration <= EndDate + kOneMSec) {
        const auto day = static_cast<TDay>(tw::DayOfWeek(t) - 1);
        if (Days.Contains(day)) {
            if (tw::TimePart(t) < StartTime)
                t = tw::DatePart(t) + StartTime;
            const TDateTime dayFirst = t;
            for (long long k = 1;
                 tw::TimePart(t) + Duration <= EndTime + kOneMSec && t + Duration <= EndDate + kOneMSec;
                 ++k) {
                if (AllRowsFree(Resources, t, t + Duration))
                    return t;
                t = dayFirst + static_cast<double>(k) * TimeIncrement;
            }
        }
        t = std::floor(t + 1);
    }
    return 0;
}

TResourceAllocation* TCustomResourceAllocationChart::EarliestAllocation() const
{
    TResourceAllocation* best = nullptr;
    TDateTime earliest = tw::EncodeDate(9999, 12, 31);
    for (TRACResource* row : resources_)
        for (int j = 0; j < row->Count(); ++j)
            if (row->Allocations(j)->StartAt() < earliest) {
                best = row->Allocations(j);
                earliest = best->StartAt();
            }
    return best;
}

TResourceAllocation* TCustomResourceAllocationChart::LatestAllocation() const
{
    TResourceAllocation* best = nullptr;
    TDateTime latest = 0;
    for (TRACResource* row : resources_)
        for (int j = 0; j < row->Count(); ++j)
            if (row->Allocations(j)->EndAt() > latest) {
                best = row->Allocations(j);
                latest = best->EndAt();
            }
    return best;
}

// --- scrolling rows

void TCustomResourceAllocationChart::SetFirstDisplayedIndex(int Index)
{
    if (Count() > rowsThatFit_)
        SetScrollPosition(Index);
}

void TCustomResourceAllocationChart::SetFirstDisplayedResource(TRACResource* Resource)
{
    const int index = IndexOf(Resource);
    if (index >= 0)
        SetFirstDisplayedIndex(index);
}

void TCustomResourceAllocationChart::SetLastDisplayedIndex(int Index)
{
    if (Count() > rowsThatFit_ && Index >= rowsThatFit_)
        SetScrollPosition(Index - rowsThatFit_ + 1);
}

void TCustomResourceAllocationChart::SetLastDisplayedResource(TRACResource* Resource)
{
    const int index = IndexOf(Resource);
    if (Count() > rowsThatFit_ && index >= 0)
        SetScrollPosition(index - displayedCount_ + 1);
}

// --- layout bookkeeping

void TCustomResourceAllocationChart::BeginLayout(int TopIndex)
{
    for (TRACResource* row : placedRows_) {
        row->SetDisplayPosition(-1, -1);
        for (TResourceAllocation* bar : row->allocations_)
            bar->SetDisplayRect(kUnsetRect);
    }
    placedRows_.clear();
    firstDisplayedIndex_ = TopIndex;
    lastDisplayedIndex_ = -1;
    displayedCount_ = 0;
    plotRect_ = kUnsetRect;
}

void TCustomResourceAllocationChart::PlaceRow(int Index, int Top, int Bottom)
{
    TRACResource* row = Resources(Index);
    if (!row)
        return;
    row->SetDisplayPosition(Top, Bottom);
    placedRows_.push_back(row);
}

void TCustomResourceAllocationChart::RecordDisplayedRow(int Index)
{
    lastDisplayedIndex_ = Index;
    ++displayedCount_;
}

void TCustomResourceAllocationChart::RestoreDisplayedRange(int First, int Last, int Count)
{
    firstDisplayedIndex_ = First;
    lastDisplayedIndex_ = Last;
    displayedCount_ = Count;
}

// --- coordinates

int TCustomResourceAllocationChart::DateTimeToX(TDateTime DateTime) const
{
    const int left = plotRect_.Left;
    const int width = plotRect_.Right - left;
    const double span = endAt_ - startAt_;
    // A plot without width or a period without length has no scale: everything
    // maps to the left edge rather than dividing by zero.
    if (width == 0 || span == 0 || !std::isfinite(DateTime))
        return left;
    const double offset = std::nearbyint((DateTime - startAt_) * width / span);
    // Far outside the plot the exact pixel does not matter, only its side.
    return left + static_cast<int>(std::clamp(offset, -1.0e9, 1.0e9));
}

TDateTime TCustomResourceAllocationChart::XToDateTime(int X) const
{
    const int left = plotRect_.Left;
    const int width = plotRect_.Right - left;
    if (width == 0)
        return startAt_;
    const double amount = (endAt_ - startAt_) * std::abs(X - left) / width;
    return X >= left ? startAt_ + amount : startAt_ - amount;
}

}  // namespace tw::chart
