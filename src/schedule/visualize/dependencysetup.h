#pragma once
// Chaining tasks into a dependency group by clicking their bars in order, and
// taking a group's current bar positions as its new offsets.

#include "schedule/visualize/visualizecontext.h"

namespace tw::visualize {

class DependencySetup {
public:
    explicit DependencySetup(VisualizeContext& ctx) : ctx_(ctx) {}

    void SetDependenciesClick();
    // A click on a bar while the set-up runs.
    void BarClicked(TResourceAllocation* bar);
    void StopButtonClick();
    void ResetDependenciesClick();

    const std::vector<TResourceAllocation*>& ClickedBars() const { return clickedBars_; }

private:
    VisualizeContext& ctx_;
    std::vector<TResourceAllocation*> clickedBars_;
};

}  // namespace tw::visualize
