#include "data/services/estimatedata.h"

#include <QLocale>
#include <QString>

#include "data/layouts/layouts.h"
#include "platform/datetime/localetexts.h"

namespace tw::data {

namespace {

struct Settings {
    const char* database;
    const char* file;
    const char* index;
    bool exclusive;
};

void Configure(db::Table& table, const Settings& s)
{
    table.setDatabaseName(s.database);
    table.setTableName(s.file);
    table.setIndexName(s.index);
    table.setExclusive(s.exclusive);
}

constexpr const char* kScheduler = "scheduler";
constexpr const char* kParameters = "Parameters";
constexpr const char* kEstimator = "estimator";

}  // namespace

std::string CustomerNameText(const std::string& last, const std::string& first)
{
    auto trim = [](const std::string& s) {
        const size_t b = s.find_first_not_of(' ');
        if (b == std::string::npos)
            return std::string();
        return s.substr(b, s.find_last_not_of(' ') - b + 1);
    };
    const std::string l = trim(last);
    const std::string f = trim(first);
    return f.empty() ? l : l + ", " + f;
}

std::string MoneyText(double amount)
{
    const std::string& name = locale::Formats().name;
    const QLocale loc = name.empty() ? QLocale() : QLocale(QString::fromStdString(name));
    return loc.toCurrencyString(amount, QString(), 2).trimmed().toStdString();
}

TEstimateData::TEstimateData(const std::string& aliasFile)
    : Aliases(aliasFile),
      SchedulerDatabase(kScheduler, Aliases),
      ParametersDatabase(kParameters, Aliases),
      EstimatorDatabase(kEstimator, Aliases)
{
    db::SetDatabaseResolver([this](const std::string& name) {
        return db::ResolveDatabaseFolder(name, {&SchedulerDatabase, &ParametersDatabase, &EstimatorDatabase},
                                         Aliases);
    });

    const char* S = kScheduler;
    Configure(CustomersTable, {S, "customers.dbf", "NAME", false});
    Configure(CustomersTable2, {S, "customers.dbf", "", false});
    Configure(CustomersTable3, {S, "customers.dbf", "", false});
    Configure(JobsTable, {S, "jobs.dbf", "DESC", false});
    Configure(JobsTable2, {S, "jobs.dbf", "", false});
    Configure(JobsTable3, {S, "jobs.dbf", "", false});
    Configure(CrewsTable, {S, "crews.dbf", "DESC", false});
    Configure(CrewsTable2, {S, "crews.dbf", "DESC", false});
    Configure(CrewsTable3, {S, "crews.dbf", "DESC", false});
    Configure(CrewsTable4, {S, "crews.dbf", "", false});
    for (db::Table* t : {&IChartsTable, &IChartsTable2, &IChartsTable3})
        Configure(*t, {S, "ICharts.DBF", "", false});
    Configure(ITasksTable, {S, "ITasks.dbf", "", true});
    Configure(ITasksTable2, {S, "ITasks.dbf", "", false});
    Configure(ITasksTable3, {S, "ITasks.dbf", "", false});
    for (db::Table* t : {&ICrewsTable, &ICrewsTable2, &ICrewsTable3})
        Configure(*t, {S, "ICrews.DBF", "", false});
    Configure(CalendarTable, {S, "calendar.DBF", "", false});
    Configure(CalendarTable2, {S, "calendar.DBF", "", false});
    Configure(HolidaysTable, {S, "holidays.dbf", "", false});
    Configure(HolidaysTable2, {S, "holidays.dbf", "", false});
    Configure(CustomFieldsTable, {S, "custom.dbf", "NAME", false});
    Configure(CustomFieldsTable2, {S, "custom.dbf", "FNAME", false});
    Configure(CustomFieldsTable3, {S, "custom.dbf", "", false});
    Configure(PhotosTable, {S, "photos.dbf", "", false});
    Configure(MyCompanyTable, {S, "mycomp.dbf", "", false});
    Configure(AccessTable, {S, "Access.dbf", "", false});
    Configure(OChartsTable, {S, "Charts.DBF", "", false});
    Configure(DestinationTable, {S, "RITasks.dbf", "", true});

    const char* P = kParameters;
    Configure(ParamsTable, {P, "params.dbf", "", false});
    Configure(ETable, {P, "eparams.dbf", "", false});
    Configure(QBSetupTable, {P, "qbsetup.dbf", "", false});
    Configure(PrinterTable, {P, "printer.dbf", "", false});
    Configure(PrinterTable2, {P, "printer.dbf", "", false});
    for (db::Table* t : {&ChartsTable, &ChartsTable2, &ChartsTable3, &ChartsTable4, &ChartsTable5,
                         &ChartsTable6, &ChartsTable7, &ChartsTable8, &ChartsTable9})
        Configure(*t, {P, "Charts.DBF", "", false});
    for (db::Table* t : {&TasksTable, &TasksTable2, &TasksTable3})
        Configure(*t, {P, "Tasks.DBF", "", false});

    Configure(RParamsTable, {P, "rparams.DBF", "", true});
    Configure(RETable, {P, "reparams.dbf", "", true});
    Configure(RQBSetupTable, {P, "rqbsetup.dbf", "", true});
    Configure(RPrinterTable, {P, "rprinter.DBF", "", true});
    Configure(RChartsTable, {P, "RCharts.DBF", "", true});
    Configure(RTasksTable, {P, "RTasks.DBF", "", true});
    Configure(RMyCompanyTable, {P, "rmycomp.dbf", "", true});
    Configure(RAccessTable, {P, "RAccess.DBF", "", true});
    Configure(RIChartsTable, {P, "RICharts.DBF", "", true});
    Configure(RITasksTable, {P, "RITasks.dbf", "", true});
    Configure(RCalendarTable, {P, "Rcalendar.DBF", "", true});
    Configure(RHolidaysTable, {P, "rholidays.dbf", "", true});
    Configure(RCustomFieldsTable, {P, "rcustom.dbf", "", true});
    Configure(RCustomersTable, {P, "rcustomers.dbf", "", true});
    Configure(RPhotosTable, {P, "Rphotos.dbf", "", true});
    Configure(RJobsTable, {P, "Rjobs.dbf", "", true});
    Configure(RICrewsTable, {P, "RICrews.dbf", "", true});
    Configure(RCrewsTable, {P, "Rcrews.dbf", "", true});

    SourceTable.setDatabaseName("TWDbRs");
    SourceTable.setExclusive(true);

    const char* E = kEstimator;
    Configure(BidTable, {E, "bid.dbf", "DESC", false});
    Configure(BidTable2, {E, "bid.dbf", "", false});
    Configure(CompanyTable, {E, "company.dbf", "NAME", false});
    Configure(EstimateTable3, {E, "estimate.dbf", "", false});
    Configure(HourssumTable, {E, "hourssum.DBF", "RATE", false});
    Configure(HourssumTable2, {E, "hourssum.DBF", "", false});
    Configure(IProjectTable, {E, "iproj.dbf", "BIDID", false});
    Configure(LaborTable3, {E, "labor.dbf", "", false});
    Configure(MatssumTable, {E, "matssum.DBF", "", false});
    Configure(ProjectsTable3, {E, "projects.DBF", "", false});
    Configure(RatesTable2, {E, "rates.DBF", "", false});
    Configure(WorkOrder1Table, {E, "wo1", "", false});
    Configure(WorkOrder2Table, {E, "wo2", "", false});
    // The estimating product keeps no index definitions of ours beside its
    // tables: the tags its layouts name are built in memory.
    for (db::Table* t : {&BidTable, &BidTable2, &CompanyTable, &EstimateTable3, &HourssumTable, &HourssumTable2,
                         &IProjectTable, &LaborTable3, &MatssumTable, &ProjectsTable3, &RatesTable2,
                         &WorkOrder1Table, &WorkOrder2Table})
        if (const TableLayout* layout = FindLayout(Database::Estimator, t->tableName()))
            t->setKnownIndexes(layout->indexes);

    CustomersTable2.setOnFilterRecord([this](const db::Table&) { return CustomersTable2FilterRecord(); });
    CrewsTable2.setOnFilterRecord([this](const db::Table&) { return CrewsTable2FilterRecord(); });
    ChartsTable2.setOnFilterRecord([this](const db::Table&) { return ChartsTable2FilterRecord(); });
}

TEstimateData::~TEstimateData()
{
    for (db::Table* t : AllTables()) {
        try {
            t->close();
        } catch (...) {
        }
    }
    db::SetDatabaseResolver(nullptr);
}

void TEstimateData::Bind(MainScreenState& state)
{
    state_ = &state;
    views_ = {};
}

std::vector<db::Table*> TEstimateData::AllTables()
{
    return {&CustomersTable,     &CustomersTable2, &CustomersTable3, &JobsTable,         &JobsTable2,
            &JobsTable3,         &CrewsTable,      &CrewsTable2,     &CrewsTable3,       &CrewsTable4,
            &IChartsTable,       &IChartsTable2,   &IChartsTable3,   &ITasksTable,       &ITasksTable2,
            &ITasksTable3,       &ICrewsTable,     &ICrewsTable2,    &ICrewsTable3,      &CalendarTable,
            &CalendarTable2,     &HolidaysTable,   &HolidaysTable2,  &CustomFieldsTable, &CustomFieldsTable2,
            &CustomFieldsTable3, &PhotosTable,     &MyCompanyTable,  &AccessTable,       &OChartsTable,
            &DestinationTable,   &ParamsTable,     &ETable,          &QBSetupTable,      &PrinterTable,
            &PrinterTable2,      &ChartsTable,     &ChartsTable2,    &ChartsTable3,      &ChartsTable4,
            &ChartsTable5,       &ChartsTable6,    &ChartsTable7,    &ChartsTable8,      &ChartsTable9,
            &TasksTable,         &TasksTable2,     &TasksTable3,     &RParamsTable,      &RETable,
            &RQBSetupTable,      &RPrinterTable,   &RChartsTable,    &RTasksTable,       &RMyCompanyTable,
            &RAccessTable,       &RIChartsTable,   &RITasksTable,    &RCalendarTable,    &RHolidaysTable,
            &RCustomFieldsTable, &RCustomersTable, &RPhotosTable,    &RJobsTable,        &RICrewsTable,
            &RCrewsTable,        &SourceTable,     &BidTable,        &BidTable2,         &CompanyTable,
            &EstimateTable3,     &HourssumTable,   &HourssumTable2,  &IProjectTable,     &LaborTable3,
            &MatssumTable,       &ProjectsTable3,  &RatesTable2,     &WorkOrder1Table,   &WorkOrder2Table};
}

}  // namespace tw::data
