#include "chart/racresource.h"

#include <algorithm>
#include <cmath>

#include "chart/customresourceallocationchart.h"

namespace tw::chart {

namespace {

constexpr double kSlotTolerance = 1.0 / 86400000.0;  // 1 ms: bars this close still only touch

bool StrictlyInside(TDateTime t, TDateTime from, TDateTime to)
{
    return from < t && t < to && t - from > kSlotTolerance && to - t > kSlotTolerance;
}

}  // namespace

TRACResource::TRACResource(TCustomResourceAllocationChart* Chart) : chart_(Chart) {}

TRACResource::~TRACResource()
{
    Destroying();
    Clear();
    FreeAnyObject();
}

void TRACResource::Changed()
{
    if (chart_)
        chart_->Changed();
}

void TRACResource::DataChanged()
{
    if (chart_)
        chart_->DataChanged();
}

void TRACResource::Destroying()
{
    if (chart_)
        chart_->ResourceDestroying(this);
}

void TRACResource::BeginUpdate()
{
    if (chart_)
        chart_->BeginUpdate();
}

void TRACResource::EndUpdate()
{
    if (chart_)
        chart_->EndUpdate();
}

void TRACResource::SelectionChanged(TResourceAllocation* Allocation)
{
    if (chart_)
        chart_->SelectionChanged(Allocation);
}

void TRACResource::SlotDateTimeChanged(TResourceAllocation*)
{
    needsSort_ = true;
}

void TRACResource::SlotDestroying(TResourceAllocation* Allocation)
{
    if (clearing_)
        return;
    if (chart_)
        chart_->SlotDestroying(Allocation);
    Disown(Allocation);
}

void TRACResource::SetColor(TColor Color)
{
    if (Color == color_)
        return;
    BeginUpdate();
    for (TResourceAllocation* bar : allocations_)
        if (bar->Color() == color_)
            bar->SetColor(Color);
    color_ = Color;
    DataChanged();
    EndUpdate();
}

void TRACResource::SetStyle(TResourceDisplayStyle Style)
{
    if (Style == style_)
        return;
    BeginUpdate();
    for (TResourceAllocation* bar : allocations_)
        if (bar->Style() == style_)
            bar->SetStyle(Style);
    style_ = Style;
    DataChanged();
    EndUpdate();
}

void TRACResource::SetName(const QString& Name)
{
    if (Name == name_)
        return;
    name_ = Name;
    if (chart_)
        chart_->ResourceNameChanged();
    DataChanged();
}

void TRACResource::SetTag(std::intptr_t Tag)
{
    if (Tag == tag_)
        return;
    tag_ = Tag;
    DataChanged();
}

TResourceAllocation* TRACResource::AddSlot(TDateTime StartAt, TDateTime EndAt)
{
    if (!IsSlotFree(StartAt, EndAt, nullptr))
        return nullptr;
    BeginUpdate();
    // The bar is not in the row until the end, so a refused date leaves
    // nothing behind: it is freed here rather than leaked.
    auto* bar = new TResourceAllocation(this);
    try {
        bar->SetDateTime(StartAt, EndAt);
        bar->SetStyle(style_);
        bar->SetColor(color_);
    } catch (...) {
        bar->resource_ = nullptr;
        delete bar;
        EndUpdate();
        throw;
    }
    AddSlot(bar);
    EndUpdate();
    return bar;
}

TResourceAllocation* TRACResource::AddSlot(TResourceAllocation* Allocation)
{
    allocations_.push_back(Allocation);
    Allocation->resource_ = this;
    needsSort_ = true;
    return Allocation;
}

void TRACResource::Clear()
{
    if (allocations_.empty())
        return;
    BeginUpdate();
    clearing_ = true;
    for (TResourceAllocation* bar : allocations_) {
        bar->SetSelected(false);
        delete bar;
    }
    allocations_.clear();
    DataChanged();
    clearing_ = false;
    EndUpdate();
}

void TRACResource::Disown(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    TResourceAllocation* bar = allocations_[static_cast<std::size_t>(Index)];
    allocations_.erase(allocations_.begin() + Index);
    bar->resource_ = nullptr;
    // It is no longer drawn in this row, so hit-testing must not find it here.
    bar->displayRect_ = kUnsetRect;
    DataChanged();
}

void TRACResource::Disown(TResourceAllocation* Allocation)
{
    Disown(IndexOf(Allocation));
}

bool TRACResource::IsSlotFree(TDateTime StartAt, TDateTime EndAt, const TResourceAllocation* Exclude) const
{
    for (const TResourceAllocation* b : allocations_) {
        if (b == Exclude)
            continue;
        const bool same = std::fabs(StartAt - b->StartAt()) < kSlotTolerance
            && std::fabs(EndAt - b->EndAt()) < kSlotTolerance;
        if (same || StrictlyInside(StartAt, b->StartAt(), b->EndAt())
            || StrictlyInside(EndAt, b->StartAt(), b->EndAt()) || StrictlyInside(b->StartAt(), StartAt, EndAt)
            || StrictlyInside(b->EndAt(), StartAt, EndAt))
            return false;
    }
    return true;
}

TDateTime TRACResource::FindFreeSlot(TDateTime From, TDateTime To, TDateTime Duration,
                                     TDateTime Increment) const
{
    if (Increment <= 0)
        Increment = chart_ ? chart_->RoundTo() : 0;
    if (Increment <= 0)
        Increment = 15.0 / 1440.0;
    if (From + Duration > To)
        return -1.0;
    for (long long k = 0;; ++k) {
        const TDateTime t = From + static_cast<double>(k) * Increment;
        if (!(t + Duration < To))
            break;
        if (IsSlotFree(t, t + Duration, nullptr))
            return t;
    }
    return -1.0;
}

TResourceAllocation* TRACResource::FindSlotAt(TDateTime DateTime) const
{
    for (TResourceAllocation* b : allocations_)
        if (b->StartAt() <= DateTime && DateTime <= b->EndAt())
            return b;
    return nullptr;
}

TResourceAllocation* TRACResource::FindSlotFromPoint(TPoint Point) const
{
    for (TResourceAllocation* b : allocations_)
        if (b->PtInRect(Point))
            return b;
    return nullptr;
}

TResourceAllocation* TRACResource::Allocations(int Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return allocations_[static_cast<std::size_t>(Index)];
}

int TRACResource::IndexOf(const TResourceAllocation* Allocation) const
{
    auto it = std::find(allocations_.begin(), allocations_.end(), Allocation);
    return it == allocations_.end() ? -1 : static_cast<int>(it - allocations_.begin());
}

TResourceAllocation* TRACResource::EarliestAllocation() const
{
    TResourceAllocation* best = nullptr;
    for (TResourceAllocation* b : allocations_)
        if (!best || b->StartAt() < best->StartAt())
            best = b;
    return best;
}

TResourceAllocation* TRACResource::LatestAllocation() const
{
    TResourceAllocation* best = nullptr;
    for (TResourceAllocation* b : allocations_)
        if (!best || b->EndAt() > best->EndAt())
            best = b;
    return best;
}

TRect TRACResource::DisplayRect() const
{
    const TRect plot = chart_ ? chart_->PlotRect() : kUnsetRect;
    return TRect{plot.Left, displayTop_, plot.Right, displayBottom_};
}

void TRACResource::SortAllocations()
{
    std::sort(allocations_.begin(), allocations_.end(),
              [](const TResourceAllocation* a, const TResourceAllocation* b) {
                  return a->StartAt() < b->StartAt();
              });
    needsSort_ = false;
    Changed();
}

void TRACResource::SortIfNeeded()
{
    if (needsSort_)
        SortAllocations();
}

}  // namespace tw::chart
