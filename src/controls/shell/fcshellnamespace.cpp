#include "controls/shell/fcshellnamespace.h"

#include "controls/shell/fcdrivetable.h"
#include "controls/shell/fcshellconsts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::controls::shell {

ShellError ErrorFromErrno(int err)
{
    return {ResultFromErrno(err), QString::fromLocal8Bit(std::strerror(err))};
}

namespace {

constexpr int kSubfolderProbeLimit = 256;

std::mutex gEnvMutex;
NamespaceEnvironment* gEnv = nullptr;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

QString Join(const QString& dir, const QString& name)
{
    return dir.endsWith(QLatin1Char('/')) ? dir + name : dir + QLatin1Char('/') + name;
}

// One subdirectory is enough; a huge folder is not read to its end.
bool HasSubfolder(int dirFd, const char* name)
{
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    DIR* d = ::fdopendir(fd);
    if (!d) {
        ::close(fd);
        return false;
    }
    bool found = false;
    int seen = 0;
    while (dirent* e = ::readdir(d)) {
        if (++seen > kSubfolderProbeLimit)
            break;
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        if (e->d_type == DT_DIR) {
            found = true;
            break;
        }
        if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
            struct stat st {};
            if (::fstatat(::dirfd(d), e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                found = true;
                break;
            }
        }
    }
    ::closedir(d);
    return found;
}

bool InGroup(gid_t gid)
{
    static const gid_t egid = ::getegid();
    if (gid == egid)
        return true;
    static const std::vector<gid_t> groups = [] {
        std::vector<gid_t> g(static_cast<std::size_t>(std::max(0, ::getgroups(0, nullptr))));
        if (!g.empty())
            g.resize(
                static_cast<std::size_t>(std::max(0, ::getgroups(static_cast<int>(g.size()), g.data()))));
        return g;
    }();
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

bool ModeAllows(const struct stat& st, mode_t user, mode_t group, mode_t other)
{
    static const uid_t euid = ::geteuid();
    if (st.st_uid == euid)
        return st.st_mode & user;
    if (InGroup(st.st_gid))
        return st.st_mode & group;
    return st.st_mode & other;
}

bool IsDriveRemovable(const QString& path)
{
    const auto table = CurrentDriveTable();
    const DriveInfo* d = table->DriveOfPath(path);
    return d && d->type == DriveType::Removable;
}

// Attributes of a file-system object; parentWritable decides the
// rename/delete/move rights.
// dirFd and entry name the object (AT_FDCWD and the whole path when there is
// no folder at hand); removable says whether its drive is.
std::uint32_t FileSystemAttributesOfPath(const QString& path, const QString& name, std::uint32_t mask,
                                         bool parentWritable, bool isRootOfVolume);

std::uint32_t FileSystemAttributes(int dirFd, const QByteArray& entry, const QString& name,
                                   std::uint32_t mask, bool parentWritable, bool isRootOfVolume,
                                   bool removable)
{
    const char* native = entry.constData();
    struct stat lst {};
    if (::fstatat(dirFd, native, &lst, AT_SYMLINK_NOFOLLOW) != 0)
        return 0;
    std::uint32_t a = SFGAO_FILESYSTEM | SFGAO_CANLINK;
    const bool isLink = S_ISLNK(lst.st_mode);
    struct stat st = lst;
    bool followed = true;
    if (isLink) {
        a |= SFGAO_LINK;
        followed = ::fstatat(dirFd, native, &st, 0) == 0;
    }
    const bool isDir = followed && S_ISDIR(st.st_mode);
    if (isDir) {
        a |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR;
        if ((mask & SFGAO_HASSUBFOLDER) && HasSubfolder(dirFd, native))
            a |= SFGAO_HASSUBFOLDER;
    }
    if (name.startsWith(QLatin1Char('.')))
        a |= SFGAO_HIDDEN;
    if (removable)
        a |= SFGAO_REMOVABLE;
    if ((mask & SFGAO_READONLY) && !removable && followed && !ModeAllows(st, S_IWUSR, S_IWGRP, S_IWOTH))
        a |= SFGAO_READONLY;
    if ((mask & SFGAO_CANCOPY) && followed && ModeAllows(st, S_IRUSR, S_IRGRP, S_IROTH))
        a |= SFGAO_CANCOPY;
    if (parentWritable && !isRootOfVolume)
        a |= SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE;
    return a & mask;
}

bool Writable(const QString& dir)
{
    struct stat st {};
    return !dir.isEmpty() && ::stat(Native(dir).constData(), &st) == 0
        && ModeAllows(st, S_IWUSR, S_IWGRP, S_IWOTH);
}

std::uint32_t FileSystemAttributesOfPath(const QString& path, const QString& name, std::uint32_t mask,
                                         bool parentWritable, bool isRootOfVolume)
{
    const bool removable = (mask & (SFGAO_READONLY | SFGAO_REMOVABLE)) && IsDriveRemovable(path);
    return FileSystemAttributes(AT_FDCWD, Native(path), name, mask, parentWritable, isRootOfVolume,
                                removable);
}

int CompareNames(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c : QString::compare(a, b, Qt::CaseSensitive);
}

struct EntryStat {
    bool ok = false;
    bool isDir = false;
    std::int64_t size = 0;
    std::int64_t mtimeMs = 0;
};

EntryStat StatPath(const QString& path)
{
    EntryStat s;
    struct stat st {};
    const QByteArray native = Native(path);
    if (::stat(native.constData(), &st) != 0 && ::lstat(native.constData(), &st) != 0)
        return s;
    s.ok = true;
    s.isDir = S_ISDIR(st.st_mode);
    s.size = st.st_size;
    s.mtimeMs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    return s;
}

QString DriveDisplayName(const DriveInfo* d, const QString& mountPoint)
{
    if (!d || d->label.isEmpty() || d->label == mountPoint)
        return mountPoint;
    return d->label + QStringLiteral(" (") + mountPoint + QLatin1Char(')');
}

// A folder on the disk: Home, a Drive, or anything below them.
//
// A folder reads its own permissions and its drive once, when first asked
// for attributes, and keeps a handle on its directory so that the entries are
// looked up from there rather than by their whole paths.
class DirectoryFolder final : public ShellFolder {
public:
    DirectoryFolder(const IdList* abs, const QString& path) : ShellFolder(abs, path) {}
    ~DirectoryFolder() override
    {
        if (dirFd_ >= 0)
            ::close(dirFd_);
    }

    ShellError EnumObjects(unsigned flags, std::vector<IdListPtr>& items) const override
    {
        items.clear();
        DIR* d = ::opendir(Native(path_).constData());
        if (!d)
            return ErrorFromErrno(errno);
        const bool wantFolders = flags & SHCONTF_FOLDERS;
        const bool wantOthers = flags & SHCONTF_NONFOLDERS;
        const bool hidden = flags & SHCONTF_INCLUDEHIDDEN;
        while (dirent* e = ::readdir(d)) {
            const char* n = e->d_name;
            if (n[0] == '.' && (n[1] == 0 || (n[1] == '.' && n[2] == 0)))
                continue;
            if (!hidden && n[0] == '.')
                continue;
            bool isDir = e->d_type == DT_DIR;
            if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
                struct stat st {};
                isDir = ::fstatat(::dirfd(d), n, &st, 0) == 0 && S_ISDIR(st.st_mode);
            }
            if (isDir ? !wantFolders : !wantOthers)
                continue;
            const QString name = QFile::decodeName(n);
            // A name the file system holds in another encoding would not
            // come back the same; it is left out rather than misnamed.
            if (QFile::encodeName(name) != QByteArray(n))
                continue;
            if (IdList* item = MakeItemIdList(ItemKind::Entry, name))
                items.emplace_back(item);
        }
        ::closedir(d);
        return {};
    }

    ShellError ParseDisplayName(const QString& text, IdListPtr& rel) const override
    {
        rel.reset();
        const QStringList parts = text.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        if (parts.isEmpty())
            return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
        IdListPtr out(CopyIdList(nullptr));
        QString path = path_;
        for (const QString& part : parts) {
            if (part == QLatin1String("."))
                continue;
            if (!IsSafeItemName(part))
                return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
            path = Join(path, part);
            IdListPtr item(MakeItemIdList(ItemKind::Entry, part));
            out.reset(ConcatIdLists(out.get(), item.get()));
        }
        struct stat st {};
        if (::lstat(Native(path).constData(), &st) != 0)
            return ErrorFromErrno(errno);
        rel = std::move(out);
        return {};
    }

protected:
    bool OwnsItem(const IdList* item) const override
    {
        return ItemKindOf(item) == ItemKind::Entry && IsSafeItemName(ItemName(item));
    }

    QString ChildPath(const IdList* item) const override { return Join(path_, ItemName(item)); }

    ShellError BindToChild(const IdList* item, ShellFolderPtr& folder) const override
    {
        return BindDirectory(abs_.get(), item, ChildPath(item), folder);
    }

public:
    // The folder of the directory at `path`, reached from `parent` through
    // `item`; an error when it is gone or is not a directory.
    static ShellError BindDirectory(const IdList* parent, const IdList* item, const QString& path,
                                    ShellFolderPtr& folder)
    {
        struct stat st {};
        if (::stat(Native(path).constData(), &st) != 0)
            return ErrorFromErrno(errno);
        if (!S_ISDIR(st.st_mode))
            return ErrorFromErrno(ENOTDIR);
        IdListPtr abs(ConcatIdLists(parent, item));
        folder = std::make_shared<DirectoryFolder>(abs.get(), path);
        return {};
    }

protected:
    std::uint32_t ChildAttributes(const IdList* item, std::uint32_t mask) const override
    {
        if (!opened_) {
            opened_ = true;
            dirFd_ = ::open(Native(path_).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            writable_ = Writable(path_);
            removable_ = IsDriveRemovable(path_);
        }
        const QString name = ItemName(item);
        if (dirFd_ < 0)
            return FileSystemAttributesOfPath(ChildPath(item), name, mask, writable_, false);
        return FileSystemAttributes(dirFd_, Native(name), name, mask, writable_, false, removable_);
    }

private:
    mutable bool opened_ = false;
    mutable int dirFd_ = -1;
    mutable bool writable_ = false;
    mutable bool removable_ = false;
};

// The Computer (every drive) or the Network (the remote drives).
class DrivesFolder final : public ShellFolder {
public:
    DrivesFolder(const IdList* abs, bool networkOnly) : ShellFolder(abs, QString()), networkOnly_(networkOnly)
    {}

    ShellError EnumObjects(unsigned flags, std::vector<IdListPtr>& items) const override
    {
        items.clear();
        if (!(flags & SHCONTF_FOLDERS))
            return {};
        const auto table = CurrentDriveTable();
        for (const DriveInfo& d : table->Drives()) {
            if (networkOnly_ && d.type != DriveType::Remote)
                continue;
            items.emplace_back(MakeItemIdList(ItemKind::Drive, d.mountPoint));
        }
        return {};
    }

protected:
    bool OwnsItem(const IdList* item) const override
    {
        return ItemKindOf(item) == ItemKind::Drive && ItemName(item).startsWith(QLatin1Char('/'));
    }
    QString ChildPath(const IdList* item) const override { return QDir::cleanPath(ItemName(item)); }
    ShellError BindToChild(const IdList* item, ShellFolderPtr& folder) const override
    {
        return DirectoryFolder::BindDirectory(abs_.get(), item, ChildPath(item), folder);
    }
    std::uint32_t ChildAttributes(const IdList* item, std::uint32_t mask) const override
    {
        const QString path = ChildPath(item);
        std::uint32_t a = FileSystemAttributesOfPath(path, QString(), mask, false, true);
        a &= ~(SFGAO_HIDDEN | SFGAO_LINK);
        return a & mask;
    }
    QString ChildName(const IdList* item, unsigned flags) const override
    {
        const QString mp = ChildPath(item);
        if (flags & (fnForParsing | fnForAddressBar))
            return mp;
        const auto table = CurrentDriveTable();
        const DriveInfo* d = table->FindByMountPoint(mp);
        if ((flags & fnForEditing) == fnForEditing)
            return d ? d->label : mp;
        return DriveDisplayName(d, mp);
    }
    int KindRank(const IdList* item) const override
    {
        // Drives keep the table's order: "/" first, then by mount point.
        return ItemName(item) == QLatin1String("/") ? 0 : 1;
    }

private:
    bool networkOnly_;
};

QString DesktopDirectoryPath(const NamespaceEnvironment& env);

class TheDesktop final : public ShellFolder {
public:
    TheDesktop() : ShellFolder(nullptr, QString()) {}

    ShellError EnumObjects(unsigned flags, std::vector<IdListPtr>& items) const override
    {
        items.clear();
        if (flags & SHCONTF_FOLDERS) {
            items.emplace_back(MakeItemIdList(ItemKind::Home, QString()));
            items.emplace_back(MakeItemIdList(ItemKind::Computer, QString()));
            items.emplace_back(MakeItemIdList(ItemKind::Network, QString()));
        }
        const QString dir = DesktopDirectoryPath(CurrentNamespaceEnvironment());
        if (dir.isEmpty())
            return {};
        std::vector<IdListPtr> entries;
        DirectoryFolder folder(nullptr, dir);
        if (folder.EnumObjects(flags, entries).ok()) {
            for (auto& e : entries)
                items.push_back(std::move(e));
        }
        return {};
    }

    ShellError ParseDisplayName(const QString& text, IdListPtr& rel) const override
    {
        rel.reset();
        if (text.startsWith(QLatin1Char('/')))
            return IdListFromPath(text, rel);
        const QString dir = DesktopDirectoryPath(CurrentNamespaceEnvironment());
        if (dir.isEmpty())
            return ErrorFromErrno(ENOENT);
        return DirectoryFolder(nullptr, dir).ParseDisplayName(text, rel);
    }

protected:
    bool OwnsItem(const IdList* item) const override
    {
        switch (ItemKindOf(item)) {
        case ItemKind::Home:
        case ItemKind::Computer:
        case ItemKind::Network: return true;
        case ItemKind::Entry: return IsSafeItemName(ItemName(item));
        default: return false;
        }
    }

    QString ChildPath(const IdList* item) const override
    {
        const NamespaceEnvironment& env = CurrentNamespaceEnvironment();
        switch (ItemKindOf(item)) {
        case ItemKind::Home: return env.home;
        case ItemKind::Entry: {
            const QString dir = DesktopDirectoryPath(env);
            return dir.isEmpty() ? QString() : Join(dir, ItemName(item));
        }
        default: return {};
        }
    }

    ShellError BindToChild(const IdList* item, ShellFolderPtr& folder) const override
    {
        IdListPtr abs(ConcatIdLists(nullptr, item));
        switch (ItemKindOf(item)) {
        case ItemKind::Computer: folder = std::make_shared<DrivesFolder>(abs.get(), false); return {};
        case ItemKind::Network: folder = std::make_shared<DrivesFolder>(abs.get(), true); return {};
        default: break;
        }
        const QString path = ChildPath(item);
        if (path.isEmpty())
            return ErrorFromErrno(ENOENT);
        struct stat st {};
        if (::stat(Native(path).constData(), &st) != 0)
            return ErrorFromErrno(errno);
        if (!S_ISDIR(st.st_mode))
            return ErrorFromErrno(ENOTDIR);
        folder = std::make_shared<DirectoryFolder>(abs.get(), path);
        return {};
    }

    std::uint32_t ChildAttributes(const IdList* item, std::uint32_t mask) const override
    {
        switch (ItemKindOf(item)) {
        case ItemKind::Home:
            return FileSystemAttributesOfPath(ChildPath(item), QString(), mask, false, true)
                & ~(SFGAO_HIDDEN | SFGAO_LINK);
        case ItemKind::Computer: return (SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER) & mask;
        case ItemKind::Network: {
            std::uint32_t a = SFGAO_FOLDER;
            const auto table = CurrentDriveTable();
            for (const DriveInfo& d : table->Drives()) {
                if (d.type == DriveType::Remote)
                    a |= SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR;
            }
            return a & mask;
        }
        default: {
            const QString dir = DesktopDirectoryPath(CurrentNamespaceEnvironment());
            return FileSystemAttributesOfPath(ChildPath(item), ItemName(item), mask, Writable(dir), false);
        }
        }
    }

    QString ChildName(const IdList* item, unsigned flags) const override
    {
        switch (ItemKindOf(item)) {
        case ItemKind::Home:
            return (flags & (fnForParsing | fnForAddressBar)) ? ChildPath(item) : ShellString(SHome);
        case ItemKind::Computer: return ShellString(SComputer);
        case ItemKind::Network: return ShellString(SNetwork);
        default: return ShellFolder::ChildName(item, flags);
        }
    }

    int KindRank(const IdList* item) const override
    {
        switch (ItemKindOf(item)) {
        case ItemKind::Home: return 0;
        case ItemKind::Computer: return 1;
        case ItemKind::Network: return 2;
        default: return 3;
        }
    }
};

QString ReadUserDir(const NamespaceEnvironment& env, const QString& key)
{
    QFile f(Join(env.configHome, QStringLiteral("user-dirs.dirs")));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(f.readAll());
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (!line.startsWith(key + QLatin1Char('=')))
            continue;
        QString value = line.mid(key.size() + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        if (value.startsWith(QLatin1String("$HOME")))
            value = env.home + value.mid(5);
        if (!value.startsWith(QLatin1Char('/')))
            return {};
        value = QDir::cleanPath(value);
        // "$HOME" alone means the setting is switched off.
        return value == QDir::cleanPath(env.home) ? QString() : value;
    }
    return {};
}

QString DesktopDirectoryPath(const NamespaceEnvironment& env)
{
    QString dir = ReadUserDir(env, QStringLiteral("XDG_DESKTOP_DIR"));
    if (dir.isEmpty())
        dir = Join(env.home, QStringLiteral("Desktop"));
    struct stat st {};
    return ::stat(Native(dir).constData(), &st) == 0 && S_ISDIR(st.st_mode) ? dir : QString();
}

}  // namespace

QString UserDirectory(const QString& xdgKey)
{
    return ReadUserDir(CurrentNamespaceEnvironment(), xdgKey);
}

QString DesktopDirectory()
{
    return DesktopDirectoryPath(CurrentNamespaceEnvironment());
}

NamespaceEnvironment SystemNamespaceEnvironment()
{
    NamespaceEnvironment env;
    env.home = QDir::cleanPath(qEnvironmentVariable("HOME", QDir::homePath()));
    env.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!env.configHome.startsWith(QLatin1Char('/')))
        env.configHome = Join(env.home, QStringLiteral(".config"));
    env.dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!env.dataHome.startsWith(QLatin1Char('/')))
        env.dataHome = Join(env.home, QStringLiteral(".local/share"));
    return env;
}

