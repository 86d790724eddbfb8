// The drive table from mount-table fixtures, and the device-change handler
// with a notifier the test drives.

#include "shellfixture.h"

#include "controls/shell/fcdevicechange.h"

#include <QStringList>

#include <stdexcept>

namespace tw::controls::shell {
namespace {

class FixtureProbe final : public DriveProbe {
public:
    QString Label(const QString& source) const override
    {
        return source == QLatin1String("/dev/sdb1") ? QStringLiteral("STICK") : QString();
    }
    QString Uuid(const QString& source) const override
    {
        if (source == QLatin1String("/dev/sdb1"))
            return QStringLiteral("1A2B-3C4D");
        if (source == QLatin1String("/dev/sda1"))
            return QStringLiteral("0123abcd-0000-4000-8000-000000000000");
        return {};
    }
    bool IsRemovable(const QString& source) const override { return source == QLatin1String("/dev/sdb1"); }
};

const char* const kDesktopMounts = "sysfs /sys sysfs rw,nosuid 0 0\n"
                                   "proc /proc proc rw 0 0\n"
                                   "udev /dev devtmpfs rw 0 0\n"
                                   "devpts /dev/pts devpts rw 0 0\n"
                                   "tmpfs /run tmpfs rw 0 0\n"
                                   "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                                   "/dev/sda1 / ext4 rw,relatime 0 0\n"
                                   "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
                                   "tmpfs /tmp tmpfs rw 0 0\n"
                                   "/dev/sda2 /home ext4 rw 0 0\n"
                                   "/dev/sdb1 /media/user/My\\040Stick vfat ro 0 0\n"
                                   "/dev/sr0 /media/cdrom iso9660 ro 0 0\n"
                                   "server:/export /mnt/share nfs4 rw 0 0\n"
                                   "//nas/music /mnt/music cifs rw 0 0\n";

TEST(DriveTableTest, DesktopMountTable)
{
    const DriveTable t = DriveTable::Parse(QString::fromLatin1(kDesktopMounts), FixtureProbe());
    struct Row {
        QChar letter;
        QString mountPoint;
        DriveType type;
        QString label;
        std::uint32_t serial;
        QString networkName;
    } expected[] = {
        {QLatin1Char('C'), QStringLiteral("/"), DriveType::Fixed, QStringLiteral("/"), 0x0123ABCDu,
         QString()},
        {QLatin1Char('D'), QStringLiteral("/home"), DriveType::Fixed, QStringLiteral("/home"), 0xFFFFFFFFu,
         QString()},
        {QLatin1Char('E'), QStringLiteral("/media/cdrom"), DriveType::CdRom, QStringLiteral("/media/cdrom"),
         0xFFFFFFFFu, QString()},
        {QLatin1Char('F'), QStringLiteral("/media/user/My Stick"), DriveType::Removable,
         QStringLiteral("STICK"), 0x1A2B3C4Du, QString()},
        {QLatin1Char('G'), QStringLiteral("/mnt/music"), DriveType::Remote, QStringLiteral("/mnt/music"),
         0xFFFFFFFFu, QStringLiteral("//nas/music")},
        {QLatin1Char('H'), QStringLiteral("/mnt/share"), DriveType::Remote, QStringLiteral("/mnt/share"),
         0xFFFFFFFFu, QStringLiteral("server:/export")},
        {QLatin1Char('I'), QStringLiteral("/tmp"), DriveType::RamDisk, QStringLiteral("/tmp"), 0xFFFFFFFFu,
         QString()},
    };
    ASSERT_EQ(t.Drives().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const DriveInfo& d = t.Drives()[i];
        const Row& r = expected[i];
        SCOPED_TRACE(r.mountPoint.toStdString());
        EXPECT_EQ(d.letter, r.letter);
        EXPECT_EQ(d.mountPoint, r.mountPoint);
        EXPECT_EQ(d.type, r.type);
        EXPECT_EQ(d.label, r.label);
        EXPECT_EQ(d.serial, r.serial);
        EXPECT_EQ(d.networkName, r.networkName);
    }
    EXPECT_TRUE(t.FindByLetter(QLatin1Char('f'))->readOnly);
    EXPECT_EQ(t.DriveOfPath(QStringLiteral("/home/user/x"))->letter, QLatin1Char('D'));
    EXPECT_EQ(t.DriveOfPath(QStringLiteral("/homework"))->letter, QLatin1Char('C'));
    EXPECT_EQ(t.DriveOfPath(QStringLiteral("/media/user/My Stick"))->letter, QLatin1Char('F'));
}

TEST(DriveTableTest, RootIsAlwaysThereAndFirst)
{
    struct Case {
        const char* name;
        const char* text;
        QStringList mountPoints;
    } cases[] = {
        {"empty table", "", {QStringLiteral("/")}},
        {"only pseudo file systems",
         "proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\n",
         {QStringLiteral("/")}},
        {"missing root", "/dev/sdb1 /data ext4 rw 0 0\n", {QStringLiteral("/"), QStringLiteral("/data")}},
        {"root listed last",
         "/dev/sdb1 /a ext4 rw 0 0\noverlay / overlay rw 0 0\n",
         {QStringLiteral("/"), QStringLiteral("/a")}},
        {"a later mount hides an earlier one",
         "/dev/x /m ext4 rw 0 0\n/dev/y /m xfs rw 0 0\n",
         {QStringLiteral("/"), QStringLiteral("/m")}},
        {"garbage lines", "nonsense\n\n# comment / ext4\nrel relative ext4 rw 0 0\n", {QStringLiteral("/")}},
    };
    for (const Case& c : cases) {
        const DriveTable t = DriveTable::Parse(QString::fromLatin1(c.text), testing::NoRemovables());
        QStringList got;
        for (const DriveInfo& d : t.Drives())
            got << d.mountPoint;
        EXPECT_EQ(got, c.mountPoints) << c.name;
        EXPECT_EQ(t.Drives().front().letter, QLatin1Char('C')) << c.name;
    }
    const DriveTable hidden = DriveTable::Parse(
        QStringLiteral("/dev/x /m ext4 rw 0 0\n/dev/y /m xfs rw 0 0\n"), testing::NoRemovables());
    EXPECT_EQ(hidden.FindByMountPoint(QStringLiteral("/m"))->fsType, QStringLiteral("xfs"));
}

TEST(DriveTableTest, LettersRunOutAtZ)
{
    QString text;
    for (int i = 0; i < 40; ++i)
        text +=
            QStringLiteral("/dev/loop%1 /snap/p%2 squashfs ro 0 0\n").arg(i).arg(i, 2, 10, QLatin1Char('0'));
    const DriveTable t = DriveTable::Parse(text, testing::NoRemovables());
    EXPECT_EQ(t.Drives().size(), 24u);
    EXPECT_EQ(t.Drives().back().letter, QLatin1Char('Z'));
}

TEST(DriveTableTest, SerialFromUuid)
{
    EXPECT_EQ(SerialFromUuid(QStringLiteral("1A2B-3C4D")), 0x1A2B3C4Du);
    EXPECT_EQ(SerialFromUuid(QStringLiteral("0123abcd-0000")), 0x0123ABCDu);
    EXPECT_EQ(SerialFromUuid(QStringLiteral("12AB")), 0xFFFFFFFFu);
    EXPECT_EQ(SerialFromUuid(QString()), 0xFFFFFFFFu);
    EXPECT_EQ(SerialFromUuid(QStringLiteral("zz12-3456-7890")), 0xFFFFFFFFu);
}

TEST(DriveTableTest, FlushKeepsItsLockCounter)
{
    int reads = 0;
    SetDriveTableSource([&reads] {
        ++reads;
        return DriveTable();
    });
    CurrentDriveTable();
    EXPECT_EQ(reads, 1);
    LockFlushDriveInfoCache();
    LockFlushDriveInfoCache();
    FlushDriveInfoCache();
    UnlockFlushDriveInfoCache();
    FlushDriveInfoCache();
    CurrentDriveTable();
    EXPECT_EQ(reads, 1);
    UnlockFlushDriveInfoCache();
    FlushDriveInfoCache();
    CurrentDriveTable();
    EXPECT_EQ(reads, 2);
    SetDriveTableSource({});
}

class FakeNotifier final : public MountNotifier {
public:
    explicit FakeNotifier(std::function<void()>* fire) : fire_(fire) {}
    void Start(std::function<void()> changed) override { *fire_ = std::move(changed); }

private:
    std::function<void()>* fire_;
};

class DeviceChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::CoreApplication();
        mounts_ = QStringLiteral("/dev/sda1 / ext4 rw 0 0\n");
        handler_ = std::make_unique<TFcDeviceChangeHandler>(std::make_unique<FakeNotifier>(&fire_), [this] {
            return DriveTable::Parse(mounts_, testing::NoRemovables());
        });
        handler_->ReportError = [this](const QString& text) { errors_ << text; };
    }
    void Deliver() { QCoreApplication::processEvents(); }

