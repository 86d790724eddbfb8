#include "controls/statuspanes/fcpollinglist.h"
#include <algorithm>
namespace tw::controls {
namespace {
TFcPollingList* shared = nullptr;
}

TFcPollingList::TFcPollingList()
{
    timer_.setInterval(500);
    connect(&timer_, &QTimer::timeout, this, &TFcPollingList::Tick);
    timer_.start();
}

TFcPollingList* TFcPollingList::Instance()
{
    return shared;
}

void TFcPollingList::Join(IFcPollingClient* client)
{
    if (!shared)
        shared = new TFcPollingList;
    if (std::find(shared->clients_.begin(), shared->clients_.end(), client) == shared->clients_.end())
        shared->clients_.push_back(client);
}

void TFcPollingList::Leave(IFcPollingClient* client)
{
    if (!shared)
        return;
    auto& c = shared->clients_;
    c.erase(std::remove(c.begin(), c.end(), client), c.end());
    if (c.empty()) {
        delete shared;
        shared = nullptr;
    }
}

void TFcPollingList::SetActive(bool value)
{
    if (value == timer_.isActive())
        return;
    if (value)
        timer_.start();
    else
        timer_.stop();
}

void TFcPollingList::SetInterval(int ms)
{
    if (ms != timer_.interval())
        timer_.setInterval(ms);
}

void TFcPollingList::Tick()
{
    // A pane may leave during its own tick; walk a copy and skip the gone.
    const std::vector<IFcPollingClient*> clients = clients_;
    for (IFcPollingClient* client : clients) {
        if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
            continue;
        if (client->PollingVisible())
            client->TimerExpired();
    }
}
}  // namespace tw::controls
