#pragma once
// The records behind a tab strip: one TFcTabData per tab in tab order, the list
// that owns them, the most-recently-used cache of tab regions (keyed by the
// tab's rectangle on the control) and a small cache of measured texts.

#include "controls/foundation/fccolor.h"
#include "controls/foundation/fctypes.h"

#include <QRegion>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace tw::controls {

struct TFcSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TFcSize&, const TFcSize&) = default;
};

class TFcTabData {
public:
    // May hold "&" accelerators and CR LF line breaks.
    QString Caption;
    TColor Color = clBtnFace;
    int DisabledIndex = -1;
    bool Enabled = true;
    QString Hint;
    int ImageIndex = -1;
    // The tab's place in layout coordinates and its row (0 = next to the card),
    // both set by the layout.
    TRect Rect;
    bool Visible = true;
    int Row = 0;

    // Everything but the place the layout gave it.
    void Assign(const TFcTabData& source);
};

class TFcTabDataList {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TFcTabData* Items(int i) const { return items_.at(static_cast<size_t>(i)).get(); }
    void SetItems(int i, std::unique_ptr<TFcTabData> item);
    TFcTabData* Add(std::unique_ptr<TFcTabData> item = nullptr);
    TFcTabData* Insert(int i, std::unique_ptr<TFcTabData> item = nullptr);
    void Delete(int i);
    // The index the item had, or -1.
    int Remove(const TFcTabData* item);
    void Move(int from, int to);
    int IndexOf(const TFcTabData* item) const;
    TFcTabData* First() const { return items_.empty() ? nullptr : items_.front().get(); }
    TFcTabData* Last() const { return items_.empty() ? nullptr : items_.back().get(); }
    void Clear() { items_.clear(); }
    void Assign(const TFcTabDataList& source);

private:
    std::vector<std::unique_ptr<TFcTabData>> items_;
};

// Regions of tabs, most recently used first. Capacity -1 keeps every region.
class TFcTabRegionCache {
public:
    explicit TFcTabRegionCache(int capacity = 1) { SetCapacity(capacity); }
    int Capacity() const { return capacity_; }
    // Throws std::invalid_argument for anything but -1 or a positive number.
    void SetCapacity(int capacity);
    int Count() const { return static_cast<int>(entries_.size()); }
    const QRegion* Find(const TRect& rect) const;
    const QRegion& Add(const TRect& rect, QRegion region);
    void Clear() { entries_.clear(); }

private:
    void Trim();
    int capacity_ = 1;
    std::vector<std::pair<TRect, QRegion>> entries_;
};

class TFcTextExtentCache {
public:
    // Does nothing when the text is already there.
    void Add(const QString& text, TFcSize size);
    bool Find(const QString& text, TFcSize& size) const;
    void Clear() { entries_.clear(); }

private:
    std::vector<std::pair<QString, TFcSize>> entries_;
};

}  // namespace tw::controls
