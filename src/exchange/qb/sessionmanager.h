#pragma once
// The accounting library's session manager, as the program calls it. Result
// codes are 0 for success; DoRequests throws LibraryError where the library
// raises an error. The only implementation is the local company
// (localsessionmanager.h); a real product would be another one.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

#include "exchange/qb/msgsetrequest.h"
#include "exchange/qb/responses.h"

namespace tw::qb {

// The open mode that accepts the company file in whichever user mode the product has it open.
inline constexpr int kOpenModeAny = 2;

class SessionManager {
public:
    virtual ~SessionManager() = default;

    virtual std::uint32_t OpenConnection(const QString& appId, const QString& appName) = 0;
    virtual std::uint32_t BeginSession(const QString& companyFile, int openMode) = 0;
    virtual std::uint32_t QBXMLVersionsForSession(QStringList& versions) = 0;
    virtual std::optional<MsgSetRequest> CreateMsgSetRequest(const QString& country, int major,
                                                             int minor) = 0;
    virtual std::optional<ResponseSet> DoRequests(const MsgSetRequest& set) = 0;
    virtual std::uint32_t EndSession() = 0;
    virtual std::uint32_t CloseConnection() = 0;
    // What the last failing connection or session call knows beyond its code
    // (which company file could not be read, and why); empty when nothing.
    virtual QString FailureText() const { return {}; }
};

}  // namespace tw::qb