const NamespaceEnvironment& CurrentNamespaceEnvironment()
{
    std::lock_guard<std::mutex> lock(gEnvMutex);
    if (!gEnv)
        gEnv = new NamespaceEnvironment(SystemNamespaceEnvironment());
    return *gEnv;
}

void SetNamespaceEnvironment(const NamespaceEnvironment& environment)
{
    std::lock_guard<std::mutex> lock(gEnvMutex);
    // The old one is kept alive: references handed out may still be in use.
    gEnv = new NamespaceEnvironment(environment);
}

ShellFolder::ShellFolder(const IdList* abs, QString path) : abs_(CopyIdList(abs)), path_(std::move(path)) {}

ShellError ShellFolder::BindToObject(const IdList* rel, ShellFolderPtr& folder) const
{
    folder.reset();
    if (!rel || IdListItemCount(rel) == 0)
        return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
    if (!OwnsItem(rel))
        return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
    ShellFolderPtr child;
    ShellError e = BindToChild(rel, child);
    if (!e.ok())
        return e;
    const IdList* rest = NextItem(rel);
    if (rest && IdListItemCount(rest) > 0)
        return child->BindToObject(rest, folder);
    folder = std::move(child);
    return {};
}

ShResult ShellFolder::CompareIDs(int column, const IdList* a, const IdList* b) const
{
    const int ca = IdListItemCount(a);
    const int cb = IdListItemCount(b);
    if (ca == 0 || cb == 0)
        return MakeCompareResult(ca - cb);
    if (!OwnsItem(a) || !OwnsItem(b))
        return E_INVALIDARG_;
    const std::size_t sa = ItemSize(a);
    if (sa == ItemSize(b) && std::memcmp(a, b, sa) == 0) {
        // Same first item: the rest decides, in the child's order.
        const IdList* ra = NextItem(a);
        const IdList* rb = NextItem(b);
        if (IdListItemCount(ra) == 0 || IdListItemCount(rb) == 0)
            return MakeCompareResult(IdListItemCount(ra) - IdListItemCount(rb));
        ShellFolderPtr child;
        IdList* one = static_cast<IdList*>(ShellMemAlloc(sa + 2));
        std::memcpy(one, a, sa);
        one[sa] = one[sa + 1] = 0;
        IdListPtr oneOwner(one);
        if (!BindToObject(one, child).ok())
            return E_FAIL_;
        return child->CompareIDs(column, ra, rb);
    }
    const int ra = KindRank(a);
    const int rb = KindRank(b);
    if (ra != rb)
        return MakeCompareResult(ra - rb);
    const QString na = ItemName(a);
    const QString nb = ItemName(b);
    if (column == 0 && ItemKindOf(a) != ItemKind::Entry)
        return MakeCompareResult(CompareNames(na, nb));
    const EntryStat xa = StatPath(ChildPath(a));
    const EntryStat xb = StatPath(ChildPath(b));
    if (xa.isDir != xb.isDir)
        return MakeCompareResult(xa.isDir ? -1 : 1);
    int c = 0;
    switch (column) {
    case 1: c = xa.size < xb.size ? -1 : xa.size > xb.size ? 1 : 0; break;
    case 2:
        c = QString::compare(FileTypeName(ChildPath(a), xa.isDir), FileTypeName(ChildPath(b), xb.isDir),
                             Qt::CaseInsensitive);
        break;
    case 3: c = xa.mtimeMs < xb.mtimeMs ? -1 : xa.mtimeMs > xb.mtimeMs ? 1 : 0; break;
    default: break;
    }
    return MakeCompareResult(c != 0 ? c : CompareNames(na, nb));
}

