#include "exchange/qb/localsessionmanager.h"

#include <QFileInfo>

#include "exchange/qb/libraryerror.h"
#include "exchange/qb/xmlcodec.h"

namespace tw::qb {
namespace {

const QString kDoRequests = QStringLiteral("DoRequests");

bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

QString VersionText(const QString& country, int major, int minor)
{
    return (country == u"CA" ? QStringLiteral("CA") : QString())
        + QStringLiteral("%1.%2").arg(major).arg(minor);
}

}  // namespace

Response AnswerRequest(LocalCompany& company, FaultScript& faults, const QString& country, int major,
                       int minor, const QString& requestName, const FieldList& fields, bool checkOrder)
{
    const CompanyData& data = company.Data();
    if (country != data.edition)
        throw LibraryError(
            kDoRequests, code::CountryMismatch,
            QStringLiteral("The request set is for %1 QuickBooks, but the company file is opened "
                           "by %2 QuickBooks")
                .arg(country == u"CA" ? QStringLiteral("Canadian") : QStringLiteral("US"),
                     data.edition == u"CA" ? QStringLiteral("Canadian") : QStringLiteral("US")));
    const QString version = VersionText(country, major, minor);
    if (!data.versions.contains(version))
        throw LibraryError(kDoRequests, code::VersionNotSupported,
                           QStringLiteral("This QuickBooks does not support qbXML %1 (it supports %2)")
                               .arg(version, data.versions.join(QStringLiteral(", "))));
    CheckAgainstFormat(requestName, fields, major, checkOrder);
    Request request = FromFields(requestName, fields);
    if (auto f = faults.Take(Fault::Kind::Status, requestName)) {
        Response r;
        r.RequestName = requestName;
        r.StatusCode = f->status;
        r.StatusSeverity =
            f->status == 0 || f->status == 1 ? QStringLiteral("Info") : QStringLiteral("Error");
        r.StatusMessage = f->message;
        return r;
    }
    return company.Process(request, fields);
}

QString LoopbackTransport::Exchange(const QString& requestXml)
{
    DecodedRequestSet d = DecodeRequestSet(requestXml);
    ResponseSet set;
    set.ResponseList.push_back(
        AnswerRequest(company_, faults_, d.country, d.major, d.minor, d.requestName, d.fields, true));
    return EncodeResponseSet(set);
}

LocalSessionManager::LocalSessionManager(Options options) : options_(std::move(options)) {}

LocalSessionManager::~LocalSessionManager()
{
    Log(QStringLiteral("Release"));
}

void LocalSessionManager::Log(const QString& call)
{
    if (options_.calls)
        options_.calls->append(call);
}

std::optional<std::uint32_t> LocalSessionManager::ScriptedCode(const QString& call)
{
    if (auto f = options_.faults.Take(Fault::Kind::Code, call))
        return f->code;
    return std::nullopt;
}

std::uint32_t LocalSessionManager::OpenConnection(const QString&, const QString&)
{
    Log(QStringLiteral("OpenConnection"));
    if (auto c = ScriptedCode(QStringLiteral("OpenConnection")))
        return *c;
    connected_ = true;
    return code::Ok;
}

std::uint32_t LocalSessionManager::BeginSession(const QString& companyFile, int)
{
    Log(QStringLiteral("BeginSession"));
    failureText_.clear();
    if (auto c = ScriptedCode(QStringLiteral("BeginSession")))
        return *c;
    if (!connected_)
        return code::NoSession;
    QString path;
    if (!options_.openCompany.isEmpty()) {
        if (!companyFile.isEmpty() && !SameFile(companyFile, options_.openCompany))
            return code::WrongCompanyFile;
        path = options_.openCompany;
    } else {
        if (companyFile.isEmpty())
            return code::NotRunning;
        path = companyFile;
    }
    QString error;
    company_ = LocalCompany::Open(path, &error);
    if (!company_) {
        failureText_ = error;
        return code::CompanyFileMissing;
    }
    if (options_.writer)
        company_->SetWriter(options_.writer);
    // The file's own script follows the one the session was given.
    options_.faults.Append(company_->Data().faults);
    return code::Ok;
}

std::uint32_t LocalSessionManager::QBXMLVersionsForSession(QStringList& versions)
{
    Log(QStringLiteral("QBXMLVersionsForSession"));
    if (auto f = options_.faults.TakeAny({Fault::Kind::Code, Fault::Kind::Versions},
                                         QStringLiteral("QBXMLVersionsForSession"))) {
        if (f->kind == Fault::Kind::Code)
            return f->code;
        versions = f->versions;
        return code::Ok;
    }
    if (!company_)
        return code::NoSession;
    versions = company_->Data().versions;
    return code::Ok;
}

std::optional<MsgSetRequest> LocalSessionManager::CreateMsgSetRequest(const QString& country, int major,
                                                                      int minor)
{
    Log(QStringLiteral("CreateMsgSetRequest"));
    if (options_.faults.Take(Fault::Kind::NoSet, QStringLiteral("CreateMsgSetRequest")))
        return std::nullopt;
    const bool refuseAppends =
        options_.faults.Take(Fault::Kind::NoAppend, QStringLiteral("Append")).has_value();
    return MsgSetRequest(country, major, minor, refuseAppends);
}

std::optional<ResponseSet> LocalSessionManager::DoRequests(const MsgSetRequest& set)
{
    Log(QStringLiteral("DoRequests"));
    if (auto f = options_.faults.TakeAny({Fault::Kind::Throw, Fault::Kind::NoResponse}, kDoRequests)) {
        if (f->kind == Fault::Kind::NoResponse)
            return std::nullopt;
        throw LibraryError(kDoRequests, f->code, f->message);
    }
    if (!company_)
        throw LibraryError(kDoRequests, code::NoSession, QStringLiteral("No QuickBooks session is open"));
    if (!set.Request())
        throw LibraryError(kDoRequests, code::ParseError, QStringLiteral("The request set holds no request"));
    if (options_.mode == LinkMode::Xml) {
        LoopbackTransport transport(*company_, options_.faults);
        return DecodeResponseSet(transport.Exchange(EncodeRequestSet(set)));
    }
    const QString name = RequestName(*set.Request());
    ResponseSet out;
    out.ResponseList.push_back(AnswerRequest(*company_, options_.faults, set.Country(), set.Major(),
                                             set.Minor(), name, ToFields(*set.Request()), false));
    return out;
}

std::uint32_t LocalSessionManager::EndSession()
{
    Log(QStringLiteral("EndSession"));
    if (auto c = ScriptedCode(QStringLiteral("EndSession")))
        return *c;
    const bool had = company_ != nullptr;
    company_.reset();
    return had ? code::Ok : code::NoSession;
}

std::uint32_t LocalSessionManager::CloseConnection()
{
    Log(QStringLiteral("CloseConnection"));
    if (auto c = ScriptedCode(QStringLiteral("CloseConnection")))
        return *c;
    const bool had = connected_;
    connected_ = false;
    return had ? code::Ok : code::NoSession;
}

}  // namespace tw::qb
