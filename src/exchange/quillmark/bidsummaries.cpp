#include "exchange/quillmark/bidsummaries.h"

#include <string>

#include "data/filtertexts.h"
#include "data/services/busyscopes.h"
#include "data/services/recordservices.h"
#include "data/textroutines.h"
#include "platform/db/table.h"

namespace tw::exchange::quillmark {

namespace {

float SingleOf(db::Table& table, const char* field)
{
    return static_cast<float>(table.fieldByName(field).asFloat());
}

Currency FixedField(db::Table& table, const char* field)
{
    return Currency::FromDoubleHalfEven(table.fieldByName(field).asFloat());
}

void SetFixed(db::Table& table, const char* field, Currency value)
{
    table.fieldByName(field).setAsFloat(value.ToDouble());
}

void DeleteBidRows(db::Table& table, std::int32_t bidId)
{
    table.first();
    while (!table.eof()) {
        if (table.fieldByName("BIDID").asInteger() == bidId)
            table.deleteRecord();  // moves on to the next record
        else
            table.next();
    }
    table.refresh();
}

// Adds a labour line to the bid's row of its rate (created with its rate's
// description when missing).
void AddToRateRow(QuillmarkTables& t, data::RecordKeys& keys, std::int32_t bidId, float rate,
                  Currency amount)
{
    Currency previous;
    const double storedRate = rate;
    if (t.HourssumTable.locate("RATE;BIDID", {storedRate, static_cast<double>(bidId)})) {
        t.HourssumTable.edit();
        previous = FixedField(t.HourssumTable, "HOURSSUM");
    } else {
        const std::int32_t id = data::UniqueKeyValue(keys, t.HourssumTable2, "HOURSID");
        const double laborId = t.EstimateTable3.fieldByName("LABORID").asFloat();
        t.HourssumTable.append();
        t.HourssumTable.fieldByName("BIDID").setAsInteger(bidId);
        t.HourssumTable.fieldByName("HOURSID").setAsInteger(id);
        t.HourssumTable.fieldByName("RATE").setAsFloat(storedRate);
        if (t.LaborTable3.locate("LABORID", laborId)
            && t.RatesTable2.locate("RATEID", t.LaborTable3.fieldByName("RATEID").asFloat()))
            t.HourssumTable.fieldByName("RATEDESC").setAsString(t.RatesTable2.fieldByName("DESC").asString());
    }
    SetFixed(t.HourssumTable, "HOURSSUM", previous + amount);
    t.HourssumTable.post();
    t.HourssumTable.refresh();
}

void AddToSectionRow(QuillmarkTables& t, std::int32_t bidId, const std::string& section, int position,
                     bool part, Currency materials, const LabourAmount& labour)
{
    db::Table& m = t.MatssumTable;
    if (!m.locate("MATSDESC;BIDID", {section, static_cast<double>(bidId)})) {
        m.append();
        m.fieldByName("BIDID").setAsInteger(bidId);
        m.fieldByName("MATSID").setAsInteger(static_cast<std::int64_t>(bidId) + position);
        m.fieldByName("MATSDESC").setAsString(section);
        SetFixed(m, "MATSSUM", part ? materials : Currency{});
        SetFixed(m, "LABORSUM", part ? Currency{} : labour.Amount);
        SetFixed(m, "HOURS", part ? Currency{} : labour.Hours);
    } else {
        m.edit();
        if (part) {
            SetFixed(m, "MATSSUM", FixedField(m, "MATSSUM") + materials);
        } else {
            SetFixed(m, "LABORSUM", FixedField(m, "LABORSUM") + labour.Amount);
            SetFixed(m, "HOURS", FixedField(m, "HOURS") + labour.Hours);
        }
    }
    m.post();
    m.refresh();
}

void SummariseProject(QuillmarkTables& t, data::RecordKeys& keys, std::int32_t bidId, std::int32_t pid)
{
    db::Table& e = t.EstimateTable3;
    e.setFiltered(false);
    e.setFilter("PID = " + std::to_string(pid));
    e.setFiltered(true);
    e.setIndexName("SECTION");
    e.refresh();
    e.first();
    for (int n = 0; !e.eof(); ++n, e.next()) {
        const bool part = e.fieldByName("ISPART").asBoolean();
        Currency materials;
        LabourAmount labour;
        if (part) {
            PartLine line;
            line.Type = e.fieldByName("TYPE").asInteger();
            line.Qty = SingleOf(e, "QTY");
            line.Feet = SingleOf(e, "FEET");
            line.Inches = SingleOf(e, "INCHES");
            line.Meters = SingleOf(e, "METERS");
            line.WeightPer = SingleOf(e, "WEIGHTPER");
            line.Price = SingleOf(e, "PRICE");
            materials = MaterialsAmount(line);
        } else {
            const float rate = SingleOf(e, "RATE");
            labour = LabourOfLine(SingleOf(e, "QTY"), SingleOf(e, "HOURS"), rate);
            AddToRateRow(t, keys, bidId, rate, labour.Amount);
        }
        const std::string section = data::TrimBlanks(e.fieldByName("SECTION").asString());
        const std::string location = data::TrimBlanks(e.fieldByName("LOCATION").asString());
        AddToSectionRow(t, bidId, section, n, part, materials, labour);
        if (t.WorkOrder2Table.locate("LOCATION;PID", {location, static_cast<double>(pid)})) {
            t.WorkOrder2Table.edit();
            t.WorkOrder2Table.fieldByName("SECTION").setAsString(section);
            t.WorkOrder2Table.post();
        }
    }
}

}  // namespace

Currency FixedFromSingle(double value)
{
    return Currency::FromDoubleHalfEven(value);
}

Currency MaterialsAmount(const PartLine& l)
{
    const float length = static_cast<float>(l.Feet + l.Inches * (1.0 / 12.0));
    const double qty = l.Qty, price = l.Price;
    switch (l.Type) {
    case 3: {
        const float weighed = static_cast<float>(qty * length * l.WeightPer);
        return FixedFromSingle(static_cast<double>(weighed) * price);
    }
    case 6: {
        const float weighed = static_cast<float>(qty * l.Meters * l.WeightPer);
        return FixedFromSingle(static_cast<double>(weighed) * price);
    }
    case 2: return FixedFromSingle(qty * length * price);
    case 5: return FixedFromSingle(qty * l.Meters * price);
    default: return FixedFromSingle(qty * price);
    }
}

LabourAmount LabourOfLine(float qty, float hours, float rate)
{
    LabourAmount result;
    result.Hours = FixedFromSingle(static_cast<double>(qty) * hours);
    result.Amount = result.Hours.TruncatedProduct(FixedFromSingle(rate));
    return result;
}

int FindBidProject(QuillmarkTables& t, ExchangeBusyHooks& busy, std::int32_t bidId)
{
    if (!t.ProjectsTable3.active() || !t.IProjectTable.active())
        return 0;
    {
        // The busy flag stays set while tables move under the main window's grids.
        data::BusyScope scope(busy.BusyFlag());
        t.ProjectsTable3.setFiltered(false);
        t.IProjectTable.refresh();
        data::OrFilter filter;
        filter.FilterTextRestart = true;
        for (t.IProjectTable.first(); !t.IProjectTable.eof(); t.IProjectTable.next()) {
            if (t.IProjectTable.fieldByName("BIDID").asInteger() == bidId)
                filter.AddOrFilter("PID = " + std::to_string(t.IProjectTable.fieldByName("PID").asInteger()));
        }
        // A bid without projects must match none, not every project.
        t.ProjectsTable3.setFilter(filter.FilterText.empty() ? "PID = 9999999999" : filter.FilterText);
        t.ProjectsTable3.setFiltered(true);
    }
    t.ProjectsTable3.refresh();
    return static_cast<int>(t.ProjectsTable3.recordCount());
}

void SummariseBidSections(QuillmarkTables& t, ExchangeBusyHooks& busy, data::RecordKeys& keys,
                          std::int32_t bidId)
{
    if (bidId <= 0)
        return;
    db::WriteBatch batch;
    DeleteBidRows(t.HourssumTable, bidId);
    DeleteBidRows(t.MatssumTable, bidId);
    FindBidProject(t, busy, bidId);
    std::vector<std::int32_t> projects;
    for (t.ProjectsTable3.first(); !t.ProjectsTable3.eof(); t.ProjectsTable3.next())
        projects.push_back(t.ProjectsTable3.fieldByName("PID").asInteger());
    for (std::int32_t pid : projects)
        SummariseProject(t, keys, bidId, pid);
    batch.commit();
    t.WorkOrder2Table.refresh();
}

}  // namespace tw::exchange::quillmark
