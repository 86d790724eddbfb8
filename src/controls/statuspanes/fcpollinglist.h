#pragma once
// One timer for every polling status pane: the first pane makes the shared
// list, the last one to leave frees it. Active and Interval belong to the
// list, so setting them on one pane changes every polling pane. Each tick
// reaches the visible members in the order they joined.
#include <QObject>
#include <QTimer>
#include <vector>
namespace tw::controls {
class IFcPollingClient {
public:
    virtual ~IFcPollingClient() = default;
    virtual bool PollingVisible() const = 0;
    virtual void TimerExpired() = 0;
};
class TFcPollingList : public QObject {
    Q_OBJECT
public:
    // The shared list, or nullptr when no pane exists.
    static TFcPollingList* Instance();
    static void Join(IFcPollingClient* client);
    static void Leave(IFcPollingClient* client);
    int GetCount() const { return static_cast<int>(clients_.size()); }
    bool GetActive() const { return timer_.isActive(); }
    void SetActive(bool value);
    int GetInterval() const { return timer_.interval(); }
    void SetInterval(int ms);
    // One tick (the timer calls it; tests drive it directly).
    void Tick();
private:
    TFcPollingList();
    std::vector<IFcPollingClient*> clients_;
    QTimer timer_;
};
}  // namespace tw::controls
