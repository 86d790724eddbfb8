#include "app/session/sessioninterface.h"

#include <chrono>
#include <iostream>
#include <thread>

namespace tw::app {

void SessionInterface::ShowMessage(const std::string& text, const std::string& caption,
                                   data::MessageIcon icon)
{
    if (target_) {
        target_->ShowMessage(text, caption, icon);
        return;
    }
    std::cerr << caption << ": " << text << '\n';
}

void SessionInterface::SetStatusText(int panel, const std::string& text)
{
    if (target_)
        target_->SetStatusText(panel, text);
    else if (panel >= 0 && panel < 3)
        status_[panel] = text;
}

std::string SessionInterface::StatusText(int panel) const
{
    if (target_)
        return target_->StatusText(panel);
    return panel >= 0 && panel < 3 ? status_[panel] : std::string();
}

void SessionInterface::RepaintStatus()
{
    if (target_)
        target_->RepaintStatus();
}

void SessionInterface::SetBusyCursor(bool busy)
{
    if (target_)
        target_->SetBusyCursor(busy);
}

void SessionInterface::Sleep(int milliseconds)
{
    if (target_)
        target_->Sleep(milliseconds);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace tw::app
