#include "exchange/qbsessionframe.h"

#include <exception>
#include <optional>

#include "data/services/busyscopes.h"
#include "exchange/qb/errortext.h"
#include "exchange/qb/libraryerror.h"
#include "exchange/qbeditioncheck.h"

namespace tw::exchange {
namespace {

const QString kAdvisory = QStringLiteral("QuickBooks advisory");
const QString kQuickBooksError = QStringLiteral("QuickBooks error");

}  // namespace

QString QbLibraryFailureText(const QString& call, const QString& text)
{
    return QStringLiteral("The QuickBooks call %1 failed: %2").arg(call, text);
}

QbOperationStyle StyleOf(QbOperation operation)
{
    const QString accessing = QStringLiteral("Accessing QuickBooks");
    switch (operation) {
    case QbOperation::CustomerJobList: return {QStringLiteral("Accessing QuickBooks customer list"), true};
    case QbOperation::EmployeeImport: return {accessing, true};
    case QbOperation::Customers: return {QString(), true};
    case QbOperation::FieldDefinitions: return {accessing, false};
    case QbOperation::ExportRun: return {accessing, true};
    case QbOperation::AccessTest: return {accessing, true};
    }
    return {accessing, true};
}

QbSession::Sent QbSession::Send(const std::function<bool(qb::MsgSetRequest&)>& fill, const Rules& rules)
{
    Sent sent;
    std::optional<qb::MsgSetRequest> set = manager_.CreateMsgSetRequest(country_, kQBXMLMajorVersion, 0);
    if (!set) {
        sent.outcome = Outcome::NoSet;
        return sent;
    }
    if (rules.onError)
        set->OnError = rules.onError;
    if (!fill(*set) || !set->Request()) {
        sent.outcome = Outcome::NoRequest;
        return sent;
    }
    std::optional<qb::ResponseSet> responses;
    try {
        responses = manager_.DoRequests(*set);
    } catch (const qb::LibraryError&) {
        if (!rules.catchThrow)
            throw;
        sent.outcome = Outcome::Thrown;
        return sent;
    }
    if (!responses || responses->ResponseList.empty()) {
        sent.outcome = Outcome::NoResponse;
        return sent;
    }
    sent.response = responses->ResponseList.front();
    const int code = sent.response->StatusCode;
    if (code == 0) {
        sent.outcome = Outcome::Found;
    } else if (code == 1) {
        sent.outcome = Outcome::NothingFound;
        if (!rules.nothingFoundText.isEmpty())
            services_.messages.ShowStopMessage(rules.nothingFoundText, kAdvisory);
    } else {
        sent.outcome = Outcome::Error;
        services_.messages.ShowStopMessage(sent.response->StatusMessage.value_or(QString()),
                                           kQuickBooksError);
    }
    return sent;
}

bool QbSessionFrame::Run(QbOperation operation, const std::function<void(QbSession&)>& work)
{
    if (!services_.settings.QBAccessPermitted())
        return false;
    const QbOperationStyle style = StyleOf(operation);
    // Given back before any box of the frame's own, so that the box is read
    // under the normal cursor; the destructor gives it back on every other way
    // out. The busy flag is the work's: its steps hold it in scopes of their own.
    std::optional<data::BusyScope> hourglass;
    if (style.hourglass)
        hourglass.emplace(services_.busy.Interface());
    if (!style.statusText.isEmpty())
        services_.status.ShowStatus(style.statusText);

    std::unique_ptr<qb::SessionManager> manager = factory_ ? factory_() : nullptr;
    if (!manager) {
        hourglass.reset();
        services_.messages.ShowStopMessage(QStringLiteral("The QuickBooks interface is not installed"),
                                           kAdvisory);
        return false;
    }
    // What the user reads after the session is closed: at most one box.
    QString boxText, boxCaption;
    bool completed = false;
    bool connected = false;
    bool begun = false;
    try {
        const std::uint32_t opened = manager->OpenConnection(QString::fromLatin1(kQBApplicationId),
                                                             QString::fromLatin1(kQBApplicationName));
        if (opened != 0) {
            hourglass.reset();
            services_.messages.ShowStopMessage(qb::QuickBooksErrorText(opened),
                                               QStringLiteral("Unable to connect to QuickBooks"));
            return false;
        }
        connected = true;
        const std::uint32_t began =
            manager->BeginSession(services_.settings.QBCompanyFile(), qb::kOpenModeAny);
        if (began != 0) {
            hourglass.reset();
            // The code's own text would ask for a company file when one is set but cannot be read.
            const QString known = manager->FailureText();
            services_.messages.ShowStopMessage(known.isEmpty() ? qb::QuickBooksErrorText(began) : known,
                                               QStringLiteral("Unable to establish QuickBooks session"));
            manager->CloseConnection();
            return false;
        }
        begun = true;
        if (VerifyQBEdition(services_, *manager)) {
            const int edition = services_.settings.QBEdition();
            if (edition == 0 || edition == 1) {
                QbSession session(*manager, edition == 0 ? QStringLiteral("CA") : QStringLiteral("US"),
                                  services_);
                work(session);
                completed = true;
            } else {
                boxText = QStringLiteral("Only US and Canadian QuickBooks are supported by Tarnwick");
                boxCaption = kAdvisory;
            }
        }
    } catch (const qb::LibraryError& e) {
        boxText = QbLibraryFailureText(e.Call(), e.Text());
        boxCaption = kQuickBooksError;
    } catch (const std::exception& e) {
        boxText = QString::fromLocal8Bit(e.what());
        boxCaption = QStringLiteral("Tarnwick");
    }
    if (begun) {
        // Each closing call is made even when the one before it fails.
        try {
            manager->EndSession();
        } catch (...) {
        }
    }
    if (connected) {
        try {
            manager->CloseConnection();
        } catch (...) {
        }
    }
    manager.reset();
    hourglass.reset();
    if (!boxCaption.isEmpty())
        services_.messages.ShowStopMessage(boxText, boxCaption);
    return completed;
}

}  // namespace tw::exchange
