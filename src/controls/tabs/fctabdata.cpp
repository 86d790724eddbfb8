#include "controls/tabs/fctabdata.h"

#include <algorithm>
#include <stdexcept>

namespace tw::controls {

void TFcTabData::Assign(const TFcTabData& source)
{
    Caption = source.Caption;
    DisabledIndex = source.DisabledIndex;
    ImageIndex = source.ImageIndex;
    Color = source.Color;
    Enabled = source.Enabled;
    Visible = source.Visible;
    Hint = source.Hint;
}

void TFcTabDataList::SetItems(int i, std::unique_ptr<TFcTabData> item)
{
    items_.at(static_cast<size_t>(i)) = item ? std::move(item) : std::make_unique<TFcTabData>();
}

TFcTabData* TFcTabDataList::Add(std::unique_ptr<TFcTabData> item)
{
    return Insert(Count(), std::move(item));
}

TFcTabData* TFcTabDataList::Insert(int i, std::unique_ptr<TFcTabData> item)
{
    if (!item)
        item = std::make_unique<TFcTabData>();
    i = std::clamp(i, 0, Count());
    auto it = items_.insert(items_.begin() + i, std::move(item));
    return it->get();
}

void TFcTabDataList::Delete(int i)
{
    items_.erase(items_.begin() + i);
}

int TFcTabDataList::Remove(const TFcTabData* item)
{
    const int i = IndexOf(item);
    if (i >= 0)
        Delete(i);
    return i;
}

void TFcTabDataList::Move(int from, int to)
{
    if (from == to)
        return;
    auto item = std::move(items_.at(static_cast<size_t>(from)));
    items_.erase(items_.begin() + from);
    Insert(to, std::move(item));
}

int TFcTabDataList::IndexOf(const TFcTabData* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (items_[static_cast<size_t>(i)].get() == item)
            return i;
    return -1;
}

void TFcTabDataList::Assign(const TFcTabDataList& source)
{
    if (&source == this)
        return;
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Add()->Assign(*source.Items(i));
}

void TFcTabRegionCache::SetCapacity(int capacity)
{
    if (capacity != -1 && capacity <= 0)
        throw std::invalid_argument("Capacity must be -1 (to cache all regions) or > 0");
    capacity_ = capacity;
    Trim();
}

const QRegion* TFcTabRegionCache::Find(const TRect& rect) const
{
    for (const auto& [r, region] : entries_)
        if (r == rect)
            return &region;
    return nullptr;
}

const QRegion& TFcTabRegionCache::Add(const TRect& rect, QRegion region)
{
    auto it = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == rect; });
    if (it != entries_.end()) {
        auto entry = std::move(*it);
        entries_.erase(it);
        entries_.insert(entries_.begin(), std::move(entry));
    } else {
        entries_.insert(entries_.begin(), {rect, std::move(region)});
    }
    Trim();
    return entries_.front().second;
}

void TFcTabRegionCache::Trim()
{
    if (capacity_ == -1)
        return;
    while (static_cast<int>(entries_.size()) > capacity_)
        entries_.pop_back();
}

void TFcTextExtentCache::Add(const QString& text, TFcSize size)
{
    TFcSize found;
    if (!Find(text, found))
        entries_.emplace_back(text, size);
}

bool TFcTextExtentCache::Find(const QString& text, TFcSize& size) const
{
    for (const auto& [t, s] : entries_) {
        if (t == text) {
            size = s;
            return true;
        }
    }
    return false;
}

}  // namespace tw::controls
