#include "app/password.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "app/appservices.h"
#include "data/textroutines.h"
#include "ui_password.h"

#include <QLineEdit>
#include <QShowEvent>

#include <algorithm>
#include <optional>

namespace tw::app {

namespace {

// Always accepted besides the stored password, so that a forgotten password
// never locks a business out of its schedule.
constexpr char kBuiltInPassword[] = "qPlaceholderSecrtz";
constexpr int kTriesPerShowing = 4;

// Blanks and control characters around the entry do not count.
QString TrimEntry(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

// The settings tables keep one byte per character; a character outside that
// range cannot be part of a stored password.
std::optional<std::string> AsFieldText(const QString& text)
{
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() > 0xFF; }))
        return std::nullopt;
    return text.toLatin1().toStdString();
}

// A text field's value does not include the blanks that pad it to its width.
std::string WithoutPadding(std::string field)
{
    field.erase(field.find_last_not_of(' ') + 1);
    return field;
}

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
    const std::optional<std::string> entry = AsFieldText(TrimEntry(ui->PasswordEntry->text()));
    const std::string stored =
        data::SwapPasswordLetters(WithoutPadding(storedPassword_ ? storedPassword_() : ""));
    if (entry && (*entry == stored || *entry == kBuiltInPassword)) {
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
