#include "controls/foundation/fcreginifile.h"

#include "platform/registry/registry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

namespace tw::controls {

unsigned RegAccessMask(TFcRegAccess access)
{
    static constexpr unsigned masks[] = {0x1, 0x2, 0x4, 0x8, 0x10, 0x20, 0x20019, 0x20006, 0x20019, 0xF003F};
    unsigned mask = 0;
    for (int k = keyQueryValue; k <= keyAllAccess; ++k) {
        if (access & (1u << k))
            mask |= masks[k];
    }
    return mask;
}

TFcRegIniFile::TFcRegIniFile(QObject* owner) : QObject(owner) {}
TFcRegIniFile::~TFcRegIniFile() = default;

void TFcRegIniFile::SetPath(const QString& path)
{
    path_ = path;
    Reopen();
}
void TFcRegIniFile::SetPathType(TFcPathType type)
{
    pathType_ = type;
    Reopen();
}
void TFcRegIniFile::SetRegKey(TFcRegKey key)
{
    regKey_ = key;
    Reopen();
}
void TFcRegIniFile::SetRegAccess(TFcRegAccess access)
{
    regAccess_ = access;
    Reopen();
}

void TFcRegIniFile::Reopen()
{
    if (store_)
        store_->sync();
    reopen_ = true;
}

QSettings& TFcRegIniFile::Store()
{
    if (!reopen_ && store_)
        return *store_;
    store_.reset();
    registryPrefix_.clear();
    if (pathType_ == ptRegistry) {
        QString key = path_;
        if (key.isEmpty()) {
            QString title = QCoreApplication::applicationName();
            if (title.isEmpty())
                title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
            key = QStringLiteral("\\Software\\Temp\\") + title;
        }
        static const char* roots[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
                                      "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                                      "HKEY_DYN_DATA"};
        QStringList parts{QString::fromLatin1(roots[regKey_])};
        for (const QString& p : key.split(u'\\', Qt::SkipEmptyParts))
            parts << p;
        registryPrefix_ = parts.join(u'/');
        const QString folder = QFileInfo(QString::fromStdString(registry::DefaultRegistryPath())).path();
        store_ =
            std::make_unique<QSettings>(folder + QStringLiteral("/components.ini"), QSettings::IniFormat);
    } else {
        QString file = path_;
        if (file.isEmpty()) {
            const QFileInfo program(QCoreApplication::applicationFilePath());
            file = program.path() + u'/' + program.completeBaseName() + QStringLiteral(".ini");
        }
        store_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
    }
    reopen_ = false;
    return *store_;
}

QString TFcRegIniFile::FileName()
{
    return Store().fileName();
}

QString TFcRegIniFile::Group(const QString& section) const
{
    return registryPrefix_.isEmpty() ? section : registryPrefix_ + u'/' + section;
}

QString TFcRegIniFile::Key(const QString& section, const QString& name) const
{
    return Group(section) + u'/' + name;
}

bool TFcRegIniFile::MayWrite() const
{
    return pathType_ == ptIniFile || (RegAccessMask(regAccess_) & 0x2) != 0;
}

bool TFcRegIniFile::SectionExists(const QString& section)
{
    QSettings& s = Store();
    s.beginGroup(Group(section));
    const bool exists = !s.childKeys().isEmpty();
    s.endGroup();
    return exists;
}

bool TFcRegIniFile::ValueExists(const QString& section, const QString& name)
{
    return Store().contains(Key(section, name));
}

bool TFcRegIniFile::ReadBool(const QString& section, const QString& name, bool def)
{
    // Stored as 0 / 1, as the classic ini format does; any other number reads true.
    const QVariant v = Store().value(Key(section, name));
    if (!v.isValid())
        return def;
    bool ok = false;
    const int n = v.toString().toInt(&ok);
    return ok ? n != 0 : def;
}

void TFcRegIniFile::WriteBool(const QString& section, const QString& name, bool value)
{
    WriteString(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

int TFcRegIniFile::ReadInteger(const QString& section, const QString& name, int def)
{
    const QVariant v = Store().value(Key(section, name));
    if (!v.isValid())
        return def;
    const QString text = v.toString().trimmed();
    bool ok = false;
    const int n = text.startsWith(u'$') ? static_cast<int>(text.mid(1).toUInt(&ok, 16)) : text.toInt(&ok, 0);
    return ok ? n : def;
}

void TFcRegIniFile::WriteInteger(const QString& section, const QString& name, int value)
{
    WriteString(section, name, QString::number(value));
}

QString TFcRegIniFile::ReadString(const QString& section, const QString& name, const QString& def)
{
    const QVariant v = Store().value(Key(section, name));
    return v.isValid() ? v.toString() : def;
}

void TFcRegIniFile::WriteString(const QString& section, const QString& name, const QString& value)
{
    if (!MayWrite())
        throw EFcError("The settings key was opened without write access");
    Store().setValue(Key(section, name), value);
}

double TFcRegIniFile::ReadFloat(const QString& section, const QString& name, double def)
{
    const QVariant v = Store().value(Key(section, name));
    if (!v.isValid())
        return def;
    bool ok = false;
    const double d = v.toString().toDouble(&ok);
    return ok ? d : def;
}

void TFcRegIniFile::WriteFloat(const QString& section, const QString& name, double value)
{
    WriteString(section, name, QString::number(value, 'g', 17));
}

TDateTime TFcRegIniFile::ReadDate(const QString& s, const QString& n, TDateTime d)
{
    return ReadFloat(s, n, d);
}
void TFcRegIniFile::WriteDate(const QString& s, const QString& n, TDateTime v)
{
    WriteFloat(s, n, DatePart(v));
}
TDateTime TFcRegIniFile::ReadTime(const QString& s, const QString& n, TDateTime d)
{
    return ReadFloat(s, n, d);
}
void TFcRegIniFile::WriteTime(const QString& s, const QString& n, TDateTime v)
{
    WriteFloat(s, n, TimePart(v));
}
TDateTime TFcRegIniFile::ReadDateTime(const QString& s, const QString& n, TDateTime d)
{
    return ReadFloat(s, n, d);
}
void TFcRegIniFile::WriteDateTime(const QString& s, const QString& n, TDateTime v)
{
    WriteFloat(s, n, v);
}

void TFcRegIniFile::ReadSection(const QString& section, QStringList& names)
{
    QSettings& s = Store();
    s.beginGroup(Group(section));
    names = s.childKeys();
    s.endGroup();
}

void TFcRegIniFile::ReadSections(QStringList& sections)
{
    QSettings& s = Store();
    if (!registryPrefix_.isEmpty())
        s.beginGroup(registryPrefix_);
    sections = s.childGroups();
    if (!registryPrefix_.isEmpty())
        s.endGroup();
}

void TFcRegIniFile::ReadSectionValues(const QString& section, QStringList& lines)
{
    QSettings& s = Store();
    s.beginGroup(Group(section));
    lines.clear();
    for (const QString& name : s.childKeys())
        lines << name + u'=' + s.value(name).toString();
    s.endGroup();
}

void TFcRegIniFile::EraseSection(const QString& section)
{
    if (!MayWrite())
        throw EFcError("The settings key was opened without write access");
    Store().remove(Group(section));
}

void TFcRegIniFile::DeleteKey(const QString& section, const QString& name)
{
    if (!MayWrite())
        throw EFcError("The settings key was opened without write access");
    Store().remove(Key(section, name));
}

void TFcRegIniFile::UpdateFile()
{
    QSettings& s = Store();
    s.sync();
    if (s.status() != QSettings::NoError)
        throw EFcError(
            QStringLiteral("The settings file %1 could not be written").arg(s.fileName()).toStdString());
}

}  // namespace tw::controls
