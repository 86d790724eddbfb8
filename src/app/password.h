#pragma once
// The password dialog. The caller shows it modally and reads the answer from
// exec(): Accepted when the entry matched the stored password or the built-in
// one; Rejected after Cancel or the fourth wrong entry of one showing.
//
//   password.SetStoredPasswordSource([&] { return params.PasswordField(); });
//   session.Flags.PasswordAccepted = password.exec() == QDialog::Accepted;   // StartupFeature

#include <QDialog>

#include <functional>
#include <memory>
#include <string>

namespace Ui {
class TPassword;
}

class QLineEdit;

namespace tw::app {

class TPassword : public QDialog {
    Q_OBJECT
public:
    explicit TPassword(QWidget* parent = nullptr);
    ~TPassword() override;

    // The PASSWORD field of the settings record, as stored (letters swapped),
    // read at each Ok so that a password changed meanwhile counts. Without a
    // source the stored password is empty.
    void SetStoredPasswordSource(std::function<std::string()> source);

    // Wrong entries in this showing.
    int TryCount() const { return tryCount_; }
    QLineEdit* PasswordEntry() const;

    void OkClick();
    void CancelClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void PasswordEntryKeyPress();

    std::unique_ptr<Ui::TPassword> ui;
    std::function<std::string()> storedPassword_;
    int tryCount_ = 0;
};

}  // namespace tw::app
