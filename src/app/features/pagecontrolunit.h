#pragma once
// What the other units may ask of the page control unit (pagecontrol.h).

namespace tw::app {

class PageTurns {
public:
    virtual ~PageTurns() = default;
    // Prepares the page shown, as a change of page does.
    virtual void TabControlChange() = 0;
};

}  // namespace tw::app
