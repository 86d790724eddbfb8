#pragma once
// A list of integers, as the check group keeps its stored check states.

#include <vector>

namespace tw::controls {

class TFcIntegerList {
public:
    void Clear() { items_.clear(); }
    int Add(int value)
    {
        items_.push_back(value);
        return Count() - 1;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    // index must lie in 0..Count() - 1.
    int Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    void SetItems(int index, int value) { items_.at(static_cast<size_t>(index)) = value; }

private:
    std::vector<int> items_;
};

}  // namespace tw::controls
