#include "controls/shell/fcshellutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::controls::shell {

namespace {

constexpr int kMaxSubstitutions = 50;

bool IsDirectory(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QString ExistingOr(const QString& first, const QString& second = QString())
{
    if (IsDirectory(first))
        return first;
    return IsDirectory(second) ? second : QString();
}

// The folder a special id stands for on this machine; empty when it has none.
QString SpecialFolderPath(TCSIDL csidl)
{
    const NamespaceEnvironment& env = CurrentNamespaceEnvironment();
    switch (csidl) {
    case csidlDesktopDirectory: return DesktopDirectory();
    case csidlPersonal: return ExistingOr(UserDirectory(QStringLiteral("XDG_DOCUMENTS_DIR")), env.home);
    case csidlMyPictures:
        return ExistingOr(UserDirectory(QStringLiteral("XDG_PICTURES_DIR")),
                          env.home + QStringLiteral("/Pictures"));
    case csidlTemplates:
        return ExistingOr(UserDirectory(QStringLiteral("XDG_TEMPLATES_DIR")),
                          env.home + QStringLiteral("/Templates"));
    case csidlAppData:
    case csidlLocalAppData: return ExistingOr(env.dataHome);
    case csidlFonts: return ExistingOr(env.dataHome + QStringLiteral("/fonts"));
    case csidlSendTo: return ExistingOr(env.dataHome + QStringLiteral("/SendTo"));
    case csidlProfile: return ExistingOr(env.home);
    default: return {};
    }
}

}  // namespace

ShellError ShellGetDesktopFolder(ShellFolderPtr& folder)
{
    folder = DesktopFolder();
    return {};
}

ShellError ShellGetFolderFromIdList(const IdList* abs, ShellFolderPtr& folder)
{
    folder.reset();
    if (!abs || IdListItemCount(abs) == 0)
        return ShellGetDesktopFolder(folder);
    return DesktopFolder()->BindToObject(abs, folder);
}

ShellError ShellGetIdListFromPath(const QString& path, IdListPtr& abs)
{
    return DesktopFolder()->ParseDisplayName(path, abs);
}

QString ShellGetPathFromIdList(const IdList* abs)
{
    return PathOfIdList(abs);
}

QString ShellGetDisplayPathName(const QString& path)
{
    IdListPtr list;
    if (!ShellGetIdListFromPath(path, list).ok())
        return {};
    return ShellGetPathFromIdList(list.get());
}

ShellError ShellGetSpecialFolderIdList(TCSIDL csidl, IdListPtr& abs)
{
    abs.reset();
    switch (csidl) {
    case csidlDesktop: abs.reset(CopyIdList(nullptr)); return {};
    case csidlDrives: abs.reset(MakeItemIdList(ItemKind::Computer, QString())); return {};
    case csidlNetwork: abs.reset(MakeItemIdList(ItemKind::Network, QString())); return {};
    default: break;
    }
    const QString path = SpecialFolderPath(csidl);
    if (path.isEmpty())
        return {E_NOTFOUND_, QStringLiteral("The folder is not on this machine.")};
    return IdListFromPath(path, abs);
}

QString ShellGetSpecialFolderPath(TCSIDL csidl)
{
    IdListPtr list;
    if (!ShellGetSpecialFolderIdList(csidl, list).ok())
        return {};
    return ShellGetPathFromIdList(list.get());
}

TCSIDL ShellFindCSIDLFromIdList(const IdList* abs)
{
    for (int i = csidlDesktop; i < csidlNone; ++i) {
        IdListPtr list;
        if (ShellGetSpecialFolderIdList(static_cast<TCSIDL>(i), list).ok()
            && CompareAbsIdLists(list.get(), abs) == 0)
            return static_cast<TCSIDL>(i);
    }
    return csidlNone;
}

bool ShellCSIDLEqualsIdList(const IdList* abs, TCSIDL csidl)
{
    IdListPtr list;
    const ShellError e = ShellGetSpecialFolderIdList(csidl, list);
    if (!e.ok())
        throw std::runtime_error(e.text.toStdString());
    return CompareAbsIdLists(list.get(), abs) == 0;
}

QString ShellGetFriendlyNameFromIdList(const ShellFolder* folder, const IdList* rel, unsigned flags)
{
    const ShellFolderPtr desktop = folder ? nullptr : DesktopFolder();
    QString name;
    if (!(folder ? folder : desktop.get())->GetDisplayNameOf(rel, flags, name).ok())
        return {};
    return name;
}

QString ShellGetFriendlyNameForLastIdListElement(const IdList* abs)
{
    TFcIdListArray view(abs);
    const int count = view.GetCount();
    if (count <= 1)
        return ShellGetFriendlyNameFromIdList(nullptr, abs, fnInFolder);
    ShellFolderPtr parent;
    const ShellError e = ShellGetFolderFromIdList(view.GoUp(1), parent);
    if (!e.ok())
        throw std::runtime_error(e.text.toStdString());
    return ShellGetFriendlyNameFromIdList(parent.get(), view.GetItem(count - 1), fnInFolder);
}

QString EnsureTrailingCharDB(const QString& s, QChar c)
{
    if (s.isEmpty() || s.endsWith(c))
        return s;
    return s + c;
}

QString TrimRightDB(const QString& s)
{
    qsizetype end = s.size();
    while (end > 0 && s[end - 1].unicode() < 33)
        --end;
    return s.left(end);
}

void CopyCharDB(int& index, const QString& s, QString& dest)
{
    const qsizetype i = index - 1;
    if (i < 0 || i >= s.size())
        return;
    // A surrogate pair is one character.
    const int size = s[i].isHighSurrogate() && i + 1 < s.size() ? 2 : 1;
    dest.append(s.mid(i, size));
    index += size;
}

void ParametizeCmdLineDB(const QString& cmdLine, QStringList& list)
{
    enum class State { Between, Unquoted, Quoted } state = State::Between;
    QString current;
    auto finish = [&] {
        const QString arg = TrimRightDB(current);
        if (!arg.isEmpty())
            list.append(arg);
        current.clear();
    };
    int index = 1;
    while (index <= cmdLine.size()) {
        const QChar c = cmdLine[index - 1];
        switch (state) {
        case State::Between:
            if (c == QLatin1Char('"')) {
                state = State::Quoted;
                ++index;
            } else if (c == QLatin1Char('\t') || c == QLatin1Char(' ')) {
                ++index;
            } else {
                state = State::Unquoted;
                CopyCharDB(index, cmdLine, current);
            }
            break;
        case State::Unquoted:
            if (c == QLatin1Char('"') || c == QLatin1Char('\t') || c == QLatin1Char(' ')) {
                finish();
                state = c == QLatin1Char('"') ? State::Quoted : State::Between;
                ++index;
            } else {
                CopyCharDB(index, cmdLine, current);
            }
            break;
        case State::Quoted:
            if (c == QLatin1Char('"')) {
                finish();
                state = State::Between;
                ++index;
            } else {
                CopyCharDB(index, cmdLine, current);
            }
            break;
        }
    }
    finish();
}

QString FormatStrPos(const QString& format, const QStringList& args)
{
    if (format.isEmpty())
        return {};
    if (args.size() > kMaxSubstitutions)
        throw std::runtime_error("FormatStrPos: Too many substitution strings");
    QString out;
    out.reserve(format.size() + 32);
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != QLatin1Char('%') || i + 1 >= format.size()) {
            out.append(c);
            continue;
        }
        const QChar k = format[++i];
        if (k.isDigit()) {
            int n = k.digitValue();
            if (n == 0)
                break;
            if (i + 1 < format.size() && format[i + 1].isDigit())
                n = n * 10 + format[++i].digitValue();
            if (n > args.size())
                return {};
            out.append(args[n - 1]);
        } else if (k == QLatin1Char('n')) {
            out.append(QLatin1Char('\n'));
        } else {
            out.append(k);  // "%%", "%.", "%!" and the like stand for the character
        }
    }
    return out;
}

