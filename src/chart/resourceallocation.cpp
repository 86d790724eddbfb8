#include "chart/resourceallocation.h"

#include "chart/racresource.h"

namespace tw::chart {

TResourceAllocation::TResourceAllocation(TRACResource* Resource) : resource_(Resource) {}

TResourceAllocation::~TResourceAllocation()
{
    Destroying();
    FreeAnyObject();
}

void TResourceAllocation::Changed()
{
    if (resource_)
        resource_->Changed();
}

void TResourceAllocation::DataChanged()
{
    if (resource_)
        resource_->DataChanged();
}

void TResourceAllocation::Destroying()
{
    if (resource_)
        resource_->SlotDestroying(this);
}

void TResourceAllocation::BeginUpdate()
{
    if (resource_)
        resource_->BeginUpdate();
}

void TResourceAllocation::EndUpdate()
{
    if (resource_)
        resource_->EndUpdate();
}

void TResourceAllocation::SelectionChanged()
{
    if (resource_)
        resource_->SelectionChanged(this);
}

void TResourceAllocation::SetColor(TColor Color)
{
    if (Color == color_)
        return;
    color_ = Color;
    DataChanged();
}

void TResourceAllocation::SetStyle(TResourceDisplayStyle Style)
{
    if (Style == style_)
        return;
    style_ = Style;
    DataChanged();
}

void TResourceAllocation::SetTag(std::intptr_t Tag)
{
    if (Tag == tag_)
        return;
    tag_ = Tag;
    DataChanged();
}

void TResourceAllocation::SetSelected(bool Selected)
{
    if (Selected == selected_)
        return;
    selected_ = Selected;
    SelectionChanged();
}

void TResourceAllocation::SetStartAt(TDateTime Value)
{
    if (Value == startAt_)
        return;
    if (!(Value < endAt_))
        throw EBadValueException(msg::kStartAtBeforeEndAt);
    if (resource_ && !resource_->IsSlotFree(Value, endAt_, this))
        throw EBadValueException(msg::kTimeRangeNotAvailable);
    startAt_ = Value;
    if (resource_)
        resource_->SlotDateTimeChanged(this);
    DataChanged();
}

void TResourceAllocation::SetEndAt(TDateTime Value)
{
    if (Value == endAt_)
        return;
    if (!(Value > startAt_))
        throw EBadValueException(msg::kEndAtAfterStartAt);
    if (resource_ && !resource_->IsSlotFree(startAt_, Value, this))
        throw EBadValueException(msg::kTimeRangeNotAvailable);
    endAt_ = Value;
    if (resource_)
        resource_->SlotDateTimeChanged(this);
    DataChanged();
}

void TResourceAllocation::SetDateTime(TDateTime StartAt, TDateTime EndAt)
{
    if (!(StartAt < EndAt))
        throw EBadValueException(msg::kEndAtAfterStartAt);
    if (resource_ && !resource_->IsSlotFree(StartAt, EndAt, this))
        throw EBadValueException(msg::kTimeRangeNotAvailable);
    startAt_ = StartAt;
    endAt_ = EndAt;
    if (resource_)
        resource_->SlotDateTimeChanged(this);
    DataChanged();
}

}  // namespace tw::chart
