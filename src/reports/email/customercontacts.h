#pragma once
// What the e-mail reads of the current customer, and the message text the
// customer tab's e-mail button starts with.

#include <QString>

#include "platform/datetime/datetime.h"

namespace tw::db {
class Table;
}

namespace tw::email {

struct CustomerContacts {
    QString First, Last;
    QString Contact1, Email1;  // main address
    QString Contact2, Email2;  // alternate address
    bool UseAlt = false;
};

// The current record of customers.dbf; e-mail addresses as stored.
CustomerContacts ReadCustomerContacts(db::Table& customers);

// "Schedule for " + the contact of the address in use (first and last name
// when the contact has fewer than three characters), + " on " + the start of
// the one task the query found.
QString CustomerMessageText(const CustomerContacts& customer, int tasksFoundCount, TDateTime shownTaskStart);

// What the buttons that open the e-mail window show while it opens.
QString MailAccessStatusText(bool useMailProgram);

}  // namespace tw::email
