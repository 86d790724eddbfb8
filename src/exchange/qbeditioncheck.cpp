#include "exchange/qbeditioncheck.h"

#include <QStringList>

namespace tw::exchange {
namespace {

void SwitchEdition(ExchangeServices& s, int edition)
{
    // The dialog's own edition handling would clear the flag we are about to set.
    s.setup.SetEditionClickEnabled(false);
    s.setup.SetEditionChoice(edition);
    s.setup.SetEditionClickEnabled(true);
    s.settings.SetQBEdition(edition);
    s.settings.WriteUSCAN(edition);
}

}  // namespace

QString QBVersionsForSession(SetupEditionView& setup, qb::SessionManager& manager)
{
    QStringList versions;
    if (manager.QBXMLVersionsForSession(versions) != 0) {
        setup.ShowVersionsStatus(QStringLiteral("QBXMLVersionsForSession failed"));
        return QStringLiteral("get failed");
    }
    QStringList shown;
    QString code;
    for (const QString& v : versions) {
        shown << v;
        if (v.size() < 3)
            continue;
        if (v.left(3) == u"1.0") {
            code = QStringLiteral("US1");
            break;
        }
        if (v.left(3) == u"CA2") {
            code = QStringLiteral("CA2");
            break;
        }
    }
    setup.ShowVersionsStatus(shown.join(QStringLiteral(", ")));
    return code;
}

bool VerifyQBEdition(ExchangeServices& s, qb::SessionManager& manager)
{
    if (s.settings.QBAccessChecked())
        return true;
    const QString code = QBVersionsForSession(s.setup, manager);
    if (code == u"get failed") {
        s.messages.ShowStopMessage(QStringLiteral("get versions failed"),
                                   QStringLiteral("QuickBooks advisory"));
        return false;
    }
    if (code.startsWith(u"US")) {
        if (s.settings.QBEdition() == 0)
            SwitchEdition(s, 1);
    } else if (code.startsWith(u"CA")) {
        if (s.settings.QBEdition() == 1)
            SwitchEdition(s, 0);
    } else {
        s.messages.ShowStopMessage(
            QStringLiteral("An edition of QuickBooks is installed that is not supported by Tarnwick"),
            QStringLiteral("Tarnwick setup error"));
        return false;
    }
    s.settings.SetQBAccessChecked(true);
    return true;
}

}  // namespace tw::exchange
