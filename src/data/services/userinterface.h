#pragma once
// What the data services need of the windows: message boxes, the main
// window's status bar, the hourglass and the 2-second wait for the network
// lock. The main window implements it; tests record what was shown
// (tests/support/recordinguserinterface.h).

#include <string>

namespace tw::data {

enum class MessageIcon { None, Stop, Warning, Information, Question };

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A modal message box (the stop icon marks errors).
    virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;
    // Panels 0 to 2 of the main window's status bar.
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    virtual std::string StatusText(int panel) const = 0;
    // Work runs on the GUI thread without returning to the event loop, so a
    // status text is painted at once when asked.
    virtual void RepaintStatus() {}
    virtual void SetBusyCursor(bool /*busy*/) {}
    // The pause between two tries of the network lock.
    virtual void Sleep(int milliseconds) = 0;
};

}  // namespace tw::data
