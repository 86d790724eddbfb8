#pragma once
// Builds the local company's fault script in a test:
//   auto faults = tw::test::QbFaults().Code("BeginSession", 0x8004040A).Status("CustomerQueryRq", 1,
//   "").Build();

#include <initializer_list>

#include "exchange/qb/faultscript.h"

namespace tw::test {

class QbFaults {
public:
    QbFaults& Code(const char* call, std::uint32_t code)
    {
        return Add({qb::Fault::Kind::Code, QString::fromLatin1(call), code, {}, 0, {}});
    }
    QbFaults& Versions(std::initializer_list<const char*> versions)
    {
        QStringList list;
        for (const char* v : versions)
            list << QString::fromLatin1(v);
        return Add({qb::Fault::Kind::Versions, QStringLiteral("QBXMLVersionsForSession"), 0, list, 0, {}});
    }
    QbFaults& Status(const char* request, int status, const QString& message)
    {
        return Add({qb::Fault::Kind::Status, QString::fromLatin1(request), 0, {}, status, message});
    }
    QbFaults& Throw(std::uint32_t code, const QString& message)
    {
        return Add({qb::Fault::Kind::Throw, QStringLiteral("DoRequests"), code, {}, 0, message});
    }
    QbFaults& NoSet()
    {
        return Add({qb::Fault::Kind::NoSet, QStringLiteral("CreateMsgSetRequest"), 0, {}, 0, {}});
    }
    QbFaults& NoAppend() { return Add({qb::Fault::Kind::NoAppend, QStringLiteral("Append"), 0, {}, 0, {}}); }
    QbFaults& NoResponse()
    {
        return Add({qb::Fault::Kind::NoResponse, QStringLiteral("DoRequests"), 0, {}, 0, {}});
    }

    qb::FaultScript Build() const { return script_; }

private:
    QbFaults& Add(qb::Fault f)
    {
        script_.Add(std::move(f));
        return *this;
    }
    qb::FaultScript script_;
};

}  // namespace tw::test
