#include "app/password.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "app/appservices.h"
#include "settings/setuppassword.h"
#include "ui_password.h"

#include <QLineEdit>
#include <QShowEvent>


namespace tw::app {

namespace {

constexpr int kTriesPerShowing = 4;

}  // namespace

TPassword::TPassword(QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint
                  | Qt::MSWindowsFixedSizeDialogHint),
      ui(std::make_unique<Ui::TPassword>())
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    connect(ui->Ok, &controls::TFcControl::clicked, this, &TPassword::OkClick);
    connect(ui->Cancel, &controls::TFcControl::clicked, this, &TPassword::CancelClick);
    connect(ui->PasswordEntry, &QLineEdit::returnPressed, this, &TPassword::PasswordEntryKeyPress);
}

TPassword::~TPassword() = default;

void TPassword::SetStoredPasswordSource(std::function<std::string()> source)
{
    storedPassword_ = std::move(source);
}

QLineEdit* TPassword::PasswordEntry() const
{
    return ui->PasswordEntry;
}

void TPassword::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TPassword::FormShow()
{
    ui->PasswordEntry->clear();
    ui->PasswordEntry->setFocus();
    tryCount_ = 0;
}

void TPassword::PasswordEntryKeyPress()
{
    OkClick();
}

void TPassword::OkClick()
{
    // Compared in stored form: the letter swap is not its own inverse for
    // every character, so swapping the field back could never match those.
    if (settings::PasswordMatches(ui->PasswordEntry->text(), storedPassword_ ? storedPassword_() : "")) {
        accept();
        return;
    }
    if (++tryCount_ >= kTriesPerShowing) {
        reject();
        return;
    }
    ShowMessageBox(this, QStringLiteral("Invalid password-- try again"), QStringLiteral("Error"),
                   MessageIcon::Stop, MessageModality::Window);
}

void TPassword::CancelClick()
{
    reject();
}

}  // namespace tw::app
