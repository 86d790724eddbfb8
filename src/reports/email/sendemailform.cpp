#include "reports/email/sendemailform.h"

#include "controls/base/fccontrol.h"
#include "controls/base/fcformkeys.h"
#include "ui_sendemailform.h"

#include <QCloseEvent>

namespace tw::email {

namespace {

// The hints the help level switches on and off, as designed.
const char* const kHintProperty = "designedHint";

}  // namespace

TSendEmail::TSendEmail(std::function<MailSettings()> settings, SendEmailLogic::EngineFactory engines,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      ui(std::make_unique<Ui::TSendEmail>())
{
    ui->setupUi(this);
    controls::TFcFormKeys::Install(this);
    controls::NotifyLoaded(this);
    // The state in a right-aligned panel, the server or result beside it.
    auto* label = ui->StatusBar->AddPane(150);
    label->setObjectName(QStringLiteral("StatusPanel0"));
    label->SetAlignment(controls::taRightJustify);
    ui->StatusBar->AddPane(0)->setObjectName(QStringLiteral("StatusPanel1"));
    ui->StatusBar->SetShowSizeGrip(false);
    for (QWidget* w : {static_cast<QWidget*>(ui->RecipientsPanel), static_cast<QWidget*>(ui->AddName),
                       static_cast<QWidget*>(ui->ToList), static_cast<QWidget*>(ui->Subject),
                       static_cast<QWidget*>(ui->Memo), static_cast<QWidget*>(ui->ClearRecips)})
        w->setProperty(kHintProperty, w->toolTip());

    logic_ = std::make_unique<SendEmailLogic>(*this, std::move(settings), std::move(engines));
    connect(ui->SendEMailAttachment, &controls::TFcControl::clicked, this,
            [this] { logic_->SendEMailAttachmentClick(); });
    // A change of state by any means (mouse, key, screen reader) fills the list.
    connect(ui->FirstRecipient, &controls::TFcControl::clicked, this, [this] { logic_->FillRecipients(); });
    connect(ui->SecondRecipient, &controls::TFcControl::clicked, this, [this] { logic_->FillRecipients(); });
    connect(ui->AddName, &controls::TFcControl::clicked, this, [this] {
        logic_->AddNameClick();
        ui->ToList->setCurrentRow(ui->ToList->count() - 1);
    });
    connect(ui->ClearRecips, &controls::TFcControl::clicked, this, [this] { logic_->ClearRecipsClick(); });
    connect(ui->Help, &controls::TFcControl::clicked, this, [this] {
        if (help_)
            help_();
    });
}

TSendEmail::~TSendEmail()
{
    // The owner may be half gone by now: nothing is handed back to it.
    keepPosition_ = nullptr;
    help_ = nullptr;
    logic_->FormClose();
    logic_->WaitForWorker();
}

void TSendEmail::SetContactsSource(std::function<CustomerContacts()> source)
{
    logic_->SetContactsSource(std::move(source));
}

void TSendEmail::SetScheduleReport(ScheduleReportSource source)
{
    logic_->SetScheduleReport(std::move(source));
}

void TSendEmail::Open(int helpLevel, SendEmailLogic::Mode mode, double spanDays, double gridInterval,
                      double gridCount, double chartStart, double chartEnd, const QString& messageText)
{
    if (!logic_->IsOpen())
        move(left_, top_);
    logic_->Open(helpLevel, mode, ReportPeriod{spanDays, gridInterval, gridCount, chartStart, chartEnd},
                 messageText);
}

QStringList TSendEmail::ToList() const
{
    QStringList list;
    for (int i = 0; i < ui->ToList->count(); ++i)
        list << ui->ToList->item(i)->text();
    return list;
}

void TSendEmail::SetToList(const QStringList& addresses)
{
    ui->ToList->clear();
    for (const QString& a : addresses) {
        auto* item = new QListWidgetItem(a, ui->ToList);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

bool TSendEmail::FirstRecipientChecked() const
{
    return ui->FirstRecipient->Checked();
}
bool TSendEmail::SecondRecipientChecked() const
{
    return ui->SecondRecipient->Checked();
}

void TSendEmail::SetRecipientChecks(bool first, bool second)
{
    // The logic sets them while it fills the list: no click of their own.
    ui->FirstRecipient->InitState(first ? controls::cbChecked : controls::cbUnchecked);
    ui->SecondRecipient->InitState(second ? controls::cbChecked : controls::cbUnchecked);
}

void TSendEmail::ShowContacts(const CustomerContacts& customer)
{
    ui->FirstName->setText(customer.Contact1);
    ui->FirstEMail->setText(customer.Email1);
    ui->SecondName->setText(customer.Contact2);
    ui->SecondEMail->setText(customer.Email2);
}

QString TSendEmail::Subject() const
{
    return ui->Subject->text();
}
void TSendEmail::SetSubject(const QString& text)
{
    ui->Subject->setText(text);
}

QStringList TSendEmail::MemoLines() const
{
    return ui->Memo->toPlainText().split(u'\n');
}

void TSendEmail::SetMemo(const QString& text)
{
    ui->Memo->setPlainText(text);
}
QString TSendEmail::AttachmentList() const
{
    return ui->AttachmentList->text();
}
void TSendEmail::SetAttachmentList(const QString& path)
{
    ui->AttachmentList->setText(path);
}

void TSendEmail::SetAttachmentEnabled(bool enabled)
{
    ui->Label1->setEnabled(enabled);
    ui->AttachmentList->setEnabled(enabled);
}

void TSendEmail::SetHintsShown(bool shown)
{
    for (QWidget* w : findChildren<QWidget*>()) {
        const QVariant hint = w->property(kHintProperty);
        if (hint.isValid())
            w->setToolTip(shown ? hint.toString() : QString());
    }
}

void TSendEmail::SetEmailStatus(const QString& label, const QString& value)
{
    ui->StatusBar->SetPanelText(0, label);
    ui->StatusBar->SetPanelText(1, value);
    ui->StatusBar->Pane(1)->setToolTip(value);
}

QString TSendEmail::StatusLabel() const
{
    return ui->StatusBar->PanelText(0);
}
QString TSendEmail::StatusValue() const
{
    return ui->StatusBar->PanelText(1);
}

void TSendEmail::SetBusy(bool busy)
{
    for (QWidget* w : {static_cast<QWidget*>(ui->SendEMailAttachment), static_cast<QWidget*>(ui->AddName),
                       static_cast<QWidget*>(ui->ClearRecips), static_cast<QWidget*>(ui->RecipientsPanel),
                       static_cast<QWidget*>(ui->ToList), static_cast<QWidget*>(ui->Subject),
                       static_cast<QWidget*>(ui->Memo)})
        w->setEnabled(!busy);
    if (busy)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void TSendEmail::ShowWindow()
{
    show();
    raise();
}

void TSendEmail::RestoreWindow()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
}

void TSendEmail::HideWindow()
{
    left_ = x();
    top_ = y();
    if (keepPosition_)
        keepPosition_(left_, top_);
    if (!hidingFromLogic_) {
        hidingFromLogic_ = true;
        hide();
        hidingFromLogic_ = false;
    }
}

void TSendEmail::closeEvent(QCloseEvent* event)
{
    hidingFromLogic_ = true;
    logic_->FormClose();
    hidingFromLogic_ = false;
    event->accept();
}

}  // namespace tw::email
