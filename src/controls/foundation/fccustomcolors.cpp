#include "controls/foundation/fccustomcolors.h"

#include "controls/foundation/fcreginifile.h"

namespace tw::controls {

TFcCustomColors::TFcCustomColors(QObject* owner) : QObject(owner)
{
    InitColors();
}

void TFcCustomColors::InitColors()
{
    colors_.clear();
    for (char c = 'A'; c <= 'P'; ++c)
        colors_ << QStringLiteral("Color%1=FFFFFF").arg(QChar(c));
}

void TFcCustomColors::SetColors(const QStringList& colors)
{
    colors_ = colors;
    FixupColors();
}

void TFcCustomColors::FixupColors()
{
    for (QString& line : colors_) {
        const qsizetype eq = line.indexOf(u'=');
        const QString name = eq < 0 ? line : line.left(eq);
        bool ok = false;
        const uint value = eq < 0 ? 0 : line.mid(eq + 1).trimmed().toUInt(&ok, 16);
        line = name + u'=' + QStringLiteral("%1").arg(ok ? value & 0xFFFFFF : 0, 6, 16, QChar(u'0'));
    }
}

QString TFcCustomColors::GetColorName(int index) const
{
    if (index < 0 || index >= colors_.size())
        return {};
    const QString& line = colors_[index];
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? line : line.left(eq);
}

void TFcCustomColors::Load(const QString& section)
{
    if (!regIniFile_)
        throw EFcError(sFcCannotLoadCustomColors);
    QStringList lines;
    regIniFile_->ReadSectionValues(section, lines);
    colors_ = lines;
    FixupColors();
}

void TFcCustomColors::Save(const QString& section)
{
    if (!regIniFile_)
        throw EFcError(sFcCannotSaveCustomColors);
    for (const QString& line : colors_) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            regIniFile_->WriteString(section, line.left(eq), line.mid(eq + 1));
    }
    regIniFile_->UpdateFile();
}

}  // namespace tw::controls
