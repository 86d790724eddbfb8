#pragma once
// The sixteen user colours of the colour pickers, kept as "name=RRGGBB" lines
// (six hex digits) in a settings store.

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace tw::controls {

class TFcRegIniFile;

class TFcCustomColors : public QObject {
    Q_OBJECT
public:
    explicit TFcCustomColors(QObject* owner = nullptr);

    const QStringList& Colors() const { return colors_; }
    void SetColors(const QStringList& colors);
    TFcRegIniFile* RegIniFile() const { return regIniFile_; }
    void SetRegIniFile(TFcRegIniFile* value) { regIniFile_ = value; }

    // "ColorA=FFFFFF" ... "ColorP=FFFFFF".
    void InitColors();
    // Every value rewritten as six hex digits; a value that is no hex number
    // becomes 000000.
    void FixupColors();
    QString GetColorName(int index) const;
    // Throw EFcError without a RegIniFile; nothing is changed then.
    void Load(const QString& section);
    void Save(const QString& section);

private:
    QStringList colors_;
    QPointer<TFcRegIniFile> regIniFile_;
};

}  // namespace tw::controls
