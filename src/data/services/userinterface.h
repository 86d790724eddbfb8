#pragma once
// What the data services need of the windows: message boxes, the main
// window's status bar, the hourglass and the 2-second wait for the network
// lock. The main window implements it; tests record what was shown.

#include <functional>
#include <string>
#include <utility>
#include <vector>

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

// Records everything instead of showing it; sleeping returns at once.
class RecordingUserInterface : public UserInterface {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon;
    };

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        Messages.push_back({text, caption, icon});
    }
    void SetStatusText(int panel, const std::string& text) override
    {
        if (panel >= 0 && panel < 3) {
            Status[panel] = text;
            StatusHistory.emplace_back(panel, text);
        }
    }
    std::string StatusText(int panel) const override
    {
        return panel >= 0 && panel < 3 ? Status[panel] : std::string();
    }
    void Sleep(int milliseconds) override
    {
        Sleeps.push_back(milliseconds);
        if (OnSleep)
            OnSleep();
    }

    std::vector<Message> Messages;
    std::string Status[3];
    std::vector<std::pair<int, std::string>> StatusHistory;
    std::vector<int> Sleeps;
    // Runs at each sleep: a test lets "the other workstation" act there.
    std::function<void()> OnSleep;
};

}  // namespace tw::data