ShellError ShellFolder::GetAttributesOf(int count, const IdList* const* items, std::uint32_t& inOut) const
{
    const std::uint32_t mask = inOut;
    if (count <= 0 || !items) {
        // Asking with no items only checks the folder itself still exists.
        if (!path_.isEmpty() && ::access(Native(path_).constData(), F_OK) != 0)
            return ErrorFromErrno(errno);
        return {};
    }
    std::uint32_t all = mask;
    for (int i = 0; i < count; ++i) {
        const IdList* item = items[i];
        if (!item || IdListItemCount(item) != 1 || !OwnsItem(item))
            return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
        if (mask & SFGAO_VALIDATE) {
            const QString path = ChildPath(item);
            struct stat st {};
            if (!path.isEmpty() && ::lstat(Native(path).constData(), &st) != 0)
                return ErrorFromErrno(errno);
        }
        const std::uint32_t a = ChildAttributes(item, mask);
        all &= a | SFGAO_VALIDATE;
    }
    inOut = all & ~SFGAO_VALIDATE;
    return {};
}

std::uint32_t ShellFolder::ChildAttributes(const IdList*, std::uint32_t) const
{
    return 0;
}

QString ShellFolder::ChildName(const IdList* item, unsigned flags) const
{
    const QString name = ItemName(item);
    if ((flags & fnForParsing) && !(flags & fnInFolder))
        return ChildPath(item);
    if ((flags & fnForAddressBar) && !(flags & fnInFolder))
        return ChildPath(item);
    return name;
}

