// The data module's handlers: the calculated fields of the task views, what
// happens around a move of the customers, jobs, resources and tasks views, and
// the custom-field search filters.

#include <cmath>

#include "data/datetimetext.h"
#include "data/quartergrid.h"
#include "data/services/estimatedata.h"

namespace tw::data {

namespace {

bool HasRecord(db::Table& t)
{
    return t.active() && !(t.eof() && t.bof());
}

bool LocateKey(db::Table& t, const char* field, double key)
{
    return t.active() && t.locate(field, db::Value(key));
}

// At most width characters of a UTF-8 text, never cutting one in two.
std::string CutToCharacters(const std::string& text, size_t width)
{
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == width)
            return text.substr(0, i);
    }
    return text;
}

constexpr int kCustomerOwner = 1;
constexpr int kResourceOwner = 2;
constexpr int kTaskOwner = 3;

}  // namespace

ChartsCalculatedFields TEstimateData::ChartsTableCalcFields()
{
    ChartsCalculatedFields f;
    const MainScreenState& s = *state_;
    if (!s.StartupDone || s.ClosingTables || s.TablesBusy || !HasRecord(ChartsTable))
        return f;

    const TDateTime start = RoundUpToQuarterHour(ChartsTable.fieldByName("SD").asFloat());
    const TDateTime end = RoundUpToQuarterHour(ChartsTable.fieldByName("ED").asFloat());
    const std::int32_t chartsId = ChartsTable.fieldByName("CHARTSID").asInteger();

    // Currency arithmetic: whole ten-thousandths, the division truncating.
    float hours = 0;
    std::int64_t total = 0;
    if (ICrewsTable2.active()) {
        for (ICrewsTable2.first(); !ICrewsTable2.eof(); ICrewsTable2.next()) {
            if (ICrewsTable2.fieldByName("CHARTSID").asInteger() != chartsId)
                continue;
            const std::int32_t crewId = ICrewsTable2.fieldByName("CREWID").asInteger();
            const float h = views_.Pages ? views_.Pages->WorkingHoursBetween(crewId, start, end) : 0.0f;
            hours += h;
            std::int64_t rate = 0;
            if (LocateKey(CrewsTable2, "CREWID", crewId))
                rate = std::llround(CrewsTable2.fieldByName("RATE").asFloat() * 10000.0);
            total += std::llround(static_cast<double>(h) * 10000.0) * rate / 10000;
        }
    }
    f.cHours = hours;
    f.cLaborCost = MoneyText(static_cast<double>(total) / 10000.0);
    f.cStartDate = start;
    f.cEndDate = end;

    const bool job = ChartsTable.fieldByName("JOB").asBoolean();
    if (ChartsTable.fieldByName("SHOWIT").asBoolean())
        f.cDisplay = job ? "Active job" : "Active task";
    else
        f.cDisplay = job ? "Inactive job" : "Inactive task";

    if (ChartsTable.fieldByName("PARENT").asBoolean())
        f.cChild = "Is parent";
    else if (LocateKey(ChartsTable4, "CHARTSID", ChartsTable.fieldByName("PID").asFloat()))
        f.cChild = CutToCharacters(ChartsTable4.fieldByName("DESC").asString(), 100);

    if (job)
        f.cCrew = "Not applicable";
    else if (LocateKey(CrewsTable2, "CREWID", ChartsTable.fieldByName("CREWID").asFloat()))
        f.cCrew = CrewsTable2.fieldByName("DESC").asString();
    else
        f.cCrew = "None assigned";

    f.cSD = DateTimeText(start);
    f.cED = DateTimeText(end);
    return f;
}

bool TEstimateData::AfterScrollAllowed() const
{
    return !state_->TablesBusy && state_->TablesOpen;
}

// A grid may append a blank record by itself; such a record is left for the
// user to fill or delete. Removing "the record that made the count grow" is
// not safe on the shared tables, where another workstation's append makes the
// count grow just as well.
void TEstimateData::ConsumeKeepNew(bool& keepNew, db::Table& view)
{
    if (keepNew)
        keepNew = false;
    else if (view.active())
        view.refresh();
}

void TEstimateData::ChartsTableBeforeScroll()
{
    if (!state_->TablesOpen)
        return;
    chartsCount_ = ChartsTable.recordCount();
    if (views_.FieldValues)
        views_.FieldValues->SaveCustomFieldValues(kTaskOwner);
}

