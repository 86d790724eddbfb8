#pragma once
// The session manager of the local company. "QB open company" plays the
// company file the product has open: an empty path passed to BeginSession
// (automatic access) opens it and another path gets the wrong-file code;
// with none open, a path opens its file and an empty one gets the
// not-running code. A missing or damaged file is refused at BeginSession,
// with a text naming the file.
//
// Two links reach the same company: typed (requests handed over as they
// are) and XML (each set written in the product's request format, answered
// through a loopback transport and read back), which proves the codec on
// every exchange.

#include <memory>

#include "exchange/qb/faultscript.h"
#include "exchange/qb/localcompany.h"
#include "exchange/qb/sessionmanager.h"

namespace tw::qb {

enum class LinkMode { Typed, Xml };

// Answers an XML request set with an XML response set (the product's side of
// the exchange). Throws LibraryError where the product refuses the text.
class LoopbackTransport {
public:
    explicit LoopbackTransport(LocalCompany& company, FaultScript& faults)
        : company_(company),
          faults_(faults)
    {}
    QString Exchange(const QString& requestXml);

private:
    LocalCompany& company_;
    FaultScript& faults_;
};

class LocalSessionManager : public SessionManager {
public:
    struct Options {
        LinkMode mode = LinkMode::Typed;
        QString openCompany;  // the file the product has open; empty when none
        FaultScript faults;
        // Every call as it is made (and "Release" when the manager goes), for tests.
        std::shared_ptr<QStringList> calls;
        CompanyFileWriter writer;  // empty: the ordinary file writer
    };
    explicit LocalSessionManager(Options options);
    ~LocalSessionManager() override;

    std::uint32_t OpenConnection(const QString& appId, const QString& appName) override;
    std::uint32_t BeginSession(const QString& companyFile, int openMode) override;
    std::uint32_t QBXMLVersionsForSession(QStringList& versions) override;
    std::optional<MsgSetRequest> CreateMsgSetRequest(const QString& country, int major, int minor) override;
    std::optional<ResponseSet> DoRequests(const MsgSetRequest& set) override;
    std::uint32_t EndSession() override;
    std::uint32_t CloseConnection() override;
    QString FailureText() const override { return failureText_; }

    // The company of the session, for tests; nullptr outside a session.
    LocalCompany* Company() { return company_.get(); }

private:
    void Log(const QString& call);
    std::optional<std::uint32_t> ScriptedCode(const QString& call);

    Options options_;
    bool connected_ = false;
    std::unique_ptr<LocalCompany> company_;
    QString failureText_;
};

// The product's checks of a request set and its answer: country and version
// against the company, each element's format version, then the company's
// answer (or a scripted status). Shared by both links.
Response AnswerRequest(LocalCompany& company, FaultScript& faults, const QString& country, int major,
                       int minor, const QString& requestName, const FieldList& fields, bool checkOrder);

}  // namespace tw::qb
