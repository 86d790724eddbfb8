#pragma once
// The frame of every QuickBooks exchange: one short session that the
// operation opens, uses for one or a few request sets and closes before
// control returns to the user.
//
//   QbSessionFrame frame(services, [&] { return qb::CreateSessionManager(registry); });
//   frame.Run(QbOperation::EmployeeImport, [&](QbSession& session) {
//       auto sent = session.Send([](qb::MsgSetRequest& set) { ... append and fill ... },
//                                {.onError = 1, .nothingFoundText = "No QuickBooks employees found"});
//       ...
//   });
//
// Once BeginSession has succeeded, every way out (a refusal, the end of the
// work, a library error or a database error thrown from the work) ends the
// session, closes the connection, gives back the hourglass and shows at most
// one box; the busy flag is put back by the work's own data::BusyScope as the
// error passes it. Records the work posted stay posted.

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "exchange/exchangeservices.h"
#include "exchange/qb/sessionmanager.h"

namespace tw::exchange {

inline constexpr const char* kQBApplicationId = "48213957";
inline constexpr const char* kQBApplicationName = "Tarnwick";
inline constexpr int kQBXMLMajorVersion = 3;  // TMainScreen::QBXMLMajorVersion for both countries

enum class QbOperation {
    CustomerJobList,
    EmployeeImport,
    Customers,
    FieldDefinitions,
    ExportRun,
    AccessTest
};

struct QbOperationStyle {
    QString statusText;  // empty: none shown
    bool hourglass = true;
};
QbOperationStyle StyleOf(QbOperation operation);

// The text of a failing library call, as the user reads it.
QString QbLibraryFailureText(const QString& call, const QString& text);

// The open session, as the work step sees it.
class QbSession {
public:
    enum class Outcome {
        NoSet,         // CreateMsgSetRequest gave none: nothing sent
        NoRequest,     // the append gave none: nothing sent
        Thrown,        // DoRequests raised an error and the caller catches it
        NoResponse,    // no response set, list or response
        Found,         // status 0
        NothingFound,  // status 1
        Error,         // any other status; its box has been shown
    };
    struct Sent {
        Outcome outcome = Outcome::NoSet;
        std::optional<qb::Response> response;  // the first response, when there is one
    };
    struct Rules {
        std::optional<int> onError;  // the set's OnError; unset leaves the attribute alone
        // Status 1's advisory ("No QuickBooks customers found"); empty: no box.
        QString nothingFoundText;
        // Whether an error raised by DoRequests is caught (Outcome::Thrown, no
        // message) or ends the operation through the frame's guard.
        bool catchThrow = false;
    };

    QbSession(qb::SessionManager& manager, QString country, ExchangeServices& services)
        : manager_(manager),
          country_(std::move(country)),
          services_(services)
    {}

    qb::SessionManager& Manager() { return manager_; }
    const QString& Country() const { return country_; }
    ExchangeServices& Services() { return services_; }

    // One request set: create it (country, qbXML 3.0), set OnError, let fill
    // append and fill its one request (false: the append gave none), send it
    // and apply the status rules to the first response.
    Sent Send(const std::function<bool(qb::MsgSetRequest&)>& fill, const Rules& rules);

private:
    qb::SessionManager& manager_;
    QString country_;
    ExchangeServices& services_;
};

class QbSessionFrame {
public:
    using ManagerFactory = std::function<std::unique_ptr<qb::SessionManager>()>;

    QbSessionFrame(ExchangeServices& services, ManagerFactory factory)
        : services_(services),
          factory_(std::move(factory))
    {}

    // Runs the work inside a session; true when the work ran to its end.
    bool Run(QbOperation operation, const std::function<void(QbSession&)>& work);

private:
    ExchangeServices& services_;
    ManagerFactory factory_;
};

}  // namespace tw::exchange