void TEstimateData::ChartsTableAfterScroll()
{
    if (!AfterScrollAllowed())
        return;
    ConsumeKeepNew(state_->KeepNewTask, ChartsTable);
    if (views_.FieldValues)
        views_.FieldValues->LoadCustomFieldValues(kTaskOwner);
    if (views_.Pages && views_.Pages->SelectPageIsCurrent() && views_.QueryPage && HasRecord(ChartsTable))
        views_.QueryPage->ShowResourcesOfTask(ChartsTable.fieldByName("CHARTSID").asInteger());
}

void TEstimateData::JobsTableBeforeScroll()
{
    if (JobsTable.active())
        jobsCount_ = JobsTable.recordCount();
}

void TEstimateData::JobsTableAfterScroll()
{
    if (!AfterScrollAllowed())
        return;
    ConsumeKeepNew(state_->KeepNewJob, JobsTable);
    if (views_.QueryPage)
        views_.QueryPage->ApplyQueryFilters();
}

void TEstimateData::CrewsTableBeforeScroll()
{
    if (!state_->TablesOpen)
        return;
    crewsCount_ = CrewsTable.recordCount();
    if (views_.FieldValues)
        views_.FieldValues->SaveCustomFieldValues(kResourceOwner);
}

void TEstimateData::CrewsTableAfterScroll()
{
    if (!AfterScrollAllowed())
        return;
    ConsumeKeepNew(state_->KeepNewResource, CrewsTable);
    if (views_.FieldValues)
        views_.FieldValues->LoadCustomFieldValues(kResourceOwner);
    if (views_.QueryPage && views_.QueryPage->RestrictTasksToCrew())
        views_.QueryPage->ApplyQueryFilters();
    if (HasRecord(CrewsTable))
        state_->CurrentResourceId = CrewsTable.fieldByName("CREWID").asInteger();
}

void TEstimateData::CustomersTableBeforeScroll()
{
    if (!state_->TablesOpen)
        return;
    customersCount_ = CustomersTable.recordCount();
    if (!state_->ReadOnlyCopy)
        RebuildCustomerName();
    if (views_.FieldValues)
        views_.FieldValues->SaveCustomFieldValues(kCustomerOwner);
}

void TEstimateData::RebuildCustomerName()
{
    if (!HasRecord(CustomersTable))
        return;
    lastFirst_ = CustomersTable.fieldByName("FIRST").asString();
    lastLast_ = CustomersTable.fieldByName("LAST").asString();
    if (lastLast_.find_first_not_of(' ') == std::string::npos)
        return;
    const std::string name = CutToCharacters(CustomerNameText(lastLast_, lastFirst_), 80);
    if (name == CustomersTable.fieldByName("NAME").asString())
        return;
    try {
        CustomersTable.edit();
        CustomersTable.fieldByName("NAME").setAsString(name);
        CustomersTable.post();
    } catch (const db::DbError&) {
        // Another workstation is editing this customer; its name is rebuilt
        // at the next move.
        if (CustomersTable.state() != db::Table::State::Browse)
            CustomersTable.cancel();
    }
}

void TEstimateData::CustomersTableAfterScroll()
{
    if (!AfterScrollAllowed())
        return;
    ConsumeKeepNew(state_->KeepNewCustomer, CustomersTable);
    if (views_.CustomerPage) {
        if (HasRecord(CustomersTable))
            views_.CustomerPage->SetUseAlt(CustomersTable.fieldByName("USEALT").asBoolean());
        views_.CustomerPage->ShowMovedCustomer();
    }
    if (views_.Pages)
        views_.Pages->ApplyCustomerQuery();
    if (views_.FieldValues)
        views_.FieldValues->LoadCustomFieldValues(kCustomerOwner);
}

bool TEstimateData::CustomersTable2FilterRecord()
{
    return !views_.FieldSearch || views_.FieldSearch->CustomerMatchesSearch();
}

bool TEstimateData::CrewsTable2FilterRecord()
{
    return !views_.FieldSearch || views_.FieldSearch->ResourceMatchesSearch();
}

bool TEstimateData::ChartsTable2FilterRecord()
{
    return !views_.FieldSearch || views_.FieldSearch->TaskMatchesSearch();
}

}  // namespace tw::data
