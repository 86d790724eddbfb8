#pragma once
// TFcDeviceChangeHandler: one process-wide watcher of the mount table that
// tells its subscribers when a drive arrives or is gone.
//
// The mount table's notifier only says "something changed"; the handler then
// re-reads the drive table, compares it with the last one and, for each drive
// that came or went, queues one broadcast. Subscribers so hear of a change
// after the notification has returned, never inside it, in the order they
// subscribed. A subscriber that throws is reported and the rest still run.

#include "controls/shell/fcdrivetable.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QObject;

namespace tw::controls::shell {

struct DeviceChangeMessage {
    enum Event : std::uint32_t { DeviceArrival = 0x8000, DeviceRemoveComplete = 0x8004 };
    Event event = DeviceArrival;
    QChar drive;
    QString mountPoint;
};

class TFcDeviceChangeHandler;
using TFcDeviceChangeEvent =
    std::function<void(TFcDeviceChangeHandler* sender, DeviceChangeMessage& message)>;

// Calls back when the mount table may have changed. The system's notifier
// watches /proc/self/mounts for its priority event; tests drive their own.
class MountNotifier {
public:
    virtual ~MountNotifier() = default;
    virtual void Start(std::function<void()> changed) = 0;
};
std::unique_ptr<MountNotifier> SystemMountNotifier();

class TFcDeviceChangeHandler {
public:
    TFcDeviceChangeHandler(std::unique_ptr<MountNotifier> notifier, std::function<DriveTable()> readTable);
    ~TFcDeviceChangeHandler();
    TFcDeviceChangeHandler(const TFcDeviceChangeHandler&) = delete;
    TFcDeviceChangeHandler& operator=(const TFcDeviceChangeHandler&) = delete;

    // A subscription's id, for Remove; subscribing twice is two subscriptions.
    int Add(TFcDeviceChangeEvent event);
    // Nothing when the id is unknown.
    void Remove(int id);
    void DeleteItem(int index);
    int Count() const { return static_cast<int>(subscribers_.size()); }

    // Re-reads the table and queues a broadcast per drive that came or went.
    void MountTableChanged();
    // Calls every subscriber now, when active.
    void BroadcastToList(DeviceChangeMessage& message);

    bool Active = true;
    // Where a subscriber's failure goes; the warning log when empty.
    std::function<void(const QString&)> ReportError;

private:
    struct Subscriber {
        int id;
        TFcDeviceChangeEvent event;
    };
    std::unique_ptr<MountNotifier> notifier_;
    std::function<DriveTable()> readTable_;
    std::vector<Subscriber> subscribers_;
    std::vector<DriveInfo> last_;
    int nextId_ = 1;
    QObject* queue_;
};

// The process's handler, made on first use with the system's notifier.
TFcDeviceChangeHandler& FcDeviceChangeHandler();

}  // namespace tw::controls::shell
