#pragma once
// A UserInterface for tests: records every message and status text instead
// of showing it; sleeping returns at once.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/services/userinterface.h"

namespace tw::data {

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