int ShellFolder::KindRank(const IdList*) const
{
    return 0;
}

ShellError ShellFolder::GetDisplayNameOf(const IdList* rel, unsigned flags, QString& name) const
{
    name.clear();
    if (!rel || IdListItemCount(rel) == 0) {
        // The folder names itself only when it is the Desktop.
        if (abs_ && IdListItemCount(abs_.get()) > 0)
            return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
        name = ShellString(SDesktop);
        return {};
    }
    if (!OwnsItem(rel))
        return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
    if (IdListItemCount(rel) > 1) {
        ShellFolderPtr parent;
        TFcIdListArray view(rel);
        IdListPtr up(CopyIdList(view.GoUp(1)));
        ShellError e = BindToObject(up.get(), parent);
        if (!e.ok())
            return e;
        return parent->GetDisplayNameOf(LastItem(rel), flags, name);
    }
    name = ChildName(rel, flags);
    return {};
}

ShellError ShellFolder::ParseDisplayName(const QString&, IdListPtr& rel) const
{
    rel.reset();
    return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
}

ShellError ShellFolder::SetNameOf(const IdList* rel, const QString& newName, IdListPtr& newRel) const
{
    newRel.reset();
    if (!rel || IdListItemCount(rel) != 1 || ItemKindOf(rel) != ItemKind::Entry || !OwnsItem(rel))
        return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
    if (!IsSafeItemName(newName))
        return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
    const QString from = ChildPath(rel);
    IdListPtr item(MakeItemIdList(ItemKind::Entry, newName));
    const QString to = ChildPath(item.get());
    if (from.isEmpty() || to.isEmpty())
        return ErrorFromErrno(ENOENT);
    if (from != to) {
        struct stat st {};
        if (::lstat(Native(to).constData(), &st) == 0)
            return ErrorFromErrno(EEXIST);
        if (::rename(Native(from).constData(), Native(to).constData()) != 0)
            return ErrorFromErrno(errno);
    }
    newRel = std::move(item);
    return {};
}

