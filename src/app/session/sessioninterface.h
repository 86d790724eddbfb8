#pragma once
// The user interface of a session: until a window attaches its own, messages
// go to the standard error stream and the lock's pause really sleeps; from
// then on every call goes to the window. The services are built with this
// one and keep it for the run, so that the session can exist before any
// window does.

#include "data/services/userinterface.h"

namespace tw::app {

class SessionInterface : public data::UserInterface {
public:
    // nullptr goes back to the window-free behaviour.
    void Attach(data::UserInterface* target) { target_ = target; }
    data::UserInterface* Attached() const { return target_; }

    void ShowMessage(const std::string& text, const std::string& caption, data::MessageIcon icon) override;
    void SetStatusText(int panel, const std::string& text) override;
    std::string StatusText(int panel) const override;
    void RepaintStatus() override;
    void SetBusyCursor(bool busy) override;
    void Sleep(int milliseconds) override;

private:
    data::UserInterface* target_ = nullptr;
    std::string status_[3];
};

}  // namespace tw::app
