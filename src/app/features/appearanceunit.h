#pragma once
// What the other units and dialogs may ask of the appearance unit
// (appearancefeature.h).

#include <QColor>

namespace tw::app {

class Appearance {
public:
    virtual ~Appearance() = default;
    // The colour the dialogs' entry fields take.
    virtual QColor DialogFieldColour() const = 0;
    // The hints' caption width and hide pause by help level and chart hint mode.
    virtual void ApplyHelpLevel() = 0;
};

// What the exchange windows take of the main window's look; the setup dialog
// that holds the accounting settings is the Utilities unit's.
class ExchangeWindow {
public:
    virtual ~ExchangeWindow() = default;
    // The colour the entry fields are drawn in.
    virtual QColor FieldColour() const = 0;
};

}  // namespace tw::app
