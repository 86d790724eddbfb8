#include "controls/shell/fcdrivetable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <mutex>
#include <memory>

namespace tw::controls::shell {

namespace {

// \040 and friends: the mount table escapes blanks, tabs, newlines and
// backslashes as three octal digits.
QString Unescape(const QString& field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == QLatin1Char('\\') && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok) {
                out.append(QChar(code));
                i += 3;
                continue;
            }
        }
        out.append(field[i]);
    }
    return out;
}

// udev writes a blank in a label as \x20.
QString UnescapeHex(const QString& name)
{
    QByteArray out;
    const QByteArray in = name.toUtf8();
    for (qsizetype i = 0; i < in.size(); ++i) {
        bool ok = false;
        if (in[i] == '\\' && i + 3 < in.size() && in[i + 1] == 'x') {
            const int code = in.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out.append(static_cast<char>(code));
                i += 3;
                continue;
            }
        }
        out.append(in[i]);
    }
    return QString::fromUtf8(out);
}

DriveType TypeOf(const QString& fsType, const QString& source, const DriveProbe& probe)
{
    static const QStringList remote = {
        QStringLiteral("nfs"),   QStringLiteral("nfs4"), QStringLiteral("cifs"), QStringLiteral("smb3"),
        QStringLiteral("smbfs"), QStringLiteral("9p"),   QStringLiteral("afs"),  QStringLiteral("fuse.sshfs"),
        QStringLiteral("davfs"), QStringLiteral("ncpfs")};
    if (remote.contains(fsType))
        return DriveType::Remote;
    if (fsType == QLatin1String("iso9660") || fsType == QLatin1String("udf"))
        return DriveType::CdRom;
    if (fsType == QLatin1String("tmpfs") || fsType == QLatin1String("ramfs"))
        return DriveType::RamDisk;
    if (probe.IsRemovable(source))
        return DriveType::Removable;
    return DriveType::Fixed;
}

class SystemProbe final : public DriveProbe {
public:
    QString Label(const QString& source) const override
    {
        return LinkNameIn(QStringLiteral("/dev/disk/by-label"), source);
    }
    QString Uuid(const QString& source) const override
    {
        return LinkNameIn(QStringLiteral("/dev/disk/by-uuid"), source);
    }
    bool IsRemovable(const QString& source) const override
    {
        if (!source.startsWith(QLatin1String("/dev/")))
            return false;
        QString dev = QFileInfo(source).canonicalFilePath().section(QLatin1Char('/'), -1);
        if (dev.isEmpty())
            return false;
        // A partition's disk: /sys/class/block/<part>/.. is the disk.
        QString disk =
            QFileInfo(QStringLiteral("/sys/class/block/") + dev + QStringLiteral("/..")).canonicalFilePath();
        for (const QString& candidate :
             {QStringLiteral("/sys/class/block/") + dev + QStringLiteral("/removable"),
              disk + QStringLiteral("/removable")}) {
            QFile f(candidate);
            if (f.open(QIODevice::ReadOnly))
                return f.readAll().trimmed() == "1";
        }
        return false;
    }

private:
    static QString LinkNameIn(const QString& dir, const QString& source)
    {
        if (!source.startsWith(QLatin1String("/dev/")))
            return {};
        const QString target = QFileInfo(source).canonicalFilePath();
        const QFileInfoList links =
            QDir(dir).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
        for (const QFileInfo& link : links) {
            if (link.canonicalFilePath() == target)
                return UnescapeHex(link.fileName());
        }
        return {};
    }
};

std::mutex gTableMutex;
std::shared_ptr<const DriveTable> gTable;
std::function<DriveTable()> gSource;
int gFlushLock = 0;

}  // namespace

const DriveProbe& SystemDriveProbe()
{
    static const SystemProbe probe;
    return probe;
}

bool IsPseudoFileSystem(const QString& fsType, const QString& mountPoint)
{
    static const QStringList pseudo = {QStringLiteral("proc"),        QStringLiteral("sysfs"),
                                       QStringLiteral("devtmpfs"),    QStringLiteral("devpts"),
                                       QStringLiteral("cgroup"),      QStringLiteral("cgroup2"),
                                       QStringLiteral("securityfs"),  QStringLiteral("pstore"),
                                       QStringLiteral("debugfs"),     QStringLiteral("tracefs"),
                                       QStringLiteral("configfs"),    QStringLiteral("fusectl"),
                                       QStringLiteral("mqueue"),      QStringLiteral("hugetlbfs"),
                                       QStringLiteral("bpf"),         QStringLiteral("autofs"),
                                       QStringLiteral("binfmt_misc"), QStringLiteral("efivarfs"),
                                       QStringLiteral("rpc_pipefs"),  QStringLiteral("nsfs"),
                                       QStringLiteral("selinuxfs"),   QStringLiteral("fuse.gvfsd-fuse"),
                                       QStringLiteral("fuse.portal"), QStringLiteral("nfsd")};
    if (pseudo.contains(fsType))
        return true;
    // The system's own RAM disks; a tmpfs elsewhere is a drive.
    if (fsType == QLatin1String("tmpfs") || fsType == QLatin1String("ramfs")) {
        for (const char* own : {"/dev", "/run", "/sys", "/proc"}) {
            const QString o = QString::fromLatin1(own);
            if (mountPoint == o || mountPoint.startsWith(o + QLatin1Char('/')))
                return true;
        }
    }
    return false;
}

