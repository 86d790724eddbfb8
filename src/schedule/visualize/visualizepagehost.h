#pragma once
// What the Visualize page reads of the other pages' controls for its chart
// and status bar: the Work calendar's working day and the Add / Edit / Query
// tab's restrictions and dates, read afresh each time it asks. The Visualize
// feature unit implements it over the units of those pages.

namespace tw::visualize {
struct PageControls;
}

namespace tw::app {

class VisualizePageHost {
public:
    virtual ~VisualizePageHost() = default;

    virtual void ReadOtherPages(visualize::PageControls& controls) = 0;
};

}  // namespace tw::app