namespace {

bool IsDesktopLink(const QString& linkFile)
{
    return linkFile.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive);
}

ShResult WriteDesktopLink(const QString& linkFile, const TLinkData& d)
{
    QSaveFile f(linkFile);
    if (!f.open(QIODevice::WriteOnly))
        return ResultFromErrno(EACCES);
    QString text = QStringLiteral("[Desktop Entry]\nType=Link\nName=")
        + QFileInfo(linkFile).completeBaseName() + QStringLiteral("\nURL=")
        + QUrl::fromLocalFile(d.PathName).toString(QUrl::FullyEncoded) + QLatin1Char('\n');
    if (d.Options & ldoUseDesc)
        text += QStringLiteral("Comment=") + d.Description + QLatin1Char('\n');
    if (d.Options & ldoUseIcon)
        text += QStringLiteral("Icon=") + d.IconLocation + QLatin1Char('\n');
    if (d.Options & ldoUseWorkDir)
        text += QStringLiteral("Path=") + d.WorkingDirectory + QLatin1Char('\n');
    f.write(text.toUtf8());
    return f.commit() ? S_OK_ : ResultFromErrno(EIO);
}

}  // namespace

ShResult CreateShortcut(const QString& linkFile, const TLinkData& linkData)
{
    if (linkData.PathName.isEmpty())
        return E_INVALIDARG_;
    if (IsDesktopLink(linkFile))
        return WriteDesktopLink(linkFile, linkData);
    if (::symlink(QFile::encodeName(linkData.PathName).constData(), QFile::encodeName(linkFile).constData())
        != 0)
        return ResultFromErrno(errno);
    return S_OK_;
}

