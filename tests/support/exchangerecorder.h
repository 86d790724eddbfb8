#pragma once
// Records what the accounting exchange does to the program around it (boxes,
// status texts, cursor, settings, the setup dialog's edition
// choice), in order, so a test can compare the whole story. It counts the
// hourglasses as the main window does: shown while any is held.

#include <QStringList>

#include <string>
#include <vector>

#include "data/services/userinterface.h"
#include "exchange/exchangeservices.h"

namespace tw::test {

class ExchangeRecorder : public exchange::ExchangeMessages,
                         public exchange::ExchangeStatus,
                         public exchange::ExchangeBusyHooks,
                         public exchange::ExchangeSettings,
                         public exchange::SetupEditionView,
                         public data::UserInterface {
public:
    QStringList log;
    QStringList boxes;  // "caption: text"
    int edition = 1;
    int uscan = -1;  // what qbsetup.dbf USCAN holds after the run; -1 never written
    QString companyFile;
    bool accessChecked = false;
    bool permitted = true;
    bool busy = false;
    bool hourglass = false;  // any held
    int hourglasses = 0;
    std::vector<int> hourglassesAtBoxes;  // held while each box was read
    bool editionClickEnabled = true;
    int editionChoice = -1;
    int handlerRuns = 0;  // the dialog's edition handler, when it was allowed to act

    exchange::ExchangeServices Services() { return {*this, *this, *this, *this, *this}; }

    void ShowStopMessage(const QString& text, const QString& caption) override
    {
        boxes << caption + ": " + text;
        hourglassesAtBoxes.push_back(hourglasses);
        log << "box " + caption;
    }
    void ShowStatus(const QString& text) override { log << "status " + text; }
    data::UserInterface& Interface() override { return *this; }
    bool& BusyFlag() override { return busy; }
    void SetBusyCursor(bool on) override
    {
        hourglasses += on ? 1 : -1;  // below 0: one given back that was never shown
        hourglass = hourglasses > 0;
        log << (on ? "hourglass" : "normal cursor");
    }
    // The rest of the user interface is not the exchange's; a box that comes
    // this way is recorded as one all the same.
    void ShowMessage(const std::string& text, const std::string& caption, data::MessageIcon) override
    {
        ShowStopMessage(QString::fromStdString(text), QString::fromStdString(caption));
    }
    void SetStatusText(int, const std::string&) override {}
    std::string StatusText(int) const override { return {}; }
    void Sleep(int) override {}
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
