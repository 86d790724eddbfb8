#pragma once
// The data services' view of the main window: its message boxes, its
// three-panel status bar, the hourglass and the pause between two tries of
// the network lock.

#include "data/services/userinterface.h"

#include <functional>

namespace tw::app {

class TMainScreen;

class MainScreenInterface : public data::UserInterface {
public:
    explicit MainScreenInterface(TMainScreen& window) : window_(window) {}

    void ShowMessage(const std::string& text, const std::string& caption, data::MessageIcon icon) override;
    void SetStatusText(int panel, const std::string& text) override;
    std::string StatusText(int panel) const override;
    void RepaintStatus() override;
    void SetBusyCursor(bool busy) override;
    // The window stays blocked, as every wait for the lock does; only the
    // status bar is painted again between short naps, so that "Waiting for
    // network access" stays readable if the screen under it changes.
    void Sleep(int milliseconds) override;

private:
    TMainScreen& window_;
    int busyDepth_ = 0;
};

// Replaces the pause of the lock wait (tests let "the other workstation" act
// there instead of sleeping); an empty function restores the real pause.
using SleepHandler = std::function<void(int milliseconds)>;
SleepHandler SetSleepHandler(SleepHandler handler);

}  // namespace tw::app
