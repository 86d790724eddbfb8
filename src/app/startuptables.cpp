#include "app/startuptables.h"
#include "reports/pageformatcode.h"

#include "data/quartergrid.h"

#include <cmath>
#include <exception>
#include <filesystem>

namespace tw::app {

namespace {

constexpr int kDaysBetweenReindexes = 5;
constexpr int kDefaultSmtpPort = 25;

QString Text(db::Table& table, const char* field)
{
    return QString::fromStdString(table.fieldByName(field).asString()).trimmed();
}

QString UntrimmedText(db::Table& table, const char* field)
{
    return QString::fromStdString(table.fieldByName(field).asString());
}

}  // namespace

db::Table* SettingsRecord(db::Table& table)
{
    if (!table.active() || table.isEmpty())
        return nullptr;
    table.first();
    return &table;
}

std::int32_t CurrentKey(db::Table& table, const char* field)
{
    if (!table.active() || table.isEmpty())
        return 0;
    return table.fieldByName(field).asInteger();
}

StartupSettingsTables::StartupSettingsTables(SettingsTables tables, data::MainScreenState& state,
                                             RunSettings& settings, ChartState& chart, RunFlags& flags)
    : tables_(tables),
      state_(state),
      settings_(settings),
      chart_(chart),
      flags_(flags)
{}

void StartupSettingsTables::ReadFirstSettings()
{
    db::Table* params = SettingsRecord(tables_.ParamsTable);
    if (!params)
        return;
    state_.HelpLevel = params->fieldByName("TAX").asInteger();
    const std::int32_t hints = params->fieldByName("ORGID").asInteger();
    state_.HintMode = hints & 7;
    state_.HintDetail = (hints & 16) == 0;
    settings_.SetupChoice1 = params->fieldByName("CBID1").asInteger();
    state_.ReadOnlyCopy = params->fieldByName("USEPOSTAL").asBoolean();
    settings_.RestrictCustomer = params->fieldByName("RESTRICT").asBoolean();
    settings_.SavedPage = params->fieldByName("PAGE").asInteger();
}

void StartupSettingsTables::ReadChartPeriod()
{
    TDateTime savedStart = 0;
    TDateTime savedEnd = 0;
    // The default period stands even when the record cannot be read.
    chart_.ChartStartAt = flags_.StartMoment;
    chart_.ChartEndAt = flags_.StartMoment + data::kQuarterHour;
    if (db::Table* params = SettingsRecord(tables_.ParamsTable)) {
        savedStart = params->fieldByName("CHARTSD").asFloat();
        savedEnd = params->fieldByName("CHARTED").asFloat();
    }
    if (savedStart > 0)
        chart_.ChartStartAt = savedStart;
    if (savedEnd > 0)
        chart_.ChartEndAt = savedEnd;
}

void StartupSettingsTables::ReadSelectionSettings()
{
    chart_.TaskStartDate = flags_.StartMoment;
    chart_.TaskEndDate = flags_.StartMoment + 7;
    if (db::Table* params = SettingsRecord(tables_.ParamsTable)) {
        settings_.SavedCustomerId = params->fieldByName("CID").asInteger();
        settings_.SavedScheduleItemId = params->fieldByName("PID").asInteger();
        state_.CurrentResourceId = params->fieldByName("COUNT2").asInteger();
        state_.AverageRate = params->fieldByName("RATE").asCurrency();
    }
}

void StartupSettingsTables::ReadPasswordSetting()
{
    if (db::Table* params = SettingsRecord(tables_.ParamsTable))
        flags_.PasswordRequired = params->fieldByName("USEPASSWD").asBoolean();
}

bool StartupSettingsTables::ReindexDue()
{
    if (state_.FirstRun)
        return true;
    TDateTime lastReindex = 0;
    if (db::Table* params = SettingsRecord(tables_.ParamsTable))
        lastReindex = params->fieldByName("RIDATE1").asDate();
    return std::trunc(flags_.StartMoment - lastReindex) > kDaysBetweenReindexes;
}

void StartupSettingsTables::ReadBackupSettings()
{
    if (db::Table* params = SettingsRecord(tables_.ParamsTable)) {
        settings_.SetupChoice2 = params->fieldByName("CBID2").asInteger();
        flags_.NoAutoBackup = params->fieldByName("SF3").asBoolean();
    }
}

void StartupSettingsTables::ReadJobStatusTexts()
{
    static const struct {
        const char* field;
        const char* fallback;
    } kStatuses[] = {
        {"AWARDED", "Awarded"}, {"CLOSED", "Closed"},        {"INPROGRESS", "In progress"},
        {"NONE", "None"},       {"NAWARDED", "Not awarded"}, {"PENDING", "Pending"},
    };
    settings_.JobStatusTexts.clear();
    std::exception_ptr firstError;
    db::Table* params = nullptr;
    try {
        params = SettingsRecord(tables_.ParamsTable);
    } catch (...) {
        firstError = std::current_exception();
    }
    for (const auto& status : kStatuses) {
        QString text;
        try {
            if (params)
                text = Text(*params, status.field);
        } catch (...) {
            if (!firstError)
                firstError = std::current_exception();
        }
        settings_.JobStatusTexts << (text.isEmpty() ? QString::fromLatin1(status.fallback) : text);
    }
    if (firstError)
        std::rethrow_exception(firstError);
}

void StartupSettingsTables::ReadPageFormat()
{
    if (db::Table* params = SettingsRecord(tables_.ParamsTable)) {
        settings_.PaperSize = params->fieldByName("PAPERSZ").asInteger();
        settings_.PaperOrientation = params->fieldByName("PAPERO").asInteger();
        settings_.PaperCode =
            reports::DerivePageFormatCode(settings_.PaperSize, settings_.PaperOrientation, settings_.PaperCode);
    }
}

void StartupSettingsTables::SetUpBackupFolders()
{
    db::Table* params = SettingsRecord(tables_.ParamsTable);
    if (state_.FirstRun) {
        state_.BackupFolder = settings_.FirstRunPaths.Backups;
        if (params) {
            params->edit();
            params->fieldByName("BUDIR").setAsString(state_.BackupFolder);
            params->fieldByName("RSDIR").setAsString(state_.RestoreFolder);
            params->post();
            params->refresh();
        }
        std::error_code error;
        std::filesystem::create_directories(state_.BackupFolder, error);
    } else if (params) {
        state_.BackupFolder = Text(*params, "BUDIR").toStdString();
        state_.RestoreFolder = Text(*params, "RSDIR").toStdString();
    }
}

void StartupSettingsTables::ReadQuickBooksSettings()
{
    if (db::Table* setup = SettingsRecord(tables_.QBSetupTable)) {
        settings_.QBCompanyFile = Text(*setup, "CPATH");
        settings_.QBEdition = setup->fieldByName("USCAN").asInteger();
        settings_.ResourceCaptionMode = setup->fieldByName("MATCH").asInteger();
    }
}

int StartupSettingsTables::ReadWorkCalendarMode()
{
    if (db::Table* company = SettingsRecord(tables_.MyCompanyTable))
        return company->fieldByName("PAPERO").asInteger();
    return state_.WorkCalendarMode;
}

void StartupSettingsTables::ReadEmailSettings()
{
    db::Table* email = SettingsRecord(tables_.ETable);
    if (!email)
        return;
    mail::MailSettings& e = settings_.Email;
    e.Host = UntrimmedText(*email, "EMAILH");
    e.UserId = Text(*email, "EMAILUID");
    e.Password = Text(*email, "EMAILPW");
    e.From = UntrimmedText(*email, "EMAILFR");
    e.UseAuthentication = email->fieldByName("EMAILUA").asBoolean();
    e.UseMailProgram = email->fieldByName("EMAILUO").asBoolean();
    e.MailProgram = UntrimmedText(*email, "EMAILPT");
    e.SmtpPort = email->fieldByName("EMAILPRT").asInteger();
    if (e.SmtpPort == 0) {
        e.SmtpPort = kDefaultSmtpPort;
        email->edit();
        email->fieldByName("EMAILPRT").setAsInteger(kDefaultSmtpPort);
        email->post();
        email->refresh();
    }
}

void StartupSettingsTables::ReadCompanyName()
{
    if (db::Table* company = SettingsRecord(tables_.MyCompanyTable))
        settings_.CompanyName = Text(*company, "MYCOMPY");
}

void StartupSettingsTables::ReadSortChoice()
{
    if (db::Table* params = SettingsRecord(tables_.ParamsTable))
        chart_.ChartSortBy = params->fieldByName("COUNT1").asInteger();
}

std::string StartupSettingsTables::StoredPassword()
{
    db::Table* params = SettingsRecord(tables_.ParamsTable);
    return params ? params->fieldByName("PASSWORD").asString() : std::string();
}

void StartupSettingsTables::SaveRunSettings(int page, std::int32_t customer, std::int32_t scheduleItem,
                                            std::int32_t resource)
{
    db::Table* params = SettingsRecord(tables_.ParamsTable);
    if (!params)
        return;
    params->edit();
    params->fieldByName("CBID2").setAsInteger(settings_.SetupChoice2);
    params->fieldByName("RATE").setAsCurrency(state_.AverageRate);
    params->fieldByName("PAGE").setAsInteger(page);
    params->fieldByName("COUNT1").setAsInteger(chart_.ChartSortBy);
    params->fieldByName("CID").setAsInteger(customer);
    params->fieldByName("PID").setAsInteger(scheduleItem);
    params->fieldByName("COUNT2").setAsInteger(resource);
    params->fieldByName("TAX").setAsInteger(state_.HelpLevel);
    params->fieldByName("ORGID").setAsInteger(state_.HintMode + (state_.HintDetail ? 0 : 16));
    params->fieldByName("USEPOSTAL").setAsBoolean(state_.ReadOnlyCopy);
    params->fieldByName("CBID1").setAsInteger(settings_.SetupChoice1);
    params->fieldByName("RESTRICT").setAsBoolean(settings_.RestrictCustomer);
    params->fieldByName("CHARTSD").setAsFloat(chart_.ChartStartAt);
    params->fieldByName("CHARTED").setAsFloat(chart_.ChartEndAt);
    params->post();
}

}  // namespace tw::app
