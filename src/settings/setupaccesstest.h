#pragma once
// The accounting page's access test: a session opened exactly as every
// exchange opens one (the accounting link's frame, QbOperation::AccessTest),
// one query of the active customers, and the answer in a box. With balloon
// help off, a box after each step ("Test1" to "Test8") tells a support call
// how far it got.

#include <QString>

#include "exchange/qbsessionframe.h"

namespace tw::data {
class UserInterface;
}

namespace tw::settings {

// True when the accounting program answered the query (found customers or
// none). Every failure has shown its one box, and whatever the test opened is
// closed again.
bool RunAccessTest(exchange::ExchangeServices& services,
                   const exchange::QbSessionFrame::ManagerFactory& factory, data::UserInterface& ui,
                   bool showSteps);

// The dialog's status line after the test.
QString AccessTestStatus(bool verified);

}  // namespace tw::settings
