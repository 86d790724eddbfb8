#pragma once
// The edition check of a QuickBooks session (TQMSetup::verify_qb_edition
// with QBVersionsForSession): the first successful check of a run asks the
// company file's QuickBooks for its qbXML versions, corrects the edition
// between US and Canada to match, and sets QBAccessChecked; later sessions
// pass at once until the setup dialog clears the flag.

#include <QString>

#include "exchange/exchangeservices.h"
#include "exchange/qb/sessionmanager.h"

namespace tw::exchange {

// The edition code of the versions the session supports: "US1" (a version
// beginning "1.0"), "CA2" (one beginning "CA2"), "get failed", or empty.
// The versions up to the deciding one (or "QBXMLVersionsForSession failed")
// go to the setup dialog's status bar.
QString QBVersionsForSession(SetupEditionView& setup, qb::SessionManager& manager);

// True when the session may be used; on false it has shown its own message.
bool VerifyQBEdition(ExchangeServices& services, qb::SessionManager& manager);

}  // namespace tw::exchange