std::uint32_t SerialFromUuid(const QString& uuid)
{
    QString hex;
    for (QChar c : uuid) {
        if (c.isDigit() || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f')))
            hex.append(c);
        else if (c != QLatin1Char('-'))
            return 0xFFFFFFFFu;
        if (hex.size() == 8)
            break;
    }
    if (hex.size() < 8)
        return 0xFFFFFFFFu;
    return hex.toUInt(nullptr, 16);
}

DriveTable DriveTable::Parse(const QString& mountTable, const DriveProbe& probe)
{
    std::vector<DriveInfo> found;
    const QStringList lines = mountTable.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 3 || f[0].startsWith(QLatin1Char('#')))
            continue;
        DriveInfo d;
        d.source = Unescape(f[0]);
        d.mountPoint = QDir::cleanPath(Unescape(f[1]));
        d.fsType = f[2];
        if (!d.mountPoint.startsWith(QLatin1Char('/')) || IsPseudoFileSystem(d.fsType, d.mountPoint))
            continue;
        d.readOnly = f.size() > 3 && f[3].split(QLatin1Char(',')).contains(QStringLiteral("ro"));
        d.type = d.mountPoint == QLatin1String("/")
            ? (probe.IsRemovable(d.source) ? DriveType::Removable : DriveType::Fixed)
            : TypeOf(d.fsType, d.source, probe);
        if (d.mountPoint == QLatin1String("/") && d.type != DriveType::Removable)
            d.type =
                TypeOf(d.fsType, d.source, probe) == DriveType::Remote ? DriveType::Remote : DriveType::Fixed;
        if (d.type == DriveType::Remote)
            d.networkName = d.source;
        d.label = probe.Label(d.source);
        if (d.label.isEmpty())
            d.label = d.mountPoint;
        d.serial = SerialFromUuid(probe.Uuid(d.source));
        // A later mount on the same point hides the earlier one.
        auto same = std::find_if(found.begin(), found.end(),
                                 [&](const DriveInfo& o) { return o.mountPoint == d.mountPoint; });
        if (same != found.end())
            *same = d;
        else
            found.push_back(d);
    }
    if (std::none_of(found.begin(), found.end(),
                     [](const DriveInfo& d) { return d.mountPoint == QLatin1String("/"); })) {
        DriveInfo root;
        root.mountPoint = QStringLiteral("/");
        root.label = root.mountPoint;
        found.push_back(root);
    }
    std::stable_sort(found.begin(), found.end(), [](const DriveInfo& a, const DriveInfo& b) {
        if ((a.mountPoint == QLatin1String("/")) != (b.mountPoint == QLatin1String("/")))
            return a.mountPoint == QLatin1String("/");
        return a.mountPoint < b.mountPoint;
    });
    DriveTable table;
    char letter = 'C';
    for (DriveInfo& d : found) {
        if (letter > 'Z')
            break;
        d.letter = QLatin1Char(letter++);
        table.drives_.push_back(std::move(d));
    }
    return table;
}

const DriveInfo* DriveTable::FindByLetter(QChar letter) const
{
    for (const DriveInfo& d : drives_) {
        if (d.letter == letter.toUpper())
            return &d;
    }
    return nullptr;
}

const DriveInfo* DriveTable::FindByMountPoint(const QString& mountPoint) const
{
    for (const DriveInfo& d : drives_) {
        if (d.mountPoint == mountPoint)
            return &d;
    }
    return nullptr;
}

const DriveInfo* DriveTable::DriveOfPath(const QString& path) const
{
    const DriveInfo* best = nullptr;
    for (const DriveInfo& d : drives_) {
        const bool holds = d.mountPoint == QLatin1String("/") || path == d.mountPoint
            || path.startsWith(d.mountPoint + QLatin1Char('/'));
        if (holds && (!best || d.mountPoint.size() > best->mountPoint.size()))
            best = &d;
    }
    return best;
}

QString ReadSystemMountTable()
{
    QFile f(QStringLiteral("/proc/self/mounts"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

std::shared_ptr<const DriveTable> CurrentDriveTable()
{
    std::lock_guard<std::mutex> lock(gTableMutex);
    if (!gTable)
        gTable = std::make_shared<const DriveTable>(
            gSource ? gSource() : DriveTable::Parse(ReadSystemMountTable(), SystemDriveProbe()));
    return gTable;
}

void SetDriveTableSource(std::function<DriveTable()> source)
{
    std::lock_guard<std::mutex> lock(gTableMutex);
    gSource = std::move(source);
    gTable.reset();
}

void FlushDriveInfoCache()
{
    std::lock_guard<std::mutex> lock(gTableMutex);
    if (gFlushLock > 0)
        return;
    gTable.reset();
}

void LockFlushDriveInfoCache()
{
    std::lock_guard<std::mutex> lock(gTableMutex);
    ++gFlushLock;
}

void UnlockFlushDriveInfoCache()
{
    std::lock_guard<std::mutex> lock(gTableMutex);
    --gFlushLock;
}

}  // namespace tw::controls::shell