    QString mounts_;
    std::function<void()> fire_;
    std::unique_ptr<TFcDeviceChangeHandler> handler_;
    QStringList errors_;
};

TEST_F(DeviceChangeTest, ArrivalAndRemovalReachSubscribersLaterInOrder)
{
    QStringList heard;
    handler_->Add([&](TFcDeviceChangeHandler* sender, DeviceChangeMessage& m) {
        EXPECT_EQ(sender, handler_.get());
        heard << QStringLiteral("first %1 %2 %3").arg(m.event, 0, 16).arg(m.drive).arg(m.mountPoint);
    });
    handler_->Add([&](TFcDeviceChangeHandler*, DeviceChangeMessage& m) {
        heard << QStringLiteral("second ") + m.mountPoint;
    });
    mounts_ += QStringLiteral("/dev/sdb1 /media/stick vfat rw 0 0\n");
    fire_();
    EXPECT_TRUE(heard.isEmpty());  // never inside the notification
    Deliver();
    EXPECT_EQ(
        heard,
        (QStringList{QStringLiteral("first 8000 D /media/stick"), QStringLiteral("second /media/stick")}));
    heard.clear();
    mounts_ = QStringLiteral("/dev/sda1 / ext4 rw 0 0\n");
    fire_();
    Deliver();
    EXPECT_EQ(
        heard,
        (QStringList{QStringLiteral("first 8004 D /media/stick"), QStringLiteral("second /media/stick")}));
    heard.clear();
    fire_();  // nothing changed
    Deliver();
    EXPECT_TRUE(heard.isEmpty());
}