QString ShellFolder::GetDetailsOf(const IdList* rel, int column) const
{
    static const ShellStringId headings[kColumnCount] = {SColumnName, SColumnSize, SColumnType,
                                                         SColumnModified};
    if (column < 0 || column >= kColumnCount)
        return {};
    if (!rel)
        return ShellString(headings[column]);
    if (IdListItemCount(rel) != 1 || !OwnsItem(rel))
        return {};
    if (column == 0) {
        QString name;
        GetDisplayNameOf(rel, fnInFolder, name);
        return name;
    }
    const QString path = ChildPath(rel);
    if (path.isEmpty())
        return column == 2 ? ShellString(SSystemFolder) : QString();
    const EntryStat s = StatPath(path);
    if (!s.ok)
        return {};
    switch (column) {
    case 1: return s.isDir ? QString() : FormatFileSizeKB(s.size);
    case 2: return FileTypeName(path, s.isDir);
    default: return ModifiedText(s.mtimeMs);
    }
}

ShellFolderPtr DesktopFolder()
{
    static const ShellFolderPtr desktop = std::make_shared<TheDesktop>();
    return desktop;
}

ShResult DesktopCompareAbsolute(const IdList* first, const IdList* second)
{
    const IdList* a = first;
    const IdList* b = second;
    while (true) {
        const std::size_t sa = ItemSize(a);
        const std::size_t sb = ItemSize(b);
        if (sa == 0 || sb == 0)
            return MakeCompareResult(sa == sb ? 0 : sa == 0 ? -1 : 1);
        if (sa == sb && std::memcmp(a, b, sa) == 0) {
            a = NextItem(a);
            b = NextItem(b);
            continue;
        }
        const int ka = static_cast<int>(ItemKindOf(a));
        const int kb = static_cast<int>(ItemKindOf(b));
        if (ka != kb)
            return MakeCompareResult(ka - kb);
        return MakeCompareResult(CompareNames(ItemName(a), ItemName(b)));
    }
}