ShResult CreateQuickShortcut(const QString& linkFile, const QString& target)
{
    TLinkData d;
    d.PathName = target;
    d.Options = ldoUseDesc | ldoUseWorkDir;
    d.Description = target;
    d.WorkingDirectory = target.left(target.lastIndexOf(QLatin1Char('/')) + 1);
    return CreateShortcut(linkFile, d);
}

ShResult ResolveShortcut(const QString& linkFile, TLinkData& linkData, bool getIdList)
{
    linkData.IdList.reset();
    const QByteArray native = QFile::encodeName(linkFile);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return ResultFromErrno(errno);
    QString target;
    if (S_ISLNK(st.st_mode)) {
        target = QFile::symLinkTarget(linkFile);
        if (target.isEmpty()) {
            // A link whose target cannot be made absolute: read it as written.
            QByteArray buf(4096, '\0');
            const ssize_t n = ::readlink(native.constData(), buf.data(), static_cast<size_t>(buf.size()));
            if (n < 0)
                return ResultFromErrno(errno);
            target = QDir::cleanPath(QFileInfo(linkFile).absolutePath() + QLatin1Char('/')
                                     + QFile::decodeName(buf.left(static_cast<int>(n))));
        }
        linkData.Description.clear();
        linkData.IconLocation.clear();
        linkData.WorkingDirectory.clear();
    } else if (IsDesktopLink(linkFile)) {
        QFile f(linkFile);
        if (!f.open(QIODevice::ReadOnly))
            return ResultFromErrno(EACCES);
        bool inEntry = false;
        linkData.Description.clear();
        linkData.IconLocation.clear();
        linkData.WorkingDirectory.clear();
        for (const QString& raw : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.startsWith(QLatin1Char('['))) {
                inEntry = line == QLatin1String("[Desktop Entry]");
                continue;
            }
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (!inEntry || eq <= 0)
                continue;
            const QString key = line.left(eq).trimmed();
            const QString value = line.mid(eq + 1).trimmed();
            if (key == QLatin1String("URL"))
                target = QUrl(value).toLocalFile();
            else if (key == QLatin1String("Comment"))
                linkData.Description = value;
            else if (key == QLatin1String("Icon"))
                linkData.IconLocation = value;
            else if (key == QLatin1String("Path"))
                linkData.WorkingDirectory = value;
        }
        if (target.isEmpty())
            return E_FAIL_;
    } else {
        return E_INVALIDARG_;
    }
    linkData.PathName = target;
    linkData.Arguments.clear();
    linkData.IconIndex = 0;
    linkData.ShowCmd = 0;
    linkData.HotKey = 0;
    linkData.Options = kAllLinkDataOptions;
    if (getIdList) {
        IdListPtr list;
        const ShellError e = IdListFromPath(target, list);
        if (!e.ok())
            return e.code;
        linkData.IdList = std::move(list);
    }
    return S_OK_;
}

}  // namespace tw::controls::shell
