#include "settings/setupdialoglogic.h"

#include "data/services/userinterface.h"
#include "platform/db/table.h"
#include "settings/setuppassword.h"

#include <exception>

namespace tw::settings {

namespace {

const QString kPasswordRequired = QStringLiteral("Password is required on startup");
const QString kNoPasswordRequired = QStringLiteral("No password is required on startup");
const QString kMayChangeSchedule = QStringLiteral("This Tarnwick is allowed to change the schedule");
const QString kCannotChangeSchedule = QStringLiteral("This Tarnwick cannot change the schedule");
const char kPasswordErrorCaption[] = "Change or set password error";
const char kSettingsErrorCaption[] = "Tarnwick setup";

constexpr int kChoiceReadWrite = 0;
constexpr int kChoiceReadOnly = 1;
constexpr int kChoiceWithPassword = 2;
constexpr std::size_t kPasswordFieldWidth = 100;
constexpr qsizetype kStatusFieldWidth = 25;
constexpr std::size_t kMailProgramFieldWidth = 160;
constexpr int kDefaultSmtpPort = 25;
constexpr int kHighestPort = 65535;

QString FieldText(db::Table& table, const char* field)
{
    return QString::fromStdString(table.fieldByName(field).asString());
}

void SetFieldText(db::Table& table, const char* field, const QString& text)
{
    table.fieldByName(field).setAsString(text.toStdString());
}

// The table's one record, made when the table is still empty.
db::Table& SettingsRecord(db::Table& table)
{
    if (!table.isEmpty())
        table.first();
    return table;
}

}  // namespace

bool SetupDialogLogic::WriteRecord(db::Table& table, const std::function<void(db::Table&)>& write,
                                   bool refresh)
{
    try {
        if (SettingsRecord(table).isEmpty())
            table.append();
        else
            table.edit();
        write(table);
        table.post();
        if (refresh)
            table.refresh();
        return true;
    } catch (const std::exception& error) {
        if (table.active() && table.state() != db::Table::State::Browse)
            table.cancel();
        ui_.ShowMessage(std::string("The setting could not be saved: ") + error.what(), kSettingsErrorCaption,
                        data::MessageIcon::Stop);
        return false;
    }
}

bool SetupDialogLogic::PathFits(const QString& path, std::size_t fieldWidth, const char* what)
{
    const std::string bytes = path.toStdString();
    if (bytes.size() <= fieldWidth)
        return true;
    ui_.ShowMessage(std::string(what) + " is longer than the setting can keep (" + std::to_string(fieldWidth)
                        + " characters):\n" + bytes,
                    kSettingsErrorCaption, data::MessageIcon::Stop);
    return false;
}

bool SetupDialogLogic::ShowSetup()
{
    if (shown_)
        return false;
    host_.SettingsShowing();
    pages_.Accounting.SetEnableAutoAccessChecked(settings_.QBManualCompanyFile == 0);
    pages_.General.SetHelpLevelIndex(settings_.HelpLevel);
    pages_.General.SetTaskHintLevelIndex(settings_.ChartHintLevel);
    pages_.General.SetShowResourcesChecked(settings_.ShowAssignedResources);
    EnableAutoAccessClick();
    LoadAutoBackup();
    shown_ = true;

    readOnlyChoice_ = settings_.ReadOnlyAccess;
    pages_.Dialog.SetDatabaseChangesEnabled(!readOnlyChoice_);
    pages_.Security.SetReadOnlyMessage(
        readOnlyChoice_ ? QStringLiteral("This Tarnwick cannot change the database")
                        : QStringLiteral("This Tarnwick is allowed to change the database"));

    pages_.Accounting.SetCompanyPath(settings_.QBCompanyFile);
    pages_.General.SetQuickBooksEditionIndex(settings_.QBEdition);
    pages_.General.SetResourceDisplayIndex(settings_.ResourceDisplayMode);
    pages_.General.SetWorkCalendarIndex(settings_.WorkCalendarMode);
    pages_.JobStatus.SetStatusEdits({settings_.JobStatusTexts.value(5), settings_.JobStatusTexts.value(0),
                                     settings_.JobStatusTexts.value(2), settings_.JobStatusTexts.value(3),
                                     settings_.JobStatusTexts.value(1), settings_.JobStatusTexts.value(4)});
    pages_.Security.SetPasswordMessage(settings_.PasswordRequired ? kPasswordRequired : kNoPasswordRequired);

    db::Table& email = SettingsRecord(tables_.EParams);
    if (!email.isEmpty()) {
        pages_.Email.SetUseAuthChecked(email.fieldByName("EMAILUA").asBoolean());
        pages_.Email.SetSelectOutlookChecked(email.fieldByName("EMAILUO").asBoolean());
        pages_.Email.SetOutlookPath(FieldText(email, "EMAILPT"));
        pages_.Email.SetEmailFields(
            {FieldText(email, "EMAILH"), QString::number(email.fieldByName("EMAILPRT").asInteger()),
             FieldText(email, "EMAILUID"), FieldText(email, "EMAILPW"), FieldText(email, "EMAILFR")});
    }
    SelectOutlookClick();

    ShowSecurityState(settings_.AccessChoice);
    pages_.Dialog.SetStatusText(QString());
    return true;
}

void SetupDialogLogic::FormClose()
{
    if (!shown_)
        return;
    shown_ = false;
    host_.SettingsChanged();
}

void SetupDialogLogic::CloseDialog()
{
    pages_.Dialog.CloseDialog();
    FormClose();
}

// --- Security page ----------------------------------------------------------------------------------

void SetupDialogLogic::ShowSecurityState(int choice)
{
    pages_.Security.SetAccessIndex(choice);
    if (choice == kChoiceReadWrite || choice == kChoiceReadOnly) {
        // Relaxing the access needs the password given in this run.
        if (!settings_.PasswordAccepted) {
            pages_.Security.SetAccessIndex(settings_.AccessChoice);
            return;
        }
        pages_.Security.SetReadOnlyMessage(choice == kChoiceReadOnly ? kCannotChangeSchedule
                                                                     : kMayChangeSchedule);
        readOnlyChoice_ = choice == kChoiceReadOnly;
        settings_.PasswordRequired = false;
        pages_.Security.SetPasswordMessage(kNoPasswordRequired);
        settings_.AccessChoice = choice;
        return;
    }
    if (choice != kChoiceWithPassword)
        return;
    pages_.Security.SetReadOnlyMessage(kMayChangeSchedule);
    readOnlyChoice_ = false;
    settings_.PasswordRequired = true;
    settings_.AccessChoice = kChoiceWithPassword;
    pages_.Security.SetPasswordMessage(kPasswordRequired);
}

void SetupDialogLogic::AccessPanelClick()
{
    ShowSecurityState(pages_.Security.AccessIndex());
}

void SetupDialogLogic::SecuritySaveClick()
{
    if (!settings_.PasswordRequired)
        settings_.PasswordAccepted = false;
    else
        pages_.Security.SetAccessPanelEnabled(settings_.PasswordAccepted);
    settings_.ReadOnlyAccess = readOnlyChoice_;
    host_.ApplyReadOnlyAccess(readOnlyChoice_);
    host_.CloseAllTables();
    host_.OpenAllTables();
    const int index = pages_.Security.AccessIndex();
    ShowSecurityState(index);
    if (index == kChoiceWithPassword) {
        settings_.PasswordRequired = true;
        pages_.Security.SetPasswordMessage(kPasswordRequired);
    }
    const bool required = settings_.PasswordRequired;
    if (!WriteRecord(tables_.Params, [required](db::Table& params) {
            params.fieldByName("USEPASSWD").setAsBoolean(required);
        }, false))
        return;
    CloseDialog();
}

void SetupDialogLogic::CallLoginClick()
{
    settings_.PasswordAccepted = false;
    if (host_.AskPassword()) {
        settings_.PasswordAccepted = true;
        pages_.Security.SetAccessPanelEnabled(true);
        return;
    }
    settings_.LoginRefused = true;
    host_.CloseAllTables();
    host_.TerminateProgram();
    CloseDialog();
}

// A refusal leaves PasswordRequired as it was: clearing it would let the next
// start skip the password that params.dbf still asks for.
void SetupDialogLogic::RefusePassword(const QString& text)
{
    ui_.ShowMessage(text.toStdString(), kPasswordErrorCaption, data::MessageIcon::Stop);
}

void SetupDialogLogic::SavePasswordClick()
{
    db::Table& params = SettingsRecord(tables_.Params);
    const std::string storedField = params.isEmpty() ? std::string() : params.fieldByName("PASSWORD").asString();
    if (!PasswordMatches(pages_.Security.OldPassword(), storedField)) {
        RefusePassword(QStringLiteral("Old password is incorrect"));
        return;
    }
    const QString new1 = TrimPasswordEntry(pages_.Security.NewPassword1());
    const QString new2 = TrimPasswordEntry(pages_.Security.NewPassword2());
    if (new1 != new2) {
        RefusePassword(QStringLiteral("New passwords do not match"));
        return;
    }
    if (new1.isEmpty()) {
        RefusePassword(QStringLiteral("New password is blank"));
        return;
    }
    const std::optional<std::string> stored = StoredPasswordForm(new1);
    if (!stored || stored->size() > kPasswordFieldWidth) {
        RefusePassword(QStringLiteral("New password is too long or holds a character that cannot be stored"));
        return;
    }
    const bool required = settings_.PasswordRequired;
    if (!WriteRecord(tables_.Params, [&](db::Table& record) {
            record.fieldByName("PASSWORD").setAsString(*stored);
            record.fieldByName("USEPASSWD").setAsBoolean(required);
        }, false))
        return;
    pages_.Security.ClearPasswordEdits();
    pages_.Dialog.SetStatusText(QStringLiteral("New password accepted"));
}

// --- E-mail page ------------------------------------------------------------------------------------

bool SetupDialogLogic::PostTypedEmailFields()
{
    const EmailFieldTexts typed = pages_.Email.EmailFields();
    const QString portText = typed.Port.trimmed();
    bool isNumber = portText.isEmpty();
    const int port = isNumber ? 0 : portText.toInt(&isNumber);
    if (!isNumber || port < 0 || port > kHighestPort) {
        ui_.ShowMessage("\"" + typed.Port.toStdString() + "\" is not an SMTP port number (0 to 65535)",
                        kSettingsErrorCaption, data::MessageIcon::Stop);
        return false;
    }
    return WriteRecord(tables_.EParams, [&](db::Table& email) {
        SetFieldText(email, "EMAILH", typed.Host);
        email.fieldByName("EMAILPRT").setAsInteger(port);
        SetFieldText(email, "EMAILUID", typed.UserId);
        SetFieldText(email, "EMAILPW", typed.Password);
        SetFieldText(email, "EMAILFR", typed.From);
    }, true);
}

void SetupDialogLogic::SelectOutlookClick()
{
    const bool outlook = pages_.Email.SelectOutlookChecked();
    pages_.Email.SetOutlookControlsEnabled(outlook);
    pages_.Email.SetDirectSettingsEnabled(!outlook);
    PostTypedEmailFields();
    WriteRecord(tables_.EParams, [outlook](db::Table& email) {
        email.fieldByName("EMAILUO").setAsBoolean(outlook);
    }, false);
    UseAuthClick();
}

void SetupDialogLogic::UseAuthClick()
{
    const bool useAuth = pages_.Email.UseAuthChecked();
    pages_.Email.SetAuthenticationFieldsEnabled(useAuth && !pages_.Email.SelectOutlookChecked());
    WriteRecord(tables_.EParams, [useAuth](db::Table& email) {
        email.fieldByName("EMAILUA").setAsBoolean(useAuth);
    }, true);
}

void SetupDialogLogic::BrowseForOutlookClick()
{
    const std::optional<QString> program = pages_.Email.ChooseMailProgram();
    if (!program)
        return;
    if (!PathFits(*program, kMailProgramFieldWidth, "The mail program's path"))
        return;
    pages_.Email.SetOutlookPath(*program);
    if (!WriteRecord(tables_.EParams, [&](db::Table& email) { SetFieldText(email, "EMAILPT", *program); },
                     true))
        return;
    settings_.Email.MailProgram = pages_.Email.OutlookPath();
}

void SetupDialogLogic::SaveEMailSettingsClick()
{
    if (!PostTypedEmailFields())
        return;
    db::Table& email = SettingsRecord(tables_.EParams);
    mail::MailSettings& e = settings_.Email;
    e.Host = FieldText(email, "EMAILH");
    e.UserId = FieldText(email, "EMAILUID").trimmed();
    e.Password = FieldText(email, "EMAILPW").trimmed();
    e.From = FieldText(email, "EMAILFR");
    settings_.EmailListText = FieldText(email, "EMAILLI");
    // As at start-up, a port never set means the standard SMTP port.
    e.SmtpPort = static_cast<int>(email.fieldByName("EMAILPRT").asInteger());
    if (e.SmtpPort == 0) {
        e.SmtpPort = kDefaultSmtpPort;
        WriteRecord(email, [](db::Table& record) {
            record.fieldByName("EMAILPRT").setAsInteger(kDefaultSmtpPort);
        }, true);
    }
    e.UseAuthentication = pages_.Email.UseAuthChecked();
    e.UseMailProgram = pages_.Email.SelectOutlookChecked();
    CloseDialog();
}

// --- Job status page --------------------------------------------------------------------------------

void SetupDialogLogic::SaveJobStatusDefsClick()
{
    if (!shown_)
        return;
    const int selected = host_.TaskStatusIndex();
    host_.UntickRestrictToSelectedStatus();
    // The edits keep at most the field's width; what is used is what is stored.
    StatusEditTexts typed = pages_.JobStatus.StatusEdits();
    for (QString& text : typed)
        text = text.trimmed().left(kStatusFieldWidth);
    const auto& [pending, awarded, inProgress, none, closed, notAwarded] = typed;
    settings_.JobStatusTexts = {awarded, closed, inProgress, none, notAwarded, pending};
    WriteRecord(tables_.Params, [&](db::Table& params) {
        SetFieldText(params, "PENDING", pending);
        SetFieldText(params, "AWARDED", awarded);
        SetFieldText(params, "INPROGRESS", inProgress);
        SetFieldText(params, "NONE", none);
        SetFieldText(params, "CLOSED", closed);
        SetFieldText(params, "NAWARDED", notAwarded);
    }, true);
    host_.SetTaskStatusItems(settings_.JobStatusTexts);
    host_.ApplyJobStatusTexts(settings_.JobStatusTexts);
    pages_.Dialog.SetStatusText(QStringLiteral("Job status definitions saved"));
    host_.SetTaskStatusIndex(selected);
    CloseDialog();
}

}  // namespace tw::settings
