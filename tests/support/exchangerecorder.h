#pragma once
// Records what the accounting exchange does to the program around it (boxes,
// status texts, cursor, settings, the setup dialog's edition
// choice), in order, so a test can compare the whole story.

#include <QStringList>

#include "exchange/exchangeservices.h"

namespace tw::test {

class ExchangeRecorder : public exchange::ExchangeMessages,
                         public exchange::ExchangeStatus,
                         public exchange::ExchangeBusyHooks,
                         public exchange::ExchangeSettings,
                         public exchange::SetupEditionView {
public:
    QStringList log;
    QStringList boxes;  // "caption: text"
    int edition = 1;
    int uscan = -1;  // what qbsetup.dbf USCAN holds after the run; -1 never written
    QString companyFile;
    bool accessChecked = false;
    bool permitted = true;
    bool busy = false;
    bool hourglass = false;
    bool editionClickEnabled = true;
    int editionChoice = -1;
    int handlerRuns = 0;  // the dialog's edition handler, when it was allowed to act

    exchange::ExchangeServices Services() { return {*this, *this, *this, *this, *this}; }

    void ShowStopMessage(const QString& text, const QString& caption) override
    {
        boxes << caption + ": " + text;
        log << "box " + caption;
    }
    void ShowStatus(const QString& text) override { log << "status " + text; }
    void SetHourglass(bool on) override
    {
        hourglass = on;
        log << (on ? "hourglass" : "normal cursor");
    }
    bool& BusyFlag() override { return busy; }
    int QBEdition() const override { return edition; }
    void SetQBEdition(int e) override { edition = e; }
    void WriteUSCAN(int e) override
    {
        uscan = e;
        log << QStringLiteral("USCAN %1").arg(e);
    }
    QString QBCompanyFile() const override { return companyFile; }
    bool QBAccessChecked() const override { return accessChecked; }
    void SetQBAccessChecked(bool c) override { accessChecked = c; }
    bool QBAccessPermitted() override
    {
        log << "access permitted?";
        return permitted;
    }
    void ShowVersionsStatus(const QString& text) override { log << "versions " + text; }
    void SetEditionClickEnabled(bool enabled) override { editionClickEnabled = enabled; }
    void SetEditionChoice(int item) override
    {
        editionChoice = item;
        log << QStringLiteral("edition choice %1").arg(item);
        // The dialog's OnClick handler runs on a programmatic change unless held off.
        if (editionClickEnabled) {
            ++handlerRuns;
            if (item != edition)
                accessChecked = false;
            edition = item;
        }
    }
};

}  // namespace tw::test
