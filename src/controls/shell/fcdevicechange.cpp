#include "controls/shell/fcdevicechange.h"

#include <QDebug>
#include <QFile>
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>

#include <algorithm>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

namespace tw::controls::shell {

namespace {

class ProcMountsNotifier final : public MountNotifier {
public:
    ~ProcMountsNotifier() override
    {
        notifier_.reset();
        if (fd_ >= 0)
            ::close(fd_);
    }
    void Start(std::function<void()> changed) override
    {
        fd_ = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
        if (fd_ < 0)
            return;
        // The mount table signals a change as a priority event.
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Exception);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                         [changed = std::move(changed)] { changed(); });
    }

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

std::unique_ptr<MountNotifier> SystemMountNotifier()
{
    return std::make_unique<ProcMountsNotifier>();
}

TFcDeviceChangeHandler::TFcDeviceChangeHandler(std::unique_ptr<MountNotifier> notifier,
                                               std::function<DriveTable()> readTable)
    : notifier_(std::move(notifier)),
      readTable_(std::move(readTable)),
      queue_(new QObject)
{
    if (readTable_)
        last_ = readTable_().Drives();
    if (notifier_)
        notifier_->Start([this] { MountTableChanged(); });
}

TFcDeviceChangeHandler::~TFcDeviceChangeHandler()
{
    notifier_.reset();
    subscribers_.clear();
    // Broadcasts still queued die with their context.
    delete queue_;
}

int TFcDeviceChangeHandler::Add(TFcDeviceChangeEvent event)
{
    subscribers_.push_back({nextId_, std::move(event)});
    return nextId_++;
}

void TFcDeviceChangeHandler::Remove(int id)
{
    for (std::size_t i = 0; i < subscribers_.size(); ++i) {
        if (subscribers_[i].id == id) {
            DeleteItem(static_cast<int>(i));
            return;
        }
    }
}

void TFcDeviceChangeHandler::DeleteItem(int index)
{
    if (index >= 0 && index < Count())
        subscribers_.erase(subscribers_.begin() + index);
}

void TFcDeviceChangeHandler::MountTableChanged()
{
    FlushDriveInfoCache();
    if (!readTable_)
        return;
    const std::vector<DriveInfo> now = readTable_().Drives();
    std::vector<DeviceChangeMessage> changes;
    auto has = [](const std::vector<DriveInfo>& drives, const QString& mountPoint) {
        for (const DriveInfo& d : drives) {
            if (d.mountPoint == mountPoint)
                return true;
        }
        return false;
    };
    for (const DriveInfo& d : last_) {
        if (!has(now, d.mountPoint))
            changes.push_back({DeviceChangeMessage::DeviceRemoveComplete, d.letter, d.mountPoint});
    }
    for (const DriveInfo& d : now) {
        if (!has(last_, d.mountPoint))
            changes.push_back({DeviceChangeMessage::DeviceArrival, d.letter, d.mountPoint});
    }
    last_ = now;
    for (const DeviceChangeMessage& change : changes) {
        QMetaObject::invokeMethod(
            queue_,
            [this, change] {
                DeviceChangeMessage message = change;
                BroadcastToList(message);
            },
            Qt::QueuedConnection);
    }
}

void TFcDeviceChangeHandler::BroadcastToList(DeviceChangeMessage& message)
{
    if (!Active)
        return;
    // A subscriber may unsubscribe itself or others while being called.
    const std::vector<Subscriber> snapshot = subscribers_;
    for (const Subscriber& s : snapshot) {
        const bool stillThere = std::any_of(subscribers_.begin(), subscribers_.end(),
                                            [&](const Subscriber& o) { return o.id == s.id; });
        if (!stillThere)
            continue;
        try {
            s.event(this, message);
        } catch (const std::exception& e) {
            const QString text = QString::fromUtf8(e.what());
            if (ReportError)
                ReportError(text);
            else
                qWarning().noquote() << "Device change subscriber failed:" << text;
        } catch (...) {
            if (ReportError)
                ReportError(QStringLiteral("Unknown error"));
            else
                qWarning() << "Device change subscriber failed";
        }
    }
}

TFcDeviceChangeHandler& FcDeviceChangeHandler()
{
    static TFcDeviceChangeHandler* handler = new TFcDeviceChangeHandler(
        SystemMountNotifier(), [] { return DriveTable::Parse(ReadSystemMountTable(), SystemDriveProbe()); });
    return *handler;
}

}  // namespace tw::controls::shell