QString PathOfIdList(const IdList* abs)
{
    if (!abs || IdListItemCount(abs) == 0)
        return {};
    const NamespaceEnvironment& env = CurrentNamespaceEnvironment();
    QString path;
    const IdList* p = abs;
    switch (ItemKindOf(p)) {
    case ItemKind::Home:
        path = env.home;
        p = NextItem(p);
        break;
    case ItemKind::Computer:
    case ItemKind::Network:
        p = NextItem(p);
        if (ItemSize(p) == 0 || ItemKindOf(p) != ItemKind::Drive)
            return {};
        path = ItemName(p);
        if (!path.startsWith(QLatin1Char('/')))
            return {};
        path = QDir::cleanPath(path);
        p = NextItem(p);
        break;
    case ItemKind::Entry:
        path = DesktopDirectoryPath(env);
        if (path.isEmpty())
            return {};
        break;
    default: return {};
    }
    for (; ItemSize(p) != 0; p = NextItem(p)) {
        if (ItemKindOf(p) != ItemKind::Entry)
            return {};
        const QString name = ItemName(p);
        if (!IsSafeItemName(name))
            return {};
        path = Join(path, name);
    }
    return path;
}

ShellError IdListFromPath(const QString& path, IdListPtr& abs)
{
    abs.reset();
    if (!path.startsWith(QLatin1Char('/')))
        return {E_INVALIDARG_, QString::fromLocal8Bit(std::strerror(EINVAL))};
    const QString clean = QDir::cleanPath(path);
    struct stat st {};
    if (::lstat(Native(clean).constData(), &st) != 0)
        return ErrorFromErrno(errno);
    const auto table = CurrentDriveTable();
    const DriveInfo* drive = table->DriveOfPath(clean);
    const QString mount = drive ? drive->mountPoint : QStringLiteral("/");
    // Items are appended in place; one allocation per list.
    QByteArray bytes;
    auto append = [&bytes](ItemKind kind, const QString& name) {
        const QByteArray utf8 = name.toUtf8();
        const int n = 3 + utf8.size();
        bytes.append(static_cast<char>(n & 0xFF));
        bytes.append(static_cast<char>((n >> 8) & 0xFF));
        bytes.append(static_cast<char>(kind));
        bytes.append(utf8);
    };
    append(ItemKind::Computer, QString());
    append(ItemKind::Drive, mount);
    const QString rest = clean.mid(mount == QLatin1String("/") ? 1 : mount.size() + 1);
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        append(ItemKind::Entry, part);
    bytes.append('\0');
    bytes.append('\0');
    auto* out = static_cast<IdList*>(ShellMemAlloc(static_cast<std::size_t>(bytes.size())));
    std::memcpy(out, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    abs.reset(out);
    return {};
}

QString FormatFileSizeKB(std::int64_t size)
{
    const std::int64_t kb = size / 1024 + (size % 1024 ? 1 : 0);
    return FormatS(ShellString(SFilesizeKB), {QLocale().toString(static_cast<qlonglong>(kb))});
}

QString FileTypeName(const QString& path, bool isFolder)
{
    static QMimeDatabase db;
    if (isFolder)
        return db.mimeTypeForName(QStringLiteral("inode/directory")).comment();
    return db.mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment();
}

QString ModifiedText(std::int64_t msecsSinceEpoch)
{
    const QDateTime t = QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch).toLocalTime();
    const QLocale locale;
    return locale.toString(t.date(), QLocale::ShortFormat) + QLatin1Char(' ')
        + locale.toString(t.time(), QLocale::ShortFormat);
}

}  // namespace tw::controls::shell