TEST_F(DeviceChangeTest, AThrowingSubscriberIsReportedAndTheRestStillRun)
{
    QStringList heard;
    handler_->Add([&](TFcDeviceChangeHandler*, DeviceChangeMessage&) { heard << QStringLiteral("a"); });
    handler_->Add(
        [&](TFcDeviceChangeHandler*, DeviceChangeMessage&) { throw std::runtime_error("subscriber broke"); });
    const int c =
        handler_->Add([&](TFcDeviceChangeHandler*, DeviceChangeMessage&) { heard << QStringLiteral("c"); });
    mounts_ += QStringLiteral("/dev/sdb1 /media/stick vfat rw 0 0\n");
    fire_();
    Deliver();
    EXPECT_EQ(heard, (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_EQ(errors_, QStringList{QStringLiteral("subscriber broke")});
    heard.clear();
    handler_->Remove(c);
    handler_->Remove(12345);  // unknown: nothing
    EXPECT_EQ(handler_->Count(), 2);
    mounts_ = QStringLiteral("/dev/sda1 / ext4 rw 0 0\n");
    fire_();
    Deliver();
    EXPECT_EQ(heard, QStringList{QStringLiteral("a")});
}

TEST_F(DeviceChangeTest, AChangeQueuedBeforeTheHandlerEndsIsDropped)
{
    int calls = 0;
    handler_->Add([&](TFcDeviceChangeHandler*, DeviceChangeMessage&) { ++calls; });
    mounts_ += QStringLiteral("/dev/sdb1 /media/stick vfat rw 0 0\n");
    fire_();
    handler_.reset();
    Deliver();
    EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace tw::controls::shell
