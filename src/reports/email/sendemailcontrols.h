#pragma once
// The e-mail window's controls as its logic reads and writes them; the window
// implements it over its widgets, tests over plain values.

#include <QString>
#include <QStringList>

#include "reports/email/customercontacts.h"

namespace tw::email {

class SendEmailControls {
public:
    virtual ~SendEmailControls() = default;

    virtual QStringList ToList() const = 0;
    virtual void SetToList(const QStringList& addresses) = 0;
    virtual bool FirstRecipientChecked() const = 0;
    virtual bool SecondRecipientChecked() const = 0;
    virtual void SetRecipientChecks(bool first, bool second) = 0;
    // FirstName, FirstEMail, SecondName, SecondEMail.
    virtual void ShowContacts(const CustomerContacts& customer) = 0;
    virtual QString Subject() const = 0;
    virtual void SetSubject(const QString& text) = 0;
    virtual QStringList MemoLines() const = 0;
    virtual void SetMemo(const QString& text) = 0;
    virtual QString AttachmentList() const = 0;
    virtual void SetAttachmentList(const QString& path) = 0;
    virtual void SetAttachmentEnabled(bool enabled) = 0;
    virtual void SetHintsShown(bool shown) = 0;
    // Panel 0 holds a label, panel 1 its value; shown at once.
    virtual void SetEmailStatus(const QString& label, const QString& value) = 0;
    // Disabled with a busy cursor while a step runs.
    virtual void SetBusy(bool busy) = 0;
    virtual void ShowWindow() = 0;
    virtual void RestoreWindow() = 0;
    virtual void HideWindow() = 0;
};

}  // namespace tw::email
