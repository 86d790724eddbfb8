#pragma once
// The component library's settings store: an .ini file, or a "registry key"
// (on this platform an .ini file of its own in the user's config folder,
// beside the program's registry file, with the key path as the section
// prefix). It opens lazily and again after any change of its properties.

#include "platform/datetime/datetime.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <stdexcept>

class QSettings;

namespace tw::controls {

// The library's general exception.
class EFcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Defined in this unit; nothing here raises it.
class EInvalidFieldType : public EFcError {
public:
    using EFcError::EFcError;
};

inline constexpr const char* sFcNoRegIniFile = "No TFcRegIniFile component specified";
inline constexpr const char* sFcCannotLoadCustomFraming =
    "Cannot load Custom Framing settings--No TFcRegIniFile component specified";
inline constexpr const char* sFcCannotSaveCustomFraming =
    "Cannot save Custom Framing settings--No TFcRegIniFile component specified";
inline constexpr const char* sFcCannotLoadCustomColors =
    "Cannot load Custom Colors--No TFcRegIniFile component specified";
inline constexpr const char* sFcCannotSaveCustomColors =
    "Cannot save Custom Colors--No TFcRegIniFile component specified";
inline constexpr const char* sFcCannotRestoreFormState =
    "Cannot restore Form State--No TFcRegIniFile component specified";
inline constexpr const char* sFcCannotSaveFormState =
    "Cannot save Form State--No TFcRegIniFile component specified";

enum TFcPathType { ptIniFile, ptRegistry };
enum TFcRegKey {
    hkeyClassesRoot,
    hkeyCurrentUser,
    hkeyLocalMachine,
    hkeyUsers,
    hkeyPerformanceData,
    hkeyCurrentConfig,
    hkeyDynData
};
enum TFcRegAccessKey {
    keyQueryValue,
    keySetValue,
    keyCreateSubKey,
    keyEnumerateSubKeys,
    keyNotify,
    keyCreateLink,
    keyRead,
    keyWrite,
    keyExecute,
    keyAllAccess
};
using TFcRegAccess = unsigned;  // one bit per TFcRegAccessKey
inline constexpr TFcRegAccess RegAccessBit(TFcRegAccessKey k)
{
    return 1u << k;
}
// The access mask of a set of access keys (OR of each member's mask).
unsigned RegAccessMask(TFcRegAccess access);

class TFcRegIniFile : public QObject {
    Q_OBJECT
public:
    explicit TFcRegIniFile(QObject* owner = nullptr);
    ~TFcRegIniFile() override;

    QString Path() const { return path_; }
    void SetPath(const QString& path);
    TFcPathType PathType() const { return pathType_; }
    void SetPathType(TFcPathType type);
    TFcRegKey RegKey() const { return regKey_; }
    void SetRegKey(TFcRegKey key);
    TFcRegAccess RegAccess() const { return regAccess_; }
    void SetRegAccess(TFcRegAccess access);

    // The file the store uses now (opening it when needed).
    QString FileName();

    bool SectionExists(const QString& section);
    bool ValueExists(const QString& section, const QString& name);
    bool ReadBool(const QString& section, const QString& name, bool def);
    void WriteBool(const QString& section, const QString& name, bool value);
    int ReadInteger(const QString& section, const QString& name, int def);
    void WriteInteger(const QString& section, const QString& name, int value);
    QString ReadString(const QString& section, const QString& name, const QString& def);
    void WriteString(const QString& section, const QString& name, const QString& value);
    double ReadFloat(const QString& section, const QString& name, double def);
    void WriteFloat(const QString& section, const QString& name, double value);
    // Dates and times are kept as their day numbers, never as locale texts.
    TDateTime ReadDate(const QString& section, const QString& name, TDateTime def);
    void WriteDate(const QString& section, const QString& name, TDateTime value);
    TDateTime ReadTime(const QString& section, const QString& name, TDateTime def);
    void WriteTime(const QString& section, const QString& name, TDateTime value);
    TDateTime ReadDateTime(const QString& section, const QString& name, TDateTime def);
    void WriteDateTime(const QString& section, const QString& name, TDateTime value);
    void ReadSection(const QString& section, QStringList& names);
    void ReadSections(QStringList& sections);
    void ReadSectionValues(const QString& section, QStringList& lines);
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& name);
    // Writes pending changes to the file.
    void UpdateFile();

private:
    QSettings& Store();
    QString Key(const QString& section, const QString& name) const;
    QString Group(const QString& section) const;
    bool MayWrite() const;
    void Reopen();

    QString path_;
    TFcPathType pathType_ = ptIniFile;
    TFcRegKey regKey_ = hkeyCurrentUser;
    TFcRegAccess regAccess_ = RegAccessBit(keyAllAccess);
    std::unique_ptr<QSettings> store_;
    QString registryPrefix_;
    bool reopen_ = true;
};

}  // namespace tw::controls
