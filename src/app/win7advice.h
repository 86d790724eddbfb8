#pragma once
// Advice to restart the program as an administrator, for a user whose rights
// may be why a database did not open or a backup cannot be restored.
//
// The start-up asks it first and reports the failure itself only when the
// user is an administrator:
//
//   UserIsAdmin = advice.Advise("For this user, please restart ...", OldWindows);
//   if (UserIsAdmin)
//       ShowMessageBox(...);
//
// On this platform a user who can start the program counts as an
// administrator, so the advice is never shown; the window stays for its
// callers and for a platform where rights do matter.

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TWin7Advice;
}

class QLabel;

namespace tw::app {

class TWin7Advice : public QDialog {
    Q_OBJECT
public:
    explicit TWin7Advice(QWidget* parent = nullptr);
    ~TWin7Advice() override;

    // Whether the current user has the rights of an administrator.
    static bool AreWeAdmin();

    // Returns the administrator answer for the caller's UserIsAdmin. For a
    // user who is not an administrator on a system that tells them apart
    // (oldWindows clear), first shows text modally until OK is pressed.
    bool Advise(const QString& text, bool oldWindows);

    // Replaces the administrator test (tests; a platform with real rights).
    void SetAdminTest(std::function<bool()> test);

    QLabel* Label1() const;
    void OkClick();

private:
    std::unique_ptr<Ui::TWin7Advice> ui;
    std::function<bool()> adminTest_;
};

}  // namespace tw::app
