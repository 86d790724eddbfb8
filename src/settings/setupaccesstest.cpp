#include "settings/setupaccesstest.h"

#include "data/services/userinterface.h"
#include "exchange/qb/values.h"

#include <memory>
#include <utility>

namespace tw::settings {

namespace {

using StepBox = std::function<void(const char* text, const char* caption)>;

// The link's session manager, reporting the connection and the session once
// they are open; everything else passes straight through.
class StepReportingManager : public qb::SessionManager {
public:
    StepReportingManager(std::unique_ptr<qb::SessionManager> inner, StepBox step)
        : inner_(std::move(inner)),
          step_(std::move(step))
    {}

    std::uint32_t OpenConnection(const QString& appId, const QString& appName) override
    {
        const std::uint32_t code = inner_->OpenConnection(appId, appName);
        if (code == 0)
            step_("OpenConnection succeeded", "Test1");
        return code;
    }
    std::uint32_t BeginSession(const QString& companyFile, int openMode) override
    {
        const std::uint32_t code = inner_->BeginSession(companyFile, openMode);
        if (code == 0)
            step_("BeginSession succeeded", "Test2");
        return code;
    }
    std::uint32_t QBXMLVersionsForSession(QStringList& versions) override
    {
        return inner_->QBXMLVersionsForSession(versions);
    }
    std::optional<qb::MsgSetRequest> CreateMsgSetRequest(const QString& country, int major,
                                                         int minor) override
    {
        return inner_->CreateMsgSetRequest(country, major, minor);
    }
    std::optional<qb::ResponseSet> DoRequests(const qb::MsgSetRequest& set) override
    {
        return inner_->DoRequests(set);
    }
    std::uint32_t EndSession() override { return inner_->EndSession(); }
    std::uint32_t CloseConnection() override { return inner_->CloseConnection(); }
    QString FailureText() const override { return inner_->FailureText(); }

private:
    std::unique_ptr<qb::SessionManager> inner_;
    StepBox step_;
};

}  // namespace

bool RunAccessTest(exchange::ExchangeServices& services,
                   const exchange::QbSessionFrame::ManagerFactory& factory, data::UserInterface& ui,
                   bool showSteps)
{
    const StepBox step = [&](const char* text, const char* caption) {
        if (showSteps)
            ui.ShowMessage(text, caption, data::MessageIcon::Warning);
    };
    exchange::QbSessionFrame frame(services, [&]() -> std::unique_ptr<qb::SessionManager> {
        std::unique_ptr<qb::SessionManager> manager = factory ? factory() : nullptr;
        if (!manager)
            return nullptr;
        return std::make_unique<StepReportingManager>(std::move(manager), step);
    });
    bool verified = false;
    frame.Run(exchange::QbOperation::AccessTest, [&](exchange::QbSession& session) {
        step("verify_qb_edition succeeded", "Test3");
        bool setMade = false;
        const exchange::QbSession::Sent sent = session.Send(
            [&](qb::MsgSetRequest& set) {
                setMade = true;
                step("CreateMsgSetRequest completed", "Test4");
                qb::CustomerQueryRq* query = set.AppendCustomerQueryRq();
                if (query)
                    query->ActiveStatus = qb::ENActiveStatus::ActiveOnly;
                return query != nullptr;
            },
            {.onError = 1});
        if (!setMade)
            return;
        if (sent.outcome != exchange::QbSession::Outcome::NoRequest)
            step("DoRequests completed", "Test5");
        if (!sent.response)
            return;
        step("Found responseMsgSet", "Test6");
        step("Found responseList", "Test7");
        step("Found response", "Test8");
        using Outcome = exchange::QbSession::Outcome;
        if (sent.outcome == Outcome::Found || sent.outcome == Outcome::NothingFound) {
            verified = true;
            ui.ShowMessage("QuickBooks access verified", "Tarnwick", data::MessageIcon::Warning);
        }
    });
    return verified;
}

QString AccessTestStatus(bool verified)
{
    return verified ? QStringLiteral("QuickBooks access verified")
                    : QStringLiteral("QuickBooks access test failed");
}

}  // namespace tw::settings
